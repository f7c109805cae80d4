#include "backend/config/config_store.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A factory profile with every key loadDefaultProfile reads.
const QByteArray FullFactoryProfile =
    "[sensor]\n"
    "reportRate_Z4=8\n"
    "cursorSpeed_Z4=6\n"
    "verticalScrollLines_Z4=3\n"
    "doubleClickSpeed_Z4=4\n"
    "dpi_Z4=250, 500, 750, 1000, 0, 0, 0, 0\n"
    "stage_Z4=3\n"
    "[color_Z4]\n"
    "type0=1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, "
    "17, 18, 19, 20, 21, 22, 23, 24\n"
    "type1=31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, "
    "45, 46, 47, 48, 49, 50, 51, 52, 53, 54\n"
    "type2=7, 6, 5, 4, 3, 2, 1, 0\n"
    "ledEffect=2, 7, 7\n"
    "[keydefine_Z4]\n"
    "0=1, 0, 240, 0\n1=1, 0, 241, 0\n2=1, 0, 242, 0\n"
    "3=1, 0, 243, 0\n4=1, 0, 244, 0\n5=7, 0, 3, 0\n"
    "6=10, 240, 33, 3\n7=0, 0, 0, 0\n8=0, 0, 0, 0\n"
    "9=0, 0, 0, 0\n10=0, 0, 0, 0\n11=0, 0, 0, 0\n"
    "12=0, 0, 0, 0\n13=0, 0, 0, 0\n14=0, 0, 0, 0\n"
    "15=4, 0, 2, 0\n";

std::unique_ptr<QSettings> snapshot(const QString &path)
{
    static int counter = 0;
    const QString copy =
        QFileInfo(path).absolutePath() + QStringLiteral("/snapshot%1.ini").arg(++counter);
    QFile::remove(copy);
    if (!QFile::copy(path, copy))
        return std::make_unique<QSettings>(QString(), QSettings::IniFormat);
    auto settings = std::make_unique<QSettings>(copy, QSettings::IniFormat);
    QFile::remove(copy); // the settings object has read it already
    return settings;
}

QList<int> toInts(const QVariantList &list)
{
    QList<int> out;
    for (const QVariant &v : list) {
        bool ok = false;
        out.append(v.toInt(&ok));
        if (!ok)
            out.last() = -1000; // shows up in any comparison
    }
    return out;
}

// The list as texts, an empty text for a value the factory file lacks.
QStringList texts(const QVariantList &list)
{
    QStringList out;
    for (const QVariant &v : list)
        out.append(v.toString());
    return out;
}

} // namespace

class TestConfigStore : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void valuesAreStoredAsText();
    void shorterApConfigLeavesStaleEntries();
    void apConfigMissingEntriesAndBoundedTotal_data();
    void apConfigMissingEntriesAndBoundedTotal();
    void deviceApConfig_data();
    void deviceApConfig();
    void deviceConfigSource();

    void liveProfileFollowsIndex();
    void exportCopiesIndexFileOrRefuses();
    void importIntoLiveProfileReplacesStoreInPlace();
    void failedImportKeepsOldProfile_data();
    void failedImportKeepsOldProfile();
    void resetProfileFromFactory();
    void resetApconfigReplacesSettings();

    void defaultProfilePages_data();
    void defaultProfilePages();
    void defaultProfileMissingListKeepsPositions();
    void settingsApartFromShippedDataWriteOnlyTheUsersFiles();

    void damagedFactoryFileIsNotCopied_data();
    void damagedFactoryFileIsNotCopied();
    void oversizedSettingsFileIsSetAside();
    void longFactoryListsAreCutToThePage();

private:
    std::unique_ptr<QTemporaryDir> tmp;
    QString settingDir() const { return tmp->path() + QStringLiteral("/modules/setting/"); }
};

void TestConfigStore::init()
{
    tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(tmp->isValid());
    QVERIFY(QDir().mkpath(settingDir()));
}

