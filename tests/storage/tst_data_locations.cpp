// Where the program's files live in each layout, and the first start of a
// user whose files are kept apart from the shipped data.
#include "backend/config/user_files.h"
#include "storage/data_locations.h"
#include "support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

QString shippedModules()
{
    return qEnvironmentVariable("Z4_BIN_DIR") + "/modules";
}

// The first settings a user gets, sorted by name.
const QStringList profileFiles{"apConfig.bin", "p1.bin", "p10.bin", "p2.bin", "p3.bin", "p4.bin",
                               "p5.bin",       "p6.bin", "p7.bin",  "p8.bin", "p9.bin"};

} // namespace

class TestDataLocations : public QObject
{
    Q_OBJECT

private slots:
    void buildFolderKeepsEverythingBesideTheProgram()
    {
        QTemporaryDir home;
        const DataLocations where =
            DataLocations::forProgram(qEnvironmentVariable("Z4_BIN_DIR"), home.path());
        QCOMPARE(where.layout(), DataLocations::Layout::BesideProgram);
        QCOMPARE(where.settingDir(), QDir(shippedModules()).absoluteFilePath("setting"));
        QCOMPARE(where.factorySettingDir(), where.settingDir());
        QVERIFY(where.seedFiles().isEmpty());
    }

    void installedTreeKeepsTheUsersFilesApart()
    {
        // A prefix with a blank in its name: the scene gets its pictures
        // through a URL.
        QTemporaryDir tmp;
        const QString prefix = tmp.path() + "/my prefix";
        QVERIFY(QDir().mkpath(prefix + "/bin"));
        QVERIFY(QDir().mkpath(prefix + "/share/z4config/img/skin1"));
        const QString home = tmp.path() + "/home/.config/z4config";

        const DataLocations where = DataLocations::forProgram(prefix + "/bin", home);
        QCOMPARE(where.layout(), DataLocations::Layout::PerUser);
        const QString share = prefix + "/share/z4config";
        QCOMPARE(where.shippedDir(), share);
        QCOMPARE(where.factorySettingDir(), share + "/setting");
        QCOMPARE(where.languageDir(), share + "/i18n");
        QCOMPARE(where.settingDir(), home + "/setting");
        QCOMPARE(where.gunDir(), home + "/gun");

        const QString url = where.imageFolderUrl();
        QVERIFY2(url.startsWith(QString("file:///")) && url.endsWith('/'), qPrintable(url));
        QCOMPARE(QUrl(url + "skin1").toLocalFile(), share + "/img/skin1");

        // Without share/z4config, the folder is taken as a portable one.
        QVERIFY(QDir(prefix + "/share").removeRecursively());
        QCOMPARE(DataLocations::forProgram(prefix + "/bin", home).layout(),
                 DataLocations::Layout::BesideProgram);
    }

    void firstStartSeedsTheUsersFolderAndLaterStartsKeepIt()
    {
        QTemporaryDir tmp;
        const QString home = tmp.path() + "/z4config";
        const DataLocations where = DataLocations::perUser(shippedModules(), home);

        QCOMPARE(prepareUserFiles(where), QStringList());
        QVERIFY(QFileInfo(where.macroDir()).isDir());
        const QString shippedSettings = shippedModules() + "/setting/";
        // The first settings, but no factory copies: those stay shipped.
        QCOMPARE(QDir(where.settingDir()).entryList(QDir::Files, QDir::Name), profileFiles);
        for (const QString &name : profileFiles)
            QCOMPARE(readFile(where.settingDir() + '/' + name), readFile(shippedSettings + name));
        const QStringList guns =
            QDir(shippedModules() + "/gun").entryList({QString("*.bin")}, QDir::Files);
        QVERIFY(!guns.isEmpty());
        QCOMPARE(QDir(where.gunDir()).entryList(QDir::Files), guns);

        // Later starts keep what the user changed and bring back what they
        // deleted.
        writeFile(where.settingDir() + "/p1.bin", "[sensor]\nstage_Z4=4\n");
        QVERIFY(QFile::remove(where.settingDir() + "/p3.bin"));
        QCOMPARE(prepareUserFiles(where), QStringList());
        QCOMPARE(readFile(where.settingDir() + "/p1.bin"), QByteArray("[sensor]\nstage_Z4=4\n"));
        QCOMPARE(readFile(where.settingDir() + "/p3.bin"), readFile(shippedSettings + "p3.bin"));
    }

    void seedingProblemsAreReported()
    {
        QTemporaryDir tmp;
        // A shipped folder that lacks its profiles.
        const QString shipped = tmp.path() + "/share";
        writeFile(shipped + "/setting/apConfig.bin", "[common]\nname=x\n");
        const QStringList missing =
            prepareUserFiles(DataLocations::perUser(shipped, tmp.path() + "/home"));
        QCOMPARE(missing.size(), 10);
        QVERIFY(missing.first().contains(QString("p1.bin")));
        QCOMPARE(readFile(tmp.path() + "/home/setting/apConfig.bin"),
                 QByteArray("[common]\nname=x\n"));

        // A config folder that cannot be made (a file is in the way).
        writeFile(tmp.path() + "/blocked", "file");
        const QStringList blocked =
            prepareUserFiles(DataLocations::perUser(shippedModules(), tmp.path() + "/blocked"));
        QVERIFY(!blocked.isEmpty());
        QVERIFY(blocked.first().startsWith(QString("cannot create the folder")));
    }
};

QTEST_GUILESS_MAIN(TestDataLocations)
#include "tst_data_locations.moc"
