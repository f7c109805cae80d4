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

// The program and its shipped data copied into `dir`, so that a run may
// change its settings and macros.
bool copyProgram(const QString &dir)
{
    if (!copyTree(binDir() + QStringLiteral("/modules"), dir + QStringLiteral("/modules")) ||
        !QFile::copy(binDir() + QStringLiteral("/z4config"), dir + QStringLiteral("/z4config")))
        return false;
    return QFile::setPermissions(dir + QStringLiteral("/z4config"),
                                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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
        QVERIFY(copyProgram(copy.path()));

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

    // Every operation that opens a dialog or a message box in the window
    // answers from the command line in a --call run, and the run ends.
    void callAnswersEveryDialogFromItsCommandLine()
    {
        QTemporaryDir copy;
        QVERIFY(copyProgram(copy.path()));
        QTemporaryDir files;
        const QString in = files.filePath(QStringLiteral("in.pf"));
        const QString out = files.filePath(QStringLiteral("out.pf"));
        const QString exported = files.filePath(QStringLiteral("exported.bin"));
        const QString imported = files.filePath(QStringLiteral("My Macro.bin"));
        QVERIFY(writeAll(in, "[sensor]\nstage_Z4=5\n"));
        QVERIFY(writeAll(imported, "[config]\ntotal=1\n[macro]\n0=A    [Down]\n"));
        // 70 key presses do not fit the mouse's 128-byte macro block.
        QJsonArray lines;
        for (int i = 0; i < 70; ++i)
            lines.append(QStringLiteral("A    [Down]"));
        const QString longMacro =
            QString::fromUtf8(QJsonDocument(lines).toJson(QJsonDocument::Compact));

        QProcess program;
        program.setWorkingDirectory(files.path()); // relative --file paths start here
        program.start(copy.filePath(QStringLiteral("z4config")), {"--demo",
                                                                  "--file",
                                                                  "in.pf",
                                                                  "--file",
                                                                  out,
                                                                  "--file",
                                                                  exported,
                                                                  "--file",
                                                                  imported,
                                                                  "--answer",
                                                                  "ok",
                                                                  "--file",
                                                                  files.filePath("unused"),
                                                                  "--call",
                                                                  "ui_View.loadProfile",
                                                                  "1",
                                                                  "--call",
                                                                  "ui_View.saveProfile",
                                                                  "1",
                                                                  "--call",
                                                                  "ui_View.createMacroIni",
                                                                  "--call",
                                                                  "ui_View.setMacroIniConfig",
                                                                  "\"Macro. 001\"",
                                                                  "[0,1]",
                                                                  "--call",
                                                                  "ui_View.saveMacroIni",
                                                                  "\"Macro. 001\"",
                                                                  longMacro,
                                                                  "--call",
                                                                  "ui_View.saveMacroIniToFile",
                                                                  "\"Macro. 001\"",
                                                                  "--call",
                                                                  "ui_View.loadMacroIniFromFile",
                                                                  "--call",
                                                                  "ui_View.getMsgAns_FoolProofing",
                                                                  "--call",
                                                                  "ui_View.getMsgAns_FoolProofing",
                                                                  "--call",
                                                                  "ui_View.getCustomFilePath",
                                                                  "--call",
                                                                  "ui_View.saveProfile",
                                                                  "0"});
        QVERIFY2(program.waitForFinished(30000), "a prompt blocked the headless run");
        const QByteArray err = program.readAllStandardError();
        QCOMPARE(program.exitCode(), 0);
        const QList<QByteArray> results = program.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(results.size(), 11);
        const auto returned = [&](int i) { return parseLine(results[i]).value("return"); };

        QCOMPARE(readAll(copy.filePath(QStringLiteral("modules/setting/p2.bin"))),
                 QByteArray("[sensor]\nstage_Z4=5\n"));
        QCOMPARE(readAll(out), QByteArray("[sensor]\nstage_Z4=5\n"));
        QCOMPARE(returned(2).toString(), QStringLiteral("Macro. 001"));
        QCOMPARE(returned(4).toBool(), true);
        QVERIFY(err.contains("z4config: warning: MACRO: Out of memory, some command line has "
                             "been cut."));
        QVERIFY(readAll(exported).contains("69=A    [Down]"));
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

        // The log lines stay quiet unless asked for.
        QProcessEnvironment plain = QProcessEnvironment::systemEnvironment();
        plain.remove(QStringLiteral("QT_LOGGING_RULES"));
        for (const bool verbose : {false, true}) {
            QProcess quiet;
            quiet.setProcessEnvironment(plain);
            QStringList arguments{"--virtual-bus", bus.path(), "--call",
                                  "hid.hid_81H_GetReportRate", "0"};
            if (verbose)
                arguments.prepend(QStringLiteral("--verbose"));
            quiet.start(binDir() + QStringLiteral("/z4config"), arguments);
            QVERIFY(quiet.waitForFinished(30000));
            QCOMPARE(quiet.exitCode(), 0);
            QCOMPARE(quiet.readAllStandardError().contains("Device Connect"), verbose);
        }

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

    // One process talks to each mouse: with a window running, a --call runs
    // in it and answers as a run of its own would, and a second start
    // raises the window and exits.
    void laterStartsGoToTheRunningWindow()
    {
        QTemporaryDir copy; // the window writes its settings here
        QVERIFY(copyProgram(copy.path()));
        const QString program = copy.filePath(QStringLiteral("z4config"));
        QTemporaryDir bus;
        const QString log = bus.path() + QStringLiteral("/sim.log");
        QProcess sim;
        sim.start(binDir() + QStringLiteral("/z4sim"), {"--bus", bus.path(), "--log", log});
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(bus.path()).entryList(QDir::System).isEmpty(), 5000);
        const QStringList call{"--virtual-bus",
                               bus.path(),
                               "--call",
                               "hid.hid_01H_SetReportRate",
                               "2",
                               "--call",
                               "hid.hid_81H_GetReportRate",
                               "0"};
        const auto run = [&program](const QStringList &arguments, QByteArray *out,
                                    QByteArray *err) {
            QProcess later;
            later.start(program, arguments);
            if (!later.waitForFinished(30000))
                return -1;
            *out = later.readAllStandardOutput();
            *err = later.readAllStandardError();
            return later.exitCode();
        };
        const QByteArray setFrame = "\"plain\":\"00 01 02 00 00 00 00 00 fc\"";

        QByteArray direct, directErr;
        QCOMPARE(run(call, &direct, &directErr), 0);
        QCOMPARE(readAll(log).count(setFrame), 1);

        QProcess window;
        window.setProcessChannelMode(QProcess::MergedChannels);
        window.start(program, {"--virtual-bus", bus.path()});
        QByteArray seen;
        QVERIFY2(waitForOutput(window, seen, "Device Connect", 1, 20000), seen.constData());

        QByteArray forwarded, forwardedErr;
        QCOMPARE(run(call, &forwarded, &forwardedErr), 0);
        QCOMPARE(forwarded, direct);
        // Sent once, by the window's link: the later start opened nothing.
        QCOMPARE(readAll(log).count(setFrame), 2);
        // Refused calls come back the same way.
        QByteArray badOut, badErr;
        QCOMPARE(run({"--virtual-bus", bus.path(), "--call", "hid.nothing"}, &badOut, &badErr), 2);
        QVERIFY(badOut.isEmpty());
        QVERIFY(badErr.contains("nothing"));
        // Later runs share the window's state: the profile one of them chose
        // is where the next one's setting lands.
        QCOMPARE(
            run({"--virtual-bus", bus.path(), "--call", "ui_View.ui_02H_SetCurrentProfile", "4"},
                &badOut, &badErr),
            0);
        QCOMPARE(
            run({"--virtual-bus", bus.path(), "--call", "ui_View.ui_0BH_SetCurrentDPIStage", "7"},
                &badOut, &badErr),
            0);
        QTRY_COMPARE(
            QSettings(copy.filePath(QStringLiteral("modules/setting/p5.bin")), QSettings::IniFormat)
                .value(QStringLiteral("sensor/stage_Z4"))
                .toInt(),
            7);

        QByteArray secondOut, secondErr;
        QCOMPARE(run({"--virtual-bus", bus.path()}, &secondOut, &secondErr), 0);
        seen += window.readAll();
        QCOMPARE(window.state(), QProcess::Running);
        QCOMPARE(seen.count("Device Connect"), 1);

        window.terminate();
        QVERIFY(window.waitForFinished(5000));
        sim.terminate();
        QVERIFY(sim.waitForFinished(5000));
    }

    void helpAndVersionNeedNoDisplay()
    {
        // The X11 platform without a display aborts any start that gets as
        // far as the application object.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        const auto run = [&env](const QStringList &arguments, QByteArray *out, QByteArray *err) {
            QProcess program;
            program.setProcessEnvironment(env);
            program.start(binDir() + QStringLiteral("/z4config"), arguments);
            if (!program.waitForFinished(10000))
                return -1;
            *out = program.readAllStandardOutput();
            *err = program.readAllStandardError();
            return program.exitCode();
        };
        QByteArray out, err;
        QCOMPARE(run({"--help"}, &out, &err), 0);
        QVERIFY(out.contains("--virtual-bus") && out.contains("--call"));
        QVERIFY(err.isEmpty());
        QCOMPARE(run({"--version"}, &out, &err), 0);
        QVERIFY(out.startsWith("z4config "));
        QCOMPARE(run({"--fast"}, &out, &err), 2);
        QVERIFY(out.isEmpty());
        QVERIFY(err.contains("fast") && err.contains("--help"));
        QCOMPARE(run({"--demo", "stray"}, &out, &err), 2);
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