void TestConfigStore::shorterApConfigLeavesStaleEntries()
{
    QVariantList thirtyTwo;
    for (int i = 0; i < 32; ++i)
        thirtyTwo.append(100 + i);
    {
        ConfigStore store(DataLocations::beside(tmp->path()));
        store.saveApConfig(thirtyTwo);
        store.saveApConfig(thirtyTwo.mid(0, 10));
        QCOMPARE(store.loadApConfig().size(), 10);
    }
    const auto file = snapshot(settingDir() + QStringLiteral("apConfig.bin"));
    QCOMPARE(file->value(QStringLiteral("common/total")).toInt(), 10);
    for (int i = 0; i < 32; ++i)
        QCOMPARE(file->value(QStringLiteral("common/%1").arg(i)).toInt(), 100 + i);

    ConfigStore reopened(DataLocations::beside(tmp->path()));
    const QVariantList loaded = reopened.loadApConfig();
    QCOMPARE(loaded.size(), 10);
    QCOMPARE(loaded.at(9).toInt(), 109);
}

void TestConfigStore::valuesAreStoredAsText()
{
    ConfigStore store(DataLocations::beside(tmp->path()));
    store.saveApConfig({1, true, QUrl(QStringLiteral("file:///home/u/a b.png")), QString()});
    store.liveProfile().setValue(QStringLiteral("sensor/dpi_Z4"), QVariantList{500, 1000, 0});
    store.sync();
    QVERIFY(!readFile(store.apConfigPath()).contains("@Variant"));
    const auto file = snapshot(store.apConfigPath());
    QCOMPARE(file->value(QStringLiteral("common/1")).toString(), QStringLiteral("true"));
    QCOMPARE(file->value(QStringLiteral("common/2")).toString(),
             QStringLiteral("file:///home/u/a b.png"));
    const QVariant dpi = snapshot(store.profilePath(0))->value(QStringLiteral("sensor/dpi_Z4"));
    QCOMPARE(dpi.typeId(), QMetaType::QStringList);
    QCOMPARE(dpi.toStringList(), (QStringList{"500", "1000", "0"}));
}

void TestConfigStore::apConfigMissingEntriesAndBoundedTotal_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("head");

    QTest::newRow("no file") << QByteArray() << 0 << QList<int>{};
    QTest::newRow("gaps read as 0")
        << QByteArray("[common]\ntotal=4\n0=7\n2=9\n") << 4 << QList<int>{7, 0, 9, 0};
    QTest::newRow("negative total") << QByteArray("[common]\ntotal=-5\n0=7\n") << 0 << QList<int>{};
    QTest::newRow("text total") << QByteArray("[common]\ntotal=many\n0=7\n") << 0 << QList<int>{};
    QTest::newRow("huge total is bounded") << QByteArray("[common]\ntotal=2147483647\n0=7\n")
                                           << ConfigStore::MaxApConfigEntries << QList<int>{7, 0};
}

void TestConfigStore::apConfigMissingEntriesAndBoundedTotal()
{
    QFETCH(QByteArray, file);
    QFETCH(int, count);
    QFETCH(QList<int>, head);
    if (!file.isEmpty())
        writeFile(settingDir() + QStringLiteral("apConfig.bin"), file);
    ConfigStore store(DataLocations::beside(tmp->path()));
    const QVariantList list = store.loadApConfig();
    QCOMPARE(list.size(), count);
    QCOMPARE(toInts(list.mid(0, head.size())), head);
}

void TestConfigStore::deviceApConfig_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("stages");

    QTest::newRow("no file") << QByteArray() << 8;
    QTest::newRow("key missing") << QByteArray("[common]\nname=x\n") << 8;
    QTest::newRow("stored 4") << QByteArray("[Z4]\ncolorMaxStage=4\n") << 4;
    QTest::newRow("too many") << QByteArray("[Z4]\ncolorMaxStage=5000\n") << 8;
    QTest::newRow("negative") << QByteArray("[Z4]\ncolorMaxStage=-2\n") << 0;
}

void TestConfigStore::deviceApConfig()
{
    QFETCH(QByteArray, file);
    QFETCH(int, stages);
    if (!file.isEmpty())
        writeFile(settingDir() + QStringLiteral("apConfig.bin"), file);

    ConfigStore store(DataLocations::beside(tmp->path()));
    const QVariantList list = store.loadDeviceApConfig();
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.at(0).toInt(), stages);
}

