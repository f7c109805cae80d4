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
    return qEnvironmentVariable("Z4_BIN_DIR") + QStringLiteral("/modules");
}

QStringList profileFiles()
{
    QStringList names{QStringLiteral("apConfig.bin")};
    for (int i = 1; i <= 10; ++i)
        names.append(QStringLiteral("p%1.bin").arg(i));
    return names;
}

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
        const QString prefix = tmp.path() + QStringLiteral("/my prefix");
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/share/z4config/img/skin1")));
        const QString home = tmp.path() + QStringLiteral("/home/.config/z4config");

        const DataLocations where = DataLocations::forProgram(prefix + "/bin", home);
        QCOMPARE(where.layout(), DataLocations::Layout::PerUser);
        const QString share = prefix + QStringLiteral("/share/z4config");
        QCOMPARE(where.shippedDir(), share);
        QCOMPARE(where.factorySettingDir(), share + QStringLiteral("/setting"));
        QCOMPARE(where.languageDir(), share + QStringLiteral("/i18n"));
        QCOMPARE(where.settingDir(), home + QStringLiteral("/setting"));
        QCOMPARE(where.gunDir(), home + QStringLiteral("/gun"));

        const QString url = where.imageFolderUrl();
        QVERIFY2(url.startsWith(QStringLiteral("file:///")) && url.endsWith('/'), qPrintable(url));
        QCOMPARE(QUrl(url + QStringLiteral("skin1")).toLocalFile(),
                 share + QStringLiteral("/img/skin1"));

        // Without share/z4config, the folder is taken as a portable one.
        QVERIFY(QDir(prefix + QStringLiteral("/share")).removeRecursively());
        QCOMPARE(DataLocations::forProgram(prefix + "/bin", home).layout(),
                 DataLocations::Layout::BesideProgram);
    }

    void firstStartSeedsTheUsersFolderAndLaterStartsKeepIt()
    {
        QTemporaryDir tmp;
        const QString home = tmp.path() + QStringLiteral("/z4config");
        const DataLocations where = DataLocations::perUser(shippedModules(), home);

        QCOMPARE(prepareUserFiles(where), QStringList());
        QVERIFY(QFileInfo(where.macroDir()).isDir());
        const QString shippedSettings = shippedModules() + QStringLiteral("/setting/");
        // The first settings, but no factory copies: those stay shipped.
        QStringList settings = profileFiles();
        settings.sort();
        QStringList seeded = QDir(where.settingDir()).entryList(QDir::Files, QDir::Name);
        seeded.sort();
        QCOMPARE(seeded, settings);
        for (const QString &name : settings)
            QCOMPARE(readFile(where.settingDir() + '/' + name), readFile(shippedSettings + name));
        const QStringList guns = QDir(shippedModules() + QStringLiteral("/gun"))
                                     .entryList({QStringLiteral("*.bin")}, QDir::Files);
        QVERIFY(!guns.isEmpty());
        QCOMPARE(QDir(where.gunDir()).entryList(QDir::Files), guns);

        // Later starts keep what the user changed and bring back what they
        // deleted.
        writeFile(where.settingDir() + QStringLiteral("/p1.bin"), "[sensor]\nstage_Z4=4\n");
        QVERIFY(QFile::remove(where.settingDir() + QStringLiteral("/p3.bin")));
        QCOMPARE(prepareUserFiles(where), QStringList());
        QCOMPARE(readFile(where.settingDir() + QStringLiteral("/p1.bin")),
                 QByteArray("[sensor]\nstage_Z4=4\n"));
        QCOMPARE(readFile(where.settingDir() + QStringLiteral("/p3.bin")),
                 readFile(shippedSettings + QStringLiteral("p3.bin")));
    }

    void seedingProblemsAreReported()
    {
        QTemporaryDir tmp;
        // A shipped folder that lacks its profiles.
        const QString shipped = tmp.path() + QStringLiteral("/share");
        writeFile(shipped + QStringLiteral("/setting/apConfig.bin"), "[common]\nname=x\n");
        const QStringList missing =
            prepareUserFiles(DataLocations::perUser(shipped, tmp.path() + "/home"));
        QCOMPARE(missing.size(), 10);
        QVERIFY(missing.first().contains(QStringLiteral("p1.bin")));
        QCOMPARE(readFile(tmp.path() + QStringLiteral("/home/setting/apConfig.bin")),
                 QByteArray("[common]\nname=x\n"));

        // A config folder that cannot be made (a file is in the way).
        writeFile(tmp.path() + QStringLiteral("/blocked"), "file");
        const QStringList blocked = prepareUserFiles(
            DataLocations::perUser(shippedModules(), tmp.path() + QStringLiteral("/blocked")));
        QVERIFY(!blocked.isEmpty());
        QVERIFY(blocked.first().startsWith(QStringLiteral("cannot create the folder")));
    }
};

QTEST_GUILESS_MAIN(TestDataLocations)
#include "tst_data_locations.moc"
