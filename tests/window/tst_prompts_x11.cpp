// The program's own prompts in a real X server, opened from the running
// window: each is modal, centred on the window and drawn readable — a light
// face with dark text on it, not the uniformly dark box that a child of the
// transparent host window would draw. Run under Xvfb.
#include "app/widget.h"
#include "backend/bridge/my_qquick_view.h"
#include "device/virtual_bus.h"
#include "sim/virtual_mouse.h"
#include "support/module_sandbox.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

int lightness(QRgb pixel)
{
    return (qRed(pixel) * 30 + qGreen(pixel) * 59 + qBlue(pixel) * 11) / 100;
}

} // namespace

class TestPromptsX11 : public QObject
{
    Q_OBJECT

private slots:
    void promptsAreReadable_data()
    {
        QTest::addColumn<QString>("prompt");
        QTest::newRow("fool-proofing question") << QStringLiteral("question");
        QTest::newRow("profile export dialog") << QStringLiteral("export");
    }
    void promptsAreReadable()
    {
        QFETCH(QString, prompt);
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run under xvfb-run)");

        ModuleSandbox sandbox;
        VirtualMouse mouse;
        QVERIFY(mouse.start());
        VirtualBus bus(mouse.busDirectory());
        Widget widget(&bus, sandbox.locations());
        widget.checkDevice();
        widget.showNormal();
        widget.startUI();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QTest::qWait(1500); // the opening animation: the strings are read by then

        QImage shot;
        QRect boxGeometry;
        QString failure;
        // The prompt blocks in its own event loop: look at it from a timer.
        QTimer::singleShot(1500, this, [&] {
            QWidget *box = QApplication::activeModalWidget();
            if (!box) {
                failure = QStringLiteral("no modal prompt is open");
                return;
            }
            boxGeometry = box->frameGeometry();
            shot = box->screen()
                       ->grabWindow(0, box->x(), box->y(), box->width(), box->height())
                       .toImage();
            if (auto *dialog = qobject_cast<QDialog *>(box))
                dialog->reject();
        });
        if (prompt == QLatin1String("question"))
            widget.view()->getMsgAns_FoolProofing();
        else
            widget.view()->saveProfile(0);

        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(!shot.isNull());
        QDir().mkpath(qEnvironmentVariable("Z4_ARTIFACTS"));
        shot.save(qEnvironmentVariable("Z4_ARTIFACTS") + QStringLiteral("/prompt-") + prompt +
                  QStringLiteral(".png"));

        // Centred on the window (the window manager-less X server places a
        // window where the program puts it).
        const QPoint offset = boxGeometry.center() - widget.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() < 40,
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));

        // Most of the box is a light face; text draws dark pixels on it.
        int light = 0;
        int dark = 0;
        const int total = shot.width() * shot.height();
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const int l = lightness(shot.pixel(x, y));
                light += l > 170;
                dark += l < 90;
            }
        QVERIFY2(light > total / 2,
                 qPrintable(QStringLiteral("%1 light of %2").arg(light).arg(total)));
        QVERIFY2(dark > 100, qPrintable(QStringLiteral("%1 dark pixels of text").arg(dark)));
    }
};

QTEST_MAIN(TestPromptsX11)
#include "tst_prompts_x11.moc"