void TestConfigStore::deviceConfigSource()
{
    writeFile(settingDir() + QStringLiteral("apConfig.bin"),
              "[common]\nname=Z4 Test\nproduct_name=KB, Mouse\nsCode1=123456\n");
    ConfigStore store(DataLocations::beside(tmp->path()));
    const DeviceConfigSource &source = store;
    QCOMPARE(source.productNames(), QStringList({QStringLiteral("KB"), QStringLiteral("Mouse")}));
    QCOMPARE(source.secrecyCode(0), QStringLiteral("740352"));
    QCOMPARE(source.secrecyCode(1), QStringLiteral("123456"));
    QCOMPARE(source.secrecyCode(2), QString());
    QCOMPARE(store.windowTitle(), QStringLiteral("Z4 Test"));
}

void TestConfigStore::liveProfileFollowsIndex()
{
    QVERIFY(QDir(settingDir()).removeRecursively()); // made on the first write
    ConfigStore store(DataLocations::beside(tmp->path()));
    QCOMPARE(store.currentProfile(), 0);
    QVERIFY(store.setCurrentProfile(4));
    store.liveProfile().setValue(QStringLiteral("sensor/stage_Z4"), 5);
    store.sync();

    QCOMPARE(snapshot(settingDir() + QStringLiteral("p5.bin"))
                 ->value(QStringLiteral("sensor/stage_Z4"))
                 .toInt(),
             5);
    QVERIFY(!QFile::exists(settingDir() + QStringLiteral("p1.bin")));

    QVERIFY(!store.setCurrentProfile(10));
    QVERIFY(!store.setCurrentProfile(-1));
    QCOMPARE(store.currentProfile(), 4);
    QCOMPARE(QFileInfo(store.liveProfile().fileName()).fileName(), QStringLiteral("p5.bin"));
}

void TestConfigStore::exportCopiesIndexFileOrRefuses()
{
    const QString target = tmp->path() + QStringLiteral("/export.pf");
    writeFile(target, "old contents that must disappear, longer than the profile itself\n");

    ConfigStore store(DataLocations::beside(tmp->path()));
    store.setCurrentProfile(4);
    store.liveProfile().setValue(QStringLiteral("sensor/stage_Z4"), 6);
    // Not synced yet: the export must still carry the value.
    QVERIFY(store.saveProfile(4, target));

    QCOMPARE(readFile(target), readFile(settingDir() + QStringLiteral("p5.bin")));
    QCOMPARE(snapshot(target)->value(QStringLiteral("sensor/stage_Z4")).toInt(), 6);

    writeFile(target, "keep me\n");
    QVERIFY(!store.saveProfile(0, QString())); // dialog cancelled
    QVERIFY(!store.saveProfile(10, target));
    QVERIFY(!store.saveProfile(2, target)); // never written: nothing to export
    QCOMPARE(readFile(target), QByteArray("keep me\n"));
}

void TestConfigStore::importIntoLiveProfileReplacesStoreInPlace()
{
    const QString source = tmp->path() + QStringLiteral("/in.pf");
    writeFile(source, "[sensor]\nstage_Z4=7\ndpi_Z4=1, 2\n");

    ConfigStore store(DataLocations::beside(tmp->path()));
    store.setCurrentProfile(4);
    QSettings &live = store.liveProfile();
    live.setValue(QStringLiteral("sensor/stage_Z4"), 2);
    live.setValue(QStringLiteral("sensor/reportRate_Z4"), 8);

    QVERIFY(store.loadProfile(4, source));
    QCOMPARE(&store.liveProfile(), &live);
    QCOMPARE(live.value(QStringLiteral("sensor/stage_Z4")).toInt(), 7);
    QVERIFY(!live.contains(QStringLiteral("sensor/reportRate_Z4")));
    QCOMPARE(readFile(settingDir() + QStringLiteral("p5.bin")), readFile(source));

    live.setValue(QStringLiteral("sensor/cursorSpeed_Z4"), 9);
    store.sync();
    const auto p5 = snapshot(settingDir() + QStringLiteral("p5.bin"));
    QCOMPARE(p5->value(QStringLiteral("sensor/cursorSpeed_Z4")).toInt(), 9);
    QCOMPARE(p5->value(QStringLiteral("sensor/stage_Z4")).toInt(), 7);
    QVERIFY(!p5->contains(QStringLiteral("sensor/reportRate_Z4")));
    // The pending write before the import went to the old file, which is gone.
    QCOMPARE(readFile(source), QByteArray("[sensor]\nstage_Z4=7\ndpi_Z4=1, 2\n"));
}

