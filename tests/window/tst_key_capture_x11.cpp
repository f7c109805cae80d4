// A key pressed in the X session reaches the QML root as msg_KB: the X11
// capture source, the translation, the host's callbacks, the view's queued
// call and the root's "detectKeyboard" all take part. Run under Xvfb.
#include "app/input_capture.h"
#include "app/widget.h"
#include "backend/bridge/my_qquick_view.h"
#include "device/virtual_bus.h"
#include "macro/capture/input_hook.h"
#include "sim/virtual_mouse.h"
#include "support/module_sandbox.h"

#include <QGuiApplication>
#include <QProcess>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

class TestKeyCaptureX11 : public QObject
{
    Q_OBJECT

private slots:
    void injectedKeysReachTheQmlRoot()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run under xvfb-run)");

        ModuleSandbox sandbox;
        VirtualMouse mouse;
        QVERIFY(mouse.start());
        VirtualBus bus(mouse.busDirectory());
        Widget widget(&bus, sandbox.locations());
        widget.checkDevice();

        InputHook hook;
        QVERIFY(hook.installHooks());
        QCOMPARE(QString::fromLatin1(hook.sourceName()), QStringLiteral("x11"));
        connectInputHook(hook, widget);

        QQuickItem *root = widget.view()->rootObject();
        QVERIFY(root);
        QSignalSpy keys(root, SIGNAL(msg_KB(bool, int)));
        QVERIFY(keys.isValid());

        // Another application's window has the focus as far as the program
        // knows: nothing of ours is shown.
        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {"key", "a", "KP_Enter"}), 0);

        QTRY_COMPARE_WITH_TIMEOUT(keys.size(), 4, 5000);
        const QList<QPair<bool, int>> expected{
            {true, 0x04}, {false, 0x04}, {true, 0x58}, {false, 0x58}};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(keys.at(i).at(0).toBool(), expected[i].first);
            QCOMPARE(keys.at(i).at(1).toInt(), expected[i].second);
        }
    }
};

QTEST_MAIN(TestKeyCaptureX11)
#include "tst_key_capture_x11.moc"
