#include "backend/pointer/pointer_settings_linux.h"
#include "backend/pointer/pointer_settings_service.h"

#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The GSettings backend against the real `gsettings` tool, on GLib's keyfile
// backend under a private XDG_CONFIG_HOME: the tester's desktop is untouched.
class TestPointerGSettings : public QObject
{
    Q_OBJECT

private slots:
    void settingsReachTheDesktop()
    {
        GSettingsPointerSettings missing(QStringLiteral("z4-no-such-gsettings-tool"));
        PointerSettings::MouseParams params{};
        QVERIFY(!missing.setMouseSpeed(10));
        QVERIFY(!missing.getMouse(params));
        if (QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty())
            QSKIP("gsettings is not installed");
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        qputenv("GSETTINGS_BACKEND", "keyfile");
        if (!get(QStringLiteral("speed")))
            QSKIP("the desktop's mouse schema is not installed");

        GSettingsPointerSettings settings;
        for (const auto &[speed, desktop] : {std::pair{1u, -0.9}, {10u, 0.0}, {40u, 1.0}}) {
            QVERIFY(settings.setMouseSpeed(speed));
            QCOMPARE(get(QStringLiteral("speed"))->toDouble(), desktop);
        }
        QVERIFY(settings.setMouse({6, 10, 0}));
        QCOMPARE(*get(QStringLiteral("accel-profile")), QStringLiteral("'flat'"));
        QVERIFY(settings.getMouse(params));
        QCOMPARE(params[2], 0);
        QVERIFY(settings.setMouse({6, 10, 1}));
        QCOMPARE(*get(QStringLiteral("accel-profile")), QStringLiteral("'default'"));
        // Switching on keeps a profile that already accelerates.
        QProcess::execute(QStringLiteral("gsettings"),
                          {"set", schema(), "accel-profile", "adaptive"});
        QVERIFY(settings.setMouse({6, 10, 1}));
        QVERIFY(settings.getMouse(params));
        QCOMPARE(params[2], 1);
        QCOMPARE(*get(QStringLiteral("accel-profile")), QStringLiteral("'adaptive'"));

        QTemporaryDir dir;
        QSettings profile(dir.filePath(QStringLiteral("p1.bin")), QSettings::IniFormat);
        PointerSettingsService service([&]() -> QSettings & { return profile; },
                                       createSystemPointerSettings());
        QVERIFY(service.setDoubleClickSpeed(1));
        QCOMPARE(*get(QStringLiteral("double-click")), QStringLiteral("830"));
        QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
        QVERIFY(!service.setVerticalScrollLines(4));
        QCOMPARE(service.verticalScrollLines(), 4u);

        // GLib's fallback when no settings daemon runs: accepted, then lost.
        qputenv("GSETTINGS_BACKEND", "memory");
        QVERIFY(!settings.setDoubleClickTime(555));
        QVERIFY(!settings.setMouseSpeed(3));
    }

private:
    static QString schema() { return QString::fromLatin1(GSettingsPointerSettings::kMouseSchema); }

    static std::optional<QString> get(const QString &key)
    {
        QProcess p;
        p.start(QStringLiteral("gsettings"), {QStringLiteral("get"), schema(), key});
        if (!p.waitForFinished(5000) || p.exitCode() != 0)
            return std::nullopt;
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }
};

QTEST_GUILESS_MAIN(TestPointerGSettings)
#include "tst_pointer_gsettings.moc"
