// In a real X server: a key pressed in the X session reaches the QML root,
// and the prompts are modal, centred and readable (not a dark see-through box).
#include "app/input_capture.h"
#include "app/widget.h"
#include "backend/bridge/my_qquick_view.h"
#include "device/virtual_bus.h"
#include "macro/capture/input_hook.h"
#include "sim/virtual_mouse.h"
#include "support/module_sandbox.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QQuickItem>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestX11 : public QObject
{
    Q_OBJECT

    ModuleSandbox sandbox;
    VirtualMouse mouse;
    std::unique_ptr<VirtualBus> bus;
    std::unique_ptr<Widget> widget;

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run under xvfb-run)");
        QVERIFY(mouse.start());
        bus = std::make_unique<VirtualBus>(mouse.busDirectory());
        widget = std::make_unique<Widget>(bus.get(), sandbox.locations());
        widget->checkDevice();
    }
    void cleanupTestCase()
    {
        widget.reset();
        bus.reset();
    }

    void injectedKeysReachTheQmlRoot()
    {
        InputHook hook;
        QVERIFY(hook.installHooks());
        QCOMPARE(QString::fromLatin1(hook.sourceName()), QStringLiteral("x11"));
        connectInputHook(hook, *widget);
        QSignalSpy keys(widget->view()->rootObject(), SIGNAL(msg_KB(bool, int)));
        QVERIFY(keys.isValid());

        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {"key", "a", "KP_Enter"}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(keys.size(), 4, 5000);
        const QList<QPair<bool, int>> expected{
            {true, 0x04}, {false, 0x04}, {true, 0x58}, {false, 0x58}};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(qMakePair(keys.at(i).at(0).toBool(), keys.at(i).at(1).toInt()), expected[i]);
    }

    void promptsAreReadable_data()
    {
        QTest::addColumn<QString>("prompt");
        QTest::newRow("fool-proofing question") << QStringLiteral("question");
        QTest::newRow("profile export dialog") << QStringLiteral("export");
    }
    void promptsAreReadable()
    {
        QFETCH(QString, prompt);
        if (!widget->isVisible()) {
            widget->showNormal();
            widget->startUI();
            QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
            QTest::qWait(1500); // the opening animation: the strings are read by then
        }

        QImage shot;
        QRect boxGeometry;
        QString failure;
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
            widget->view()->getMsgAns_FoolProofing();
        else
            widget->view()->saveProfile(0);

        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(!shot.isNull());
        QDir().mkpath(qEnvironmentVariable("Z4_ARTIFACTS"));
        shot.save(qEnvironmentVariable("Z4_ARTIFACTS") + QStringLiteral("/prompt-") + prompt +
                  QStringLiteral(".png"));

        const QPoint offset = boxGeometry.center() - widget->frameGeometry().center();
        QVERIFY2(offset.manhattanLength() < 40,
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
        int light = 0;
        int dark = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QRgb p = shot.pixel(x, y);
                const int l = (qRed(p) * 30 + qGreen(p) * 59 + qBlue(p) * 11) / 100;
                light += l > 170;
                dark += l < 90;
            }
        QVERIFY2(light > shot.width() * shot.height() / 2, qPrintable(QString::number(light)));
        QVERIFY2(dark > 100, qPrintable(QStringLiteral("%1 dark pixels of text").arg(dark)));
    }
};

QTEST_MAIN(TestX11)
#include "tst_x11.moc"
