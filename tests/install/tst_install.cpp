// The build installed under a prefix, as a user installs it: the program
// finds its data from its own folder, each user keeps their own settings,
// the shipped data is never written, and the desktop files name one id.
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every file under `root` with a hash of its contents.
QMap<QString, QByteArray> fingerprint(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            files.insert(path, QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1));
    }
    return files;
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

    QTemporaryDir tmp;
    QString prefix;
    QString appId;

    // Runs the installed program as the user whose config folder is
    // `config` and returns its standard output (empty on failure).
    QByteArray runAs(const QString &config, const QStringList &arguments)
    {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("XDG_CACHE_HOME"), tmp.path() + QStringLiteral("/cache"));
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(QDir::rootPath());
        program.start(prefix + QStringLiteral("/bin/z4config"), arguments);
        if (!program.waitForFinished(30000) || program.exitCode() != 0) {
            qWarning() << program.readAllStandardError();
            return {};
        }
        return program.readAllStandardOutput();
    }

    static int stageIn(const QString &profile)
    {
        return QSettings(profile, QSettings::IniFormat).value("sensor/stage_Z4").toInt();
    }

    int stageOf(const QString &config)
    {
        const QByteArray out =
            runAs(config, {"--demo", "--call", "ui_View.ui_8BH_GetCurrentDPIStage"});
        return QJsonDocument::fromJson(out).object().value(QStringLiteral("return")).toInt(-1);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(tmp.isValid());
        prefix = tmp.path() + QStringLiteral("/prefix");
        appId = qEnvironmentVariable("Z4_APP_ID");
        QProcess install;
        install.start(qEnvironmentVariable("Z4_CMAKE"),
                      {"--install", qEnvironmentVariable("Z4_BUILD_DIR"), "--prefix", prefix});
        QVERIFY(install.waitForFinished(60000));
        QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
    }

    void eachUserKeepsTheirOwnSettingsAndTheSharedDataStaysUntouched()
    {
        const QString share = prefix + QStringLiteral("/share/z4config");
        const auto shipped = fingerprint(share);
        QVERIFY(!shipped.isEmpty());
        const QString alice = tmp.path() + QStringLiteral("/alice");
        const QString bob = tmp.path() + QStringLiteral("/bob");
        const int factoryStage = stageIn(share + QStringLiteral("/setting/p1.bin"));
        const int changed = factoryStage == 3 ? 4 : 3;

        QVERIFY(!runAs(alice, {"--demo", "--call", "ui_View.ui_0BH_SetCurrentDPIStage",
                               QString::number(changed), "--call", "ui_View.createMacroIni"})
                     .isEmpty());
        const QString aliceFiles = alice + QStringLiteral("/z4config");
        QCOMPARE(stageIn(aliceFiles + QStringLiteral("/setting/p1.bin")), changed);
        QVERIFY(QFile::exists(aliceFiles + QStringLiteral("/macro/Macro. 001.bin")));
        QVERIFY(QFile::exists(aliceFiles + QStringLiteral("/gun/selGunData.bin")));

        // A second user starts from the shipped settings; the first finds
        // theirs again after a restart.
        QCOMPARE(stageOf(bob), factoryStage);
        QCOMPARE(stageOf(alice), changed);
        QCOMPARE(fingerprint(share), shipped);
        // Nothing was written beside the program either.
        QCOMPARE(QDir(prefix + QStringLiteral("/bin")).entryList(QDir::Files).size(), 2);
    }

    void desktopFilesNameOneApplicationId()
    {
        const QSettings entry(prefix + "/share/applications/" + appId + ".desktop",
                              QSettings::IniFormat);
        QCOMPARE(entry.value(QStringLiteral("Desktop Entry/Icon")).toString(), appId);
        const QString icons = prefix + QStringLiteral("/share/icons/hicolor/");
        QVERIFY(QFile::exists(icons + QStringLiteral("scalable/apps/") + appId + ".svg"));
        QVERIFY(QFile::exists(icons + QStringLiteral("48x48/apps/") + appId + ".png"));

        QFile meta(prefix + "/share/metainfo/" + appId + ".metainfo.xml");
        QVERIFY(meta.open(QIODevice::ReadOnly));
        const QByteArray xml = meta.readAll();
        QVERIFY(xml.contains("<id>" + appId.toUtf8() + "</id>"));
        QVERIFY(xml.contains("<launchable type=\"desktop-id\">" + appId.toUtf8() + ".desktop<"));
        QVERIFY(xml.contains("<modalias>hid:b0003g*v00002F76p00000C14</modalias>"));
    }

    void validatorsAcceptTheDesktopFiles_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList()
                                       << "/share/applications/" + appId + ".desktop";
        QTest::newRow("metainfo") << "appstreamcli" << QStringList{"validate", "--no-net"}
                                  << "/share/metainfo/" + appId + ".metainfo.xml";
    }

    void validatorsAcceptTheDesktopFiles()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        const QString program = QStandardPaths::findExecutable(tool);
        if (program.isEmpty())
            QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
        QProcess validator;
        validator.setProcessChannelMode(QProcess::MergedChannels);
        validator.start(program, arguments << prefix + file);
        QVERIFY(validator.waitForFinished(30000));
        const QByteArray report = validator.readAll();
        QVERIFY2(validator.exitCode() == 0, report.constData());
        // Both tools pass files with warnings; a clean file has none.
        QVERIFY2(!report.contains("W:") && !report.contains("warning"), report.constData());
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