void TestConfigStore::failedImportKeepsOldProfile_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("cancelled") << QString();
    QTest::newRow("missing") << QStringLiteral("missing.pf");
    QTest::newRow("directory") << QStringLiteral("folder.pf");
    QTest::newRow("oversized") << QStringLiteral("huge.pf");
}

void TestConfigStore::failedImportKeepsOldProfile()
{
    QFETCH(QString, source);
    QDir(tmp->path()).mkdir(QStringLiteral("folder.pf"));
    writeFile(tmp->path() + QStringLiteral("/huge.pf"),
              QByteArray(ConfigStore::MaxSettingsFileBytes + 1, '\n'));
    const QString path = source.isEmpty() ? source : tmp->path() + QLatin1Char('/') + source;

    ConfigStore store(DataLocations::beside(tmp->path()));
    store.setCurrentProfile(1);
    store.liveProfile().setValue(QStringLiteral("sensor/stage_Z4"), 3);
    store.sync();
    const QByteArray before = readFile(settingDir() + QStringLiteral("p2.bin"));

    QVERIFY(!store.loadProfile(1, path));
    QCOMPARE(readFile(settingDir() + QStringLiteral("p2.bin")), before);
    QCOMPARE(store.liveProfile().value(QStringLiteral("sensor/stage_Z4")).toInt(), 3);
    QCOMPARE(QDir(settingDir()).entryList(QDir::Files), QStringList{QStringLiteral("p2.bin")});
}

void TestConfigStore::resetProfileFromFactory()
{
    ConfigStore store(DataLocations::beside(tmp->path()));
    store.setCurrentProfile(2);
    store.liveProfile().setValue(QStringLiteral("sensor/stage_Z4"), 8);
    store.liveProfile().setValue(QStringLiteral("keydefine_Z4/scrollswap"), true);
    QVERIFY(!store.resetProfile(2)); // no factory file: nothing changes
    QVERIFY(!store.resetProfile(-1));
    QCOMPARE(snapshot(store.profilePath(2))->value(QStringLiteral("sensor/stage_Z4")).toInt(), 8);

    writeFile(settingDir() + QStringLiteral("pD.bin"), FullFactoryProfile);
    QVERIFY(store.resetProfile(2));
    QCOMPARE(readFile(settingDir() + QStringLiteral("p3.bin")), FullFactoryProfile);
    QCOMPARE(store.liveProfile().value(QStringLiteral("sensor/stage_Z4")).toInt(), 3);
    QVERIFY(!store.liveProfile().contains(QStringLiteral("keydefine_Z4/scrollswap")));
    QCOMPARE(readFile(settingDir() + QStringLiteral("pD.bin")), FullFactoryProfile);
}

void TestConfigStore::resetApconfigReplacesSettings()
{
    const QByteArray factory = "[common]\nname=Factory\nproduct_name=K, M\nsCode0=740352\n"
                               "sCode1=740352\ntotal=2\n0=1\n1=2\n[Z4]\ncolorMaxStage=8\n";
    ConfigStore store(DataLocations::beside(tmp->path()));
    store.saveApConfig({5, 6, 7});
    QVERIFY(!store.resetApconfig()); // no factory file: nothing changes
    QCOMPARE(toInts(store.loadApConfig()), (QList<int>{5, 6, 7}));
    store.sync();
    store.saveApConfig({9}); // still pending when the reset comes
    writeFile(settingDir() + QStringLiteral("apConfigD.bin"), factory);

    QVERIFY(store.resetApconfig());
    QCOMPARE(toInts(store.loadApConfig()), (QList<int>{1, 2}));
    QCOMPARE(store.windowTitle(), QStringLiteral("Factory"));
    QCOMPARE(readFile(settingDir() + QStringLiteral("apConfig.bin")), factory);

    store.saveApConfig({3});
    store.sync();
    const auto file = snapshot(settingDir() + QStringLiteral("apConfig.bin"));
    QCOMPARE(file->value(QStringLiteral("common/0")).toInt(), 3);
    QCOMPARE(file->value(QStringLiteral("common/1")).toInt(), 2);
    QCOMPARE(file->value(QStringLiteral("common/name")).toString(), QStringLiteral("Factory"));
}

