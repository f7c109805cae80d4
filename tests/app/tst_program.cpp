// The built programs run against each other as a user would run them.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString binDir()
{
    return qEnvironmentVariable("Z4_BIN_DIR");
}

bool copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QFileInfo &entry :
         source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir() ? !copyTree(entry.filePath(), target)
                          : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}

QJsonObject parseLine(const QByteArray &line)
{
    return QJsonDocument::fromJson(line).object();
}

// Waits until the process has printed `text` on its merged output.
bool waitForOutput(QProcess &process, QByteArray &seen, const QByteArray &text, int count,
                   int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (seen.count(text) < count && !deadline.hasExpired()) {
        process.waitForReadyRead(100);
        seen += process.readAll();
    }
    return seen.count(text) >= count;
}

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void copiedFolderRunsAnywhereAndKeepsItsSettingsBesideItself()
    {
        QTemporaryDir copy;
        QTemporaryDir home;
        QVERIFY(copyTree(binDir() + QStringLiteral("/modules"),
                         copy.path() + QStringLiteral("/modules")));
        QVERIFY(QFile::copy(binDir() + QStringLiteral("/z4config"),
                            copy.path() + QStringLiteral("/z4config")));
        QFile::setPermissions(copy.path() + QStringLiteral("/z4config"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QProcess program;
        program.setWorkingDirectory(QDir::rootPath());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        program.setProcessEnvironment(env);
        program.start(copy.path() + QStringLiteral("/z4config"),
                      {"--demo", "--call", "ui_View.loadApConfig", "--call",
                       "ui_View.ui_0BH_SetCurrentDPIStage", "5"});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
        const QJsonObject result = parseLine(program.readAllStandardOutput().split('\n').first());
        // The shipped settings hold the 32 entries of the global settings page.
        QCOMPARE(result.value(QStringLiteral("return")).toArray().size(), 32);
        // A folder the user may write to keeps the settings beside the
        // program, as the build's own does; the config folder stays unused.
        QSettings profile(copy.path() + QStringLiteral("/modules/setting/p1.bin"),
                          QSettings::IniFormat);
        QCOMPARE(profile.value(QStringLiteral("sensor/stage_Z4")).toInt(), 5);
        QVERIFY(!QFileInfo::exists(home.path() + QStringLiteral("/z4config")));
    }

    void callReachesTheVirtualMouseAndErrorsExitNonZero()
    {
        QTemporaryDir bus;
        const QString log = bus.path() + QStringLiteral("/sim.log");
        QProcess sim;
        sim.start(binDir() + QStringLiteral("/z4sim"), {"--bus", bus.path(), "--log", log});
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(bus.path()).entryList(QDir::System).isEmpty(), 5000);

        QProcess program;
        program.start(binDir() + QStringLiteral("/z4config"),
                      {"--virtual-bus", bus.path(), "--call", "hid.hid_01H_SetReportRate", "2",
                       "--call", "hid.hid_81H_GetReportRate", "0"});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
        const QList<QByteArray> lines = program.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(parseLine(lines[1]).value(QStringLiteral("rate")).toInt(), 2);

        QProcess bad;
        bad.start(binDir() + QStringLiteral("/z4config"),
                  {"--virtual-bus", bus.path(), "--call", "hid.hid_01H_SetReportRate", "\"x\""});
        QVERIFY(bad.waitForFinished(30000));
        QVERIFY(bad.exitCode() != 0);
        QVERIFY(!bad.readAllStandardError().isEmpty());
        QVERIFY(bad.readAllStandardOutput().isEmpty());

        sim.terminate();
        QVERIFY(sim.waitForFinished(5000));
        QFile logFile(log);
        QVERIFY(logFile.open(QIODevice::ReadOnly));
        const QByteArray logText = logFile.readAll();
        // Both frames reached the device (the log keeps the plain bytes of
        // enciphered frames).
        QVERIFY(logText.contains("\"plain\":\"00 01 02 00 00 00 00 00 fc\""));
        QVERIFY(logText.contains("\"plain\":\"00 81 00 00 00 00 00 00 7e\""));
    }

    void hotPlugReconnectsTheRunningProgram()
    {
        QTemporaryDir bus;
        QProcess sim;
        sim.start(binDir() + QStringLiteral("/z4sim"), {"--bus", bus.path()});
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(bus.path()).entryList(QDir::System).isEmpty(), 5000);

        QProcess program;
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(binDir() + QStringLiteral("/z4config"), {"--virtual-bus", bus.path()});
        QByteArray seen;
        QVERIFY2(waitForOutput(program, seen, "Device Connect", 1, 20000), seen.constData());

        sim.terminate();
        QVERIFY(sim.waitForFinished(5000));
        QTest::qWait(2500); // the program notices the removal after its debounce
        sim.start(binDir() + QStringLiteral("/z4sim"), {"--bus", bus.path()});
        QVERIFY2(waitForOutput(program, seen, "Device Connect", 2, 15000), seen.constData());

        program.terminate();
        program.waitForFinished(5000);
        sim.terminate();
        sim.waitForFinished(5000);
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
