// Keys and clicks injected with xdotool on a private X server reach the
// XInput2 source and come out of InputHook translated.
#include "macro/capture/input_hook.h"
#include "macro/hook_reports.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#ifdef Z4_HAVE_XINPUT
#include "macro/capture/key_event_source_x11.h"
#endif

class TestX11Capture : public QObject
{
    Q_OBJECT

private:
    QProcess server;
    QString display;
    std::unique_ptr<InputHook> hook;

    void xdotool(const QStringList &args)
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        tool.setProcessEnvironment(env);
        tool.start(QStandardPaths::findExecutable("xdotool"), args);
        QVERIFY(tool.waitForFinished(10000));
        QCOMPARE(tool.exitCode(), 0);
    }

private slots:
    void initTestCase()
    {
#ifndef Z4_HAVE_XINPUT
        QSKIP("built without libXi");
#else
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        if (xvfb.isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("Xvfb or xdotool not installed");
        for (int n = 73; n < 99 && !hook; ++n) {
            if (QFile::exists(QString("/tmp/.X%1-lock").arg(n)))
                continue;
            display = QString(":%1").arg(n);
            server.start(xvfb, {display, "-nolisten", "tcp", "-screen", "0", "640x480x24"});
            if (!server.waitForStarted(5000))
                break;
            for (int tries = 0; tries < 100 && server.state() == QProcess::Running && !hook;
                 ++tries) {
                auto source = std::make_unique<X11KeyEventSource>(display);
                if (source->isAvailable())
                    hook = std::make_unique<InputHook>(std::move(source));
                else
                    QTest::qWait(50);
            }
            if (!hook) {
                server.kill();
                server.waitForFinished();
            }
        }
        if (!hook)
            QSKIP("no X server could be started");
        QVERIFY(hook->isInstalled());
        QCOMPARE(QByteArray(hook->sourceName()), QByteArray("x11"));
        hook->setKeyboardHookCallback(onKey, nullptr);
        hook->setMouseHookCallback(onMouse, nullptr);
#endif
    }

    void cleanupTestCase()
    {
        hook.reset();
        server.terminate();
        server.waitForFinished(3000);
    }

    // A marker key ("z") at the end tells when everything has arrived.
    void keysAndClicksAreTranslated()
    {
        xdotool({"keydown", "a", "keydown", "a", "keyup", "a", "keyup", "b"});
        xdotool({"keydown", "Control_L", "key", "Pause", "keyup", "Control_L"});
        xdotool({"keydown", "Alt_L", "key", "Print", "keyup", "Alt_L"});
        xdotool({"mousemove", "30", "40", "click", "--repeat", "2", "--delay", "50", "1"});
        xdotool({"click", "3", "click", "2", "click", "4", "key", "z"});
        const Report markerUp{0x1D, 0};
        QTRY_VERIFY_WITH_TIMEOUT(!keyReports.isEmpty() && keyReports.last() == markerUp, 5000);
        const QList<Report> expectedKeys{{0x04, 1}, {0x04, 0}, {0xE0, 1}, {0x48, 1},
                                         {0x48, 0}, {0xE0, 0}, {0xE2, 1}, {0x46, 1},
                                         {0x46, 0}, {0xE2, 0}, {0x1D, 1}, markerUp};
        QCOMPARE(keyReports, expectedKeys);
        QList<Report> expected;
        for (int code : {0xF0, 0xF0, 0xF1, 0xF2})
            expected << Report{code, 1, 30, 40} << Report{code, 0, 30, 40};
        QCOMPARE(mouseReports, expected);
    }
};

QTEST_GUILESS_MAIN(TestX11Capture)
#include "tst_x11_capture.moc"