void TestConfigStore::defaultProfilePages_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("head");
    QTest::addColumn<QList<int>>("tail");

    QTest::newRow("keys") << 0 << 64 << QList<int>{1, 0, 240, 0, 1, 0, 241, 0}
                          << QList<int>{4, 0, 2, 0};
    QTest::newRow("page 1") << 1 << 0 << QList<int>{} << QList<int>{};
    QTest::newRow("lighting") << 2 << 27 << QList<int>{1, 2, 3} << QList<int>{24, 2, 7, 7};
    QTest::newRow("page 255") << 255 << 0 << QList<int>{} << QList<int>{};
    QList<int> sensor{8, 6, 3, 4, 250, 500, 750, 1000, 0, 0, 0, 0, 3};
    for (int i = 31; i <= 54; ++i)
        sensor.append(i);
    QTest::newRow("sensor") << 3 << 45 << sensor << QList<int>{7, 6, 5, 4, 3, 2, 1, 0};
}

void TestConfigStore::defaultProfilePages()
{
    QFETCH(int, page);
    QFETCH(int, count);
    QFETCH(QList<int>, head);
    QFETCH(QList<int>, tail);
    writeFile(settingDir() + QStringLiteral("pD.bin"), FullFactoryProfile);

    const ConfigStore store(DataLocations::beside(tmp->path()));
    const QVariantList list = store.loadDefaultProfile(uchar(page));
    QCOMPARE(list.size(), count);
    QCOMPARE(toInts(list.mid(0, head.size())), head);
    QCOMPARE(toInts(list.mid(list.size() - tail.size())), tail);
}

void TestConfigStore::defaultProfileMissingListKeepsPositions()
{
    writeFile(settingDir() + QStringLiteral("pD.bin"),
              "[sensor]\nreportRate_Z4=4\nstage_Z4=6\n[color_Z4]\ntype2=1, 2, 3, 4, 5, 6, 7, 0\n"
              "type1=9, 9\nledEffect=3, 1, 2, 8\n[keydefine_Z4]\n0=1, 0, 240, 0\n2=7, 0, 1\n");
    const ConfigStore store(DataLocations::beside(tmp->path()));
    const QStringList sensor = texts(store.loadDefaultProfile(3));
    QCOMPARE(sensor.size(), 45);
    QCOMPARE(sensor.mid(0, 4), (QStringList{"4", "5", "2", "5"}));
    QCOMPARE(sensor.mid(4, 8), QStringList(8, QString()));
    QCOMPARE(sensor.at(12), QStringLiteral("6"));
    QCOMPARE(sensor.mid(13, 3), (QStringList{"9", "9", QString()}));
    QCOMPARE(sensor.mid(37), (QStringList{"1", "2", "3", "4", "5", "6", "7", "0"}));

    const QStringList colours = texts(store.loadDefaultProfile(2));
    QCOMPARE(colours.size(), 27);
    QCOMPARE(colours.mid(24), (QStringList{"3", "1", "2"}));

    const QStringList keys = texts(store.loadDefaultProfile(0));
    QCOMPARE(keys.size(), 64);
    QCOMPARE(keys.mid(0, 4), (QStringList{"1", "0", "240", "0"}));
    QCOMPARE(keys.mid(4, 4), QStringList(4, QString()));
    QCOMPARE(keys.mid(8, 4), (QStringList{"7", "0", "1", QString()}));
}

