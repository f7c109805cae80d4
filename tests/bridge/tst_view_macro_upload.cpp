// Saving a bound macro re-uploads it through the view to the macro id of its
// slot, as the virtual mouse's log shows.
#include "app/widget.h"
#include "backend/bridge/my_qquick_view.h"
#include "device/hid_thread.h"
#include "device/virtual_bus.h"
#include "sim/virtual_mouse.h"
#include "support/module_sandbox.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

// The plain command frames of code 13H the mouse received.
QStringList macroFrames(const QStringList &log)
{
    QStringList frames;
    for (const QString &line : log) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        const QString plain = o.value(QStringLiteral("plain")).toString();
        if (o.value(QStringLiteral("dir")).toString() == QLatin1String("out") &&
            plain.startsWith(QLatin1String("00 13 ")))
            frames << plain;
    }
    return frames;
}

} // namespace

class TestViewMacroUpload : public QObject
{
    Q_OBJECT

private slots:
    void boundMacroGoesToTheIdOfItsSlot_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("frameStart");
        QTest::newRow("first slot") << 0 << QStringLiteral("00 13 01 80");
        QTest::newRow("last slot") << 11 << QStringLiteral("00 13 0c 80");
    }

    void boundMacroGoesToTheIdOfItsSlot()
    {
        QFETCH(int, slot);
        QFETCH(QString, frameStart);

        ModuleSandbox sandbox;
        VirtualMouse mouse;
        QVERIFY(mouse.start());
        VirtualBus bus(mouse.busDirectory());
        Widget widget(&bus, sandbox.locations());
        widget.checkDevice();
        myQQuickView *view = widget.view();

        const QString name = view->createMacroIni().toString();
        QVERIFY(!name.isEmpty());
        QVERIFY(view->saveMacroIni(name, {"A    [Down]", "A      [Up]"}).toBool());
        QVERIFY(macroFrames(mouse.logLines()).isEmpty()); // not bound yet: nothing sent

        view->setMacroIniConfig(name, {slot, 1});
        QVERIFY(view->saveMacroIni(name, {"B    [Down]", "B      [Up]"}).toBool());
        QTRY_VERIFY(widget.deviceLink().isLinkIdle());
        QTRY_COMPARE(macroFrames(mouse.logLines()).size(), 1);
        QVERIFY2(macroFrames(mouse.logLines()).first().startsWith(frameStart),
                 qPrintable(macroFrames(mouse.logLines()).first()));
    }
};

QTEST_MAIN(TestViewMacroUpload)
#include "tst_view_macro_upload.moc"
