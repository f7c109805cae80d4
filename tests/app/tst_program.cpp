// The built programs run against each other as a user would run them.
#include "support/test_files.h"

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

// The program and its shipped data copied into `dir`, for runs that write.
bool copyProgram(const QString &dir)
{
    return QProcess::execute("cp", {"-r", binDir() + "/modules", binDir() + "/z4config", dir}) == 0;
}

// Runs `program` to its end: its exit code, or -1 when it did not end.
int run(const QString &program, const QStringList &arguments, QByteArray *out, QByteArray *err,
        const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
        const QString &workingDirectory = {})
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return -1;
    *out = process.readAllStandardOutput();
    *err = process.readAllStandardError();
    return process.exitCode();
}

// A z4sim serving a fresh bus folder, logging the frames it gets.
struct Sim
{
    QTemporaryDir bus;
    QString log = bus.path() + QStringLiteral("/sim.log");
    QProcess process;
    bool start()
    {
        process.start(binDir() + QStringLiteral("/z4sim"), {"--bus", bus.path(), "--log", log});
        QDeadlineTimer deadline(5000);
        while (QDir(bus.path()).entryList(QDir::System).isEmpty() && !deadline.hasExpired())
            QTest::qWait(20);
        return !QDir(bus.path()).entryList(QDir::System).isEmpty();
    }
    void stop()
    {
        process.terminate();
        process.waitForFinished(5000);
    }
    ~Sim() { stop(); }
};

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    // Every dialog and question of a --call run answers from its command line.
    void callAnswersEveryDialogFromItsCommandLine()
    {
        QTemporaryDir copy;
        QVERIFY(copyProgram(copy.path()));
        QTemporaryDir files;
        const QString in = files.filePath(QStringLiteral("in.pf"));
        const QString out = files.filePath(QStringLiteral("out.pf"));
        const QString exported = files.filePath(QStringLiteral("exported.bin"));
        const QString imported = files.filePath(QStringLiteral("My Macro.bin"));
        writeFile(in, "[sensor]\nstage_Z4=5\n");
        writeFile(imported, "[config]\ntotal=1\n[macro]\n0=A    [Down]\n");
        // 70 key presses do not fit the mouse's 128-byte macro block.
        QJsonArray lines;
        for (int i = 0; i < 70; ++i)
            lines.append(QStringLiteral("A    [Down]"));
        const QString longMacro =
            QString::fromUtf8(QJsonDocument(lines).toJson(QJsonDocument::Compact));

        QStringList arguments{"--demo", "--answer", "ok"};
        for (const QString &file : {QStringLiteral("in.pf"), out, exported, imported,
                                    files.filePath(QStringLiteral("unused"))})
            arguments << "--file" << file;
        const QString macro = QStringLiteral("\"Macro. 001\"");
        for (const QStringList &call : QList<QStringList>{{"loadProfile", "1"},
                                                          {"saveProfile", "1"},
                                                          {"createMacroIni"},
                                                          {"setMacroIniConfig", macro, "[0,1]"},
                                                          {"saveMacroIni", macro, longMacro},
                                                          {"saveMacroIniToFile", macro},
                                                          {"loadMacroIniFromFile"},
                                                          {"getMsgAns_FoolProofing"},
                                                          {"getMsgAns_FoolProofing"},
                                                          {"getCustomFilePath"},
                                                          {"saveProfile", "0"}})
            arguments << "--call"
                      << "ui_View." + call.first() << call.mid(1);
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        QByteArray printed, err;
        // Relative --file paths start in the working directory; -1: a prompt blocked the run.
        QCOMPARE(run(copy.filePath("z4config"), arguments, &printed, &err, env, files.path()), 0);
        const QList<QByteArray> results = printed.trimmed().split('\n');
        QCOMPARE(results.size(), 11);
        const auto returned = [&](int i) { return parseLine(results[i]).value("return"); };

        QCOMPARE(readFile(copy.filePath(QStringLiteral("modules/setting/p2.bin"))),
                 QByteArray("[sensor]\nstage_Z4=5\n"));
        QCOMPARE(readFile(out), QByteArray("[sensor]\nstage_Z4=5\n"));
        QVERIFY(!QFileInfo::exists(home.path() + QStringLiteral("/z4config")));
        QCOMPARE(returned(2).toString(), QStringLiteral("Macro. 001"));
        QCOMPARE(returned(4).toBool(), true);
        QVERIFY(err.contains("z4config: warning: MACRO: Out of memory, some command line has "
                             "been cut."));
        QVERIFY(readFile(exported).contains("69=A    [Down]"));
        QCOMPARE(returned(6).toString(), QStringLiteral("My Macro"));
        QVERIFY(QFile::exists(copy.filePath(QStringLiteral("modules/macro/My Macro.bin"))));
        // The first question takes the given answer, the second the default.
        QCOMPARE(returned(7).toBool(), true);
        QCOMPARE(returned(8).toBool(), false);
        QVERIFY(err.contains("-> OK\n"));
        QVERIFY(err.contains("-> Cancel (default)\n"));
        // The picture dialog took the last path; the next export found none.
        QCOMPARE(returned(9).toString(), QString());
        QVERIFY(err.contains("wants a file and no --file is left: cancelled"));
        QVERIFY(!err.contains("no dialog asked for"));
    }

    // One process talks to each mouse: later starts go to the running window.
    void laterStartsGoToTheRunningWindow()
    {
        QTemporaryDir copy; // the window writes its settings here
        QVERIFY(copyProgram(copy.path()));
        const QString program = copy.filePath(QStringLiteral("z4config"));
        Sim sim;
        QVERIFY(sim.start());
        const QString bus = sim.bus.path();
        const QStringList call =
            QString("--call hid.hid_01H_SetReportRate 2 --call hid.hid_81H_GetReportRate 0")
                .split(' ');
        // The log keeps the plain bytes of enciphered frames.
        const QByteArray setFrame = "\"plain\":\"00 01 02 00 00 00 00 00 fc\"";

        QByteArray direct, out, err;
        // A run on the same mouse with `words`: its exit code.
        const auto runOn = [&](const QStringList &words) {
            return run(program, QStringList{"--virtual-bus", bus} + words, &out, &err);
        };
        QCOMPARE(runOn(call), 0);
        direct = out;
        const QList<QByteArray> lines = direct.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(parseLine(lines[1]).value(QStringLiteral("rate")).toInt(), 2);
        QCOMPARE(readFile(sim.log).count(setFrame), 1);
        QVERIFY(readFile(sim.log).contains("\"plain\":\"00 81 00 00 00 00 00 00 7e\""));
        QVERIFY(runOn({"--call", "hid.hid_01H_SetReportRate", "\"x\""}) != 0);
        QVERIFY(out.isEmpty() && !err.isEmpty());
        // The log lines stay quiet unless asked for.
        QProcessEnvironment plain = QProcessEnvironment::systemEnvironment();
        plain.remove(QStringLiteral("QT_LOGGING_RULES"));
        const QStringList get{"--virtual-bus", bus, "--call", "hid.hid_81H_GetReportRate", "0"};
        QCOMPARE(run(program, get, &out, &err, plain), 0);
        QVERIFY(!err.contains("Device Connect"));
        QCOMPARE(run(program, QStringList{"--verbose"} + get, &out, &err, plain), 0);
        QVERIFY(err.contains("Device Connect"));

        QProcess window;
        window.setProcessChannelMode(QProcess::MergedChannels);
        window.start(program, {"--virtual-bus", bus});
        QByteArray seen;
        QVERIFY2(waitForOutput(window, seen, "Device Connect", 1, 20000), seen.constData());
        QCOMPARE(runOn(call), 0);
        QCOMPARE(out, direct);
        // Sent once, by the window's link: the later start opened nothing.
        QCOMPARE(readFile(sim.log).count(setFrame), 2);
        QCOMPARE(runOn({"--call", "hid.nothing"}), 2);
        QVERIFY(out.isEmpty() && err.contains("nothing"));
        // Later runs share the window's state (its current profile).
        QCOMPARE(runOn({"--call", "ui_View.ui_02H_SetCurrentProfile", "4"}), 0);
        QCOMPARE(runOn({"--call", "ui_View.ui_0BH_SetCurrentDPIStage", "7"}), 0);
        QTRY_COMPARE(
            QSettings(copy.filePath(QStringLiteral("modules/setting/p5.bin")), QSettings::IniFormat)
                .value(QStringLiteral("sensor/stage_Z4"))
                .toInt(),
            7);
        QCOMPARE(runOn({}), 0);
        seen += window.readAll();
        QCOMPARE(window.state(), QProcess::Running);
        QCOMPARE(seen.count("Device Connect"), 1);
        // The calls left the window's device watcher running: it sees the unplug
        // and connects again to the replugged mouse.
        sim.stop();
        QVERIFY2(waitForOutput(window, seen, "Device removed", 1, 5000), seen.constData());
        QVERIFY(sim.start());
        QVERIFY2(waitForOutput(window, seen, "Device Connect", 2, 15000), seen.constData());
        window.terminate();
        QVERIFY(window.waitForFinished(5000));
    }

    // Without a display, xcb would abort any start that makes the application object.
    void helpAndVersionNeedNoDisplay()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        const QString program = binDir() + QStringLiteral("/z4config");
        QByteArray out, err;
        QCOMPARE(run(program, {"--help"}, &out, &err, env), 0);
        QVERIFY(out.contains("--virtual-bus") && out.contains("--call"));
        QVERIFY(err.isEmpty());
        QCOMPARE(run(program, {"--version"}, &out, &err, env), 0);
        QVERIFY(out.startsWith("z4config "));
        QCOMPARE(run(program, {"--fast"}, &out, &err, env), 2);
        QVERIFY(out.isEmpty());
        QVERIFY(err.contains("fast") && err.contains("--help"));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