void TestConfigStore::settingsApartFromShippedDataWriteOnlyTheUsersFiles()
{
    const QString shipped = tmp->path() + QStringLiteral("/share");
    const QString user = tmp->path() + QStringLiteral("/home");
    const QByteArray factoryAp = "[common]\nname=Factory\ntotal=1\n0=4\nproduct_name=Z4\n"
                                 "sCode0=1\nsCode1=2\n[Z4]\ncolorMaxStage=8\n";
    writeFile(shipped + QStringLiteral("/setting/apConfigD.bin"), factoryAp);
    writeFile(shipped + QStringLiteral("/setting/pD.bin"), FullFactoryProfile);
    writeFile(user + QStringLiteral("/setting/p2.bin"), "[sensor]\nstage_Z4=1\n");
    const QString imported = tmp->path() + QStringLiteral("/in.pf");
    writeFile(imported, "[sensor]\nstage_Z4=7\n");

    {
        ConfigStore store(DataLocations::perUser(shipped, user));
        store.saveApConfig({1, 2, 3});
        QVERIFY(store.resetApconfig());
        QCOMPARE(toInts(store.loadApConfig()), QList<int>{4});
        QVERIFY(store.resetProfile(0));
        QCOMPARE(store.liveProfile().value(QStringLiteral("sensor/stage_Z4")).toInt(), 3);
        QCOMPARE(toInts(store.loadDefaultProfile(3)).size(), 45);
        QVERIFY(store.loadProfile(1, imported));
        QVERIFY(store.setCurrentProfile(1));
        QCOMPARE(store.liveProfile().value(QStringLiteral("sensor/stage_Z4")).toInt(), 7);
        store.liveProfile().setValue(QStringLiteral("sensor/dpi_Z4"), 5);
    }

    QCOMPARE(readFile(user + QStringLiteral("/setting/apConfig.bin")), factoryAp);
    QCOMPARE(readFile(user + QStringLiteral("/setting/p1.bin")), FullFactoryProfile);
    QCOMPARE(snapshot(user + QStringLiteral("/setting/p2.bin"))
                 ->value(QStringLiteral("sensor/dpi_Z4"))
                 .toInt(),
             5);
    // Nothing was written beside the factory files.
    QCOMPARE(QDir(shipped + QStringLiteral("/setting")).entryList(QDir::Files),
             (QStringList{QStringLiteral("apConfigD.bin"), QStringLiteral("pD.bin")}));
    QCOMPARE(readFile(shipped + QStringLiteral("/setting/apConfigD.bin")), factoryAp);
    QCOMPARE(readFile(shipped + QStringLiteral("/setting/pD.bin")), FullFactoryProfile);
}

void TestConfigStore::damagedFactoryFileIsNotCopied_data()
{
    QTest::addColumn<bool>("profile"); // the profile reset, else the settings reset
    QTest::addColumn<QByteArray>("factory");
    QTest::addColumn<QString>("problem");
    QByteArray rejected = FullFactoryProfile;
    rejected.replace("[color_Z4]", "[color_Z4");
    QByteArray withoutKey = FullFactoryProfile;
    withoutKey.replace("15=4, 0, 2, 0\n", "");
    QTest::newRow("profile: a line the reader rejects")
        << true << rejected << "does not read as a settings file";
    QTest::newRow("profile: a key missing")
        << true << withoutKey << "\"keydefine_Z4/15\" is missing";
    QTest::newRow("profile: empty")
        << true << QByteArray() << "\"sensor/reportRate_Z4\" is missing";
    QTest::newRow("settings: no product names")
        << false
        << QByteArray("[common]\nname=F\ntotal=0\nsCode0=1\nsCode1=1\n[Z4]\ncolorMaxStage=8\n")
        << "\"common/product_name\" is missing";
    QTest::newRow("settings: not a settings file")
        << false << QByteArray("\"common\ntotal=1\n") << "does not read as a settings file";
}

