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
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty()) {
            QSKIP("gsettings is not installed");
        }
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        useBackend("keyfile");
        if (!tool({QStringLiteral("list-keys"), schema()})) {
            QSKIP("the desktop's mouse schema is not installed");
        }
    }

    void init() { useBackend("keyfile"); }

    void speedMapsOntoTheDesktopRange_data()
    {
        QTest::addColumn<uint>("speed");
        QTest::addColumn<double>("desktop");
        QTest::newRow("slowest") << 1u << -0.9;
        QTest::newRow("system default") << 10u << 0.0;
        QTest::newRow("fastest") << 20u << 1.0;
        QTest::newRow("beyond") << 40u << 1.0;
    }
    void speedMapsOntoTheDesktopRange()
    {
        QFETCH(uint, speed);
        QFETCH(double, desktop);
        GSettingsPointerSettings settings;
        QVERIFY(settings.setMouseSpeed(speed));
        const auto stored = tool({QStringLiteral("get"), schema(), QStringLiteral("speed")});
        QVERIFY(stored);
        QCOMPARE(stored->toDouble(), desktop);
    }

    void accelerationFollowsTheProfile()
    {
        GSettingsPointerSettings settings;
        PointerSettings::MouseParams params{};
        QVERIFY(settings.setMouse({6, 10, 0}));
        QCOMPARE(*tool({QStringLiteral("get"), schema(), QStringLiteral("accel-profile")}),
                 QStringLiteral("'flat'"));
        QVERIFY(settings.getMouse(params));
        QCOMPARE(params[2], 0);

        QVERIFY(settings.setMouse({6, 10, 1}));
        QVERIFY(settings.getMouse(params));
        QCOMPARE(params[2], 1);
        QCOMPARE(*tool({QStringLiteral("get"), schema(), QStringLiteral("accel-profile")}),
                 QStringLiteral("'default'"));

        // Switching on keeps a profile that already accelerates.
        QVERIFY(tool({QStringLiteral("set"), schema(), QStringLiteral("accel-profile"),
                      QStringLiteral("adaptive")}));
        QVERIFY(settings.setMouse({6, 10, 1}));
        QCOMPARE(*tool({QStringLiteral("get"), schema(), QStringLiteral("accel-profile")}),
                 QStringLiteral("'adaptive'"));
    }

    void changesThatDoNotPersistCountAsFailures()
    {
        // GLib's fallback when no settings daemon runs: accepted, then lost.
        useBackend("memory");
        GSettingsPointerSettings settings;
        QVERIFY(!settings.setDoubleClickTime(555));
        QVERIFY(!settings.setMouseSpeed(3));
    }

    void missingToolFailsEverything()
    {
        GSettingsPointerSettings settings(QStringLiteral("z4-no-such-gsettings-tool"));
        PointerSettings::MouseParams params{};
        QVERIFY(!settings.setMouseSpeed(10));
        QVERIFY(!settings.setDoubleClickTime(500));
        QVERIFY(!settings.getMouse(params));
        QVERIFY(!settings.setMouse({0, 0, 1}));
    }

    void pageOperationsReachTheDesktop()
    {
        QTemporaryDir dir;
        QSettings profile(dir.filePath(QStringLiteral("p1.bin")), QSettings::IniFormat);
        PointerSettingsService service([&]() -> QSettings & { return profile; },
                                       createSystemPointerSettings());
        QVERIFY(service.setDoubleClickSpeed(1));
        QCOMPARE(*tool({QStringLiteral("get"), schema(), QStringLiteral("double-click")}),
                 QStringLiteral("830"));
        QVERIFY(service.setDoubleClickSpeed(10));
        QCOMPARE(*tool({QStringLiteral("get"), schema(), QStringLiteral("double-click")}),
                 QStringLiteral("200"));
        QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
        QVERIFY(!service.setVerticalScrollLines(4));
        QCOMPARE(service.verticalScrollLines(), 4u);
        QVERIFY(service.setAcceleration(false));
        QCOMPARE(service.acceleration(), false);
    }

private:
    static QString schema() { return QString::fromLatin1(GSettingsPointerSettings::kMouseSchema); }

    static void useBackend(const char *name) { qputenv("GSETTINGS_BACKEND", name); }

    static std::optional<QString> tool(const QStringList &arguments)
    {
        QProcess p;
        p.start(QStringLiteral("gsettings"), arguments);
        if (!p.waitForFinished(5000) || p.exitCode() != 0) {
            return std::nullopt;
        }
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    QTemporaryDir m_config;
};

QTEST_GUILESS_MAIN(TestPointerGSettings)
#include "tst_pointer_gsettings.moc"