void TestConfigStore::damagedFactoryFileIsNotCopied()
{
    QFETCH(bool, profile);
    QFETCH(QByteArray, factory);
    QFETCH(QString, problem);
    const QString factoryPath = settingDir() + (profile ? "pD.bin" : "apConfigD.bin");
    const QString userPath = settingDir() + (profile ? "p1.bin" : "apConfig.bin");
    writeFile(factoryPath, factory);
    writeFile(userPath, "[sensor]\nstage_Z4=6\n[common]\nname=Mine\n");
    ConfigStore store(DataLocations::beside(tmp->path()));

    QString error;
    QVERIFY(!(profile ? store.resetProfile(0, &error) : store.resetApconfig(&error)));
    QVERIFY2(error.startsWith(factoryPath + QStringLiteral(" is damaged: ")), qPrintable(error));
    QVERIFY2(error.endsWith(problem), qPrintable(error));
    QCOMPARE(readFile(userPath), QByteArray("[sensor]\nstage_Z4=6\n[common]\nname=Mine\n"));
    QSettings &kept = profile ? store.liveProfile() : store.apConfig();
    QCOMPARE(kept.value(QStringLiteral("sensor/stage_Z4")).toInt(), 6);
}

void TestConfigStore::oversizedSettingsFileIsSetAside()
{
    // A list of half a million elements, as a damaged file may hold.
    QByteArray huge = "[sensor]\nstage_Z4=6\ndpi_Z4=1";
    while (huge.size() <= ConfigStore::MaxSettingsFileBytes)
        huge += ", 1";
    huge += "\n";
    writeFile(settingDir() + QStringLiteral("p2.bin"), huge);
    writeFile(settingDir() + QStringLiteral("pD.bin"), huge);
    QTest::ignoreMessage(
        QtWarningMsg, QRegularExpression(QStringLiteral("p2.bin is larger than 1048576 bytes: "
                                                        "not read, moved to .*p2.bin.too-large")));

    ConfigStore store(DataLocations::beside(tmp->path()));
    QVERIFY(store.setCurrentProfile(1));
    QVERIFY(!store.liveProfile().contains(QStringLiteral("sensor/stage_Z4")));
    QVERIFY(!QFile::exists(settingDir() + QStringLiteral("p2.bin")));
    QCOMPARE(readFile(settingDir() + QStringLiteral("p2.bin.too-large")), huge);
    // The factory file reads as missing: defaults, and empty lists.
    const QList<int> defaults = toInts(store.loadDefaultProfile(3));
    QCOMPARE(defaults.mid(0, 4), (QList<int>{2, 5, 2, 5}));
    QCOMPARE(defaults.at(12), 2);
    QCOMPARE(defaults.count(-1000), defaults.size() - 5); // the lists, empty
    QCOMPARE(texts(store.loadDefaultProfile(0)), QStringList(64, QString()));
    QCOMPARE(texts(store.loadDefaultProfile(2)), QStringList(27, QString()));

    store.liveProfile().setValue(QStringLiteral("sensor/stage_Z4"), 3);
    store.sync();
    QCOMPARE(readFile(settingDir() + QStringLiteral("p2.bin")),
             QByteArray("[sensor]\nstage_Z4=3\n"));
}

void TestConfigStore::longFactoryListsAreCutToThePage()
{
    QByteArray factory = FullFactoryProfile;
    const QByteArray tail(", 9", 3);
    for (const QByteArray &key :
         {QByteArray("dpi_Z4=250, 500, 750, 1000, 0, 0, 0, 0"),
          QByteArray("type2=7, 6, 5, 4, 3, 2, 1, 0"), QByteArray("ledEffect=2, 7, 7"),
          QByteArray("0=1, 0, 240, 0"), QByteArray("51, 52, 53, 54"), QByteArray("21, 22, 23, 24")})
        factory.replace(key, key + tail.repeated(100));
    writeFile(settingDir() + QStringLiteral("pD.bin"), factory);

    const ConfigStore store(DataLocations::beside(tmp->path()));
    const QList<int> sensor = toInts(store.loadDefaultProfile(3));
    QCOMPARE(sensor.size(), 45);
    QVERIFY(!sensor.contains(9));
    QCOMPARE(store.loadDefaultProfile(0).size(), 64);
    QCOMPARE(toInts(store.loadDefaultProfile(2)).mid(24), (QList<int>{2, 7, 7}));
}

QTEST_GUILESS_MAIN(TestConfigStore)
#include "tst_config_store.moc"
