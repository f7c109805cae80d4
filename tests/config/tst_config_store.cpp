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
    "[sensor]\nreportRate_Z4=8\ncursorSpeed_Z4=6\nverticalScrollLines_Z4=3\ndoubleClickSpeed_Z4=4\n"
    "dpi_Z4=250, 500, 750, 1000, 0, 0, 0, 0\nstage_Z4=3\n[color_Z4]\n"
    "type0=1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24\n"
    "type1=31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, "
    "53, 54\ntype2=7, 6, 5, 4, 3, 2, 1, 0\nledEffect=2, 7, 7\n[keydefine_Z4]\n"
    "0=1, 0, 240, 0\n1=1, 0, 241, 0\n2=1, 0, 242, 0\n3=1, 0, 243, 0\n4=1, 0, 244, 0\n5=7, 0, 3, 0\n"
    "6=10, 240, 33, 3\n7=0, 0, 0, 0\n8=0, 0, 0, 0\n9=0, 0, 0, 0\n10=0, 0, 0, 0\n11=0, 0, 0, 0\n"
    "12=0, 0, 0, 0\n13=0, 0, 0, 0\n14=0, 0, 0, 0\n15=4, 0, 2, 0\n";

// The file as it is on disk now, read through a copy (QSettings keeps what
// it read of a path).
std::unique_ptr<QSettings> snapshot(const QString &path)
{
    static int counter = 0;
    const QString copy = QFileInfo(path).absolutePath() + QString("/snapshot%1.ini").arg(++counter);
    QFile::remove(copy);
    if (!QFile::copy(path, copy))
        return std::make_unique<QSettings>(QString(), QSettings::IniFormat);
    auto settings = std::make_unique<QSettings>(copy, QSettings::IniFormat);
    QFile::remove(copy); // the settings object has read it already
    return settings;
}

int storedInt(const QString &path, const QString &key)
{
    return snapshot(path)->value(key).toInt();
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

// "1, 2" as {"1", "2"}; from, to as every number from `from` to `to`.
QStringList nums(const char *list)
{
    return QString(list).split(", ");
}

QStringList nums(int from, int to)
{
    QStringList out;
    for (int v = from; v <= to; ++v)
        out.append(QString::number(v));
    return out;
}

QStringList blanks(int n)
{
    return QStringList(n, QString());
}

} // namespace

class TestConfigStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tmp;
    DataLocations here() const { return DataLocations::beside(tmp->path()); }
    QString file(const QString &name) const { return tmp->path() + "/modules/setting/" + name; }

private slots:
    void init()
    {
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp->isValid());
        QVERIFY(QDir().mkpath(file({})));
    }

    // Values go in as text; a shorter list leaves the entries beyond it in the file.
    void apConfigIsStoredAsText()
    {
        QVariantList values{1, true, QUrl("file:///home/u/a b.png"), QString()};
        for (int i = 4; i < 32; ++i)
            values.append(100 + i);
        {
            ConfigStore store(here());
            store.saveApConfig(values);
            store.saveApConfig(values.mid(0, 10));
            QCOMPARE(store.loadApConfig().size(), 10);
            store.liveProfile().setValue("sensor/dpi_Z4", QVariantList{500, 1000, 0});
        }
        QVERIFY(!readFile(file("apConfig.bin")).contains("@Variant"));
        const auto saved = snapshot(file("apConfig.bin"));
        QCOMPARE(saved->value("common/total").toInt(), 10);
        QCOMPARE(saved->value("common/1").toString(), QString("true"));
        QCOMPARE(saved->value("common/2").toString(), QString("file:///home/u/a b.png"));
        for (int i = 4; i < 32; ++i)
            QCOMPARE(saved->value(QString("common/%1").arg(i)).toInt(), 100 + i);
        const QVariant dpi = snapshot(file("p1.bin"))->value("sensor/dpi_Z4");
        QCOMPARE(dpi.typeId(), QMetaType::QStringList);
        QCOMPARE(dpi.toStringList(), (QStringList{"500", "1000", "0"}));
        const QVariantList loaded = ConfigStore(here()).loadApConfig();
        QCOMPARE(loaded.size(), 10);
        QCOMPARE(loaded.at(9).toInt(), 109);
    }

    // The settings list and the number of colour stages from damaged files.
    void apConfigFromDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("head");
        QTest::addColumn<int>("stages");
        QTest::newRow("no file") << QByteArray() << 0 << QList<int>{} << 8;
        QTest::newRow("gaps read as 0")
            << QByteArray("[common]\ntotal=4\n0=7\n2=9\n") << 4 << QList<int>{7, 0, 9, 0} << 8;
        QTest::newRow("negative total")
            << QByteArray("[common]\ntotal=-5\n0=7\n[Z4]\ncolorMaxStage=4\n") << 0 << QList<int>{}
            << 4;
        QTest::newRow("text total")
            << QByteArray("[common]\ntotal=many\n0=7\n[Z4]\ncolorMaxStage=5000\n") << 0
            << QList<int>{} << 8;
        QTest::newRow("huge total is bounded")
            << QByteArray("[common]\ntotal=2147483647\n0=7\n[Z4]\ncolorMaxStage=-2\n")
            << ConfigStore::MaxApConfigEntries << QList<int>{7, 0} << 0;
    }

    void apConfigFromDamagedFiles()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, count);
        QFETCH(QList<int>, head);
        QFETCH(int, stages);
        if (!text.isEmpty())
            writeFile(file("apConfig.bin"), text);
        ConfigStore store(here());
        const QVariantList list = store.loadApConfig();
        QCOMPARE(list.size(), count);
        QCOMPARE(toInts(list.mid(0, head.size())), head);
        QCOMPARE(toInts(store.loadDeviceApConfig()), QList<int>{stages});
    }

    void deviceConfigSource()
    {
        writeFile(file("apConfig.bin"),
                  "[common]\nname=Z4 Test\nproduct_name=KB, Mouse\nsCode1=123456\n");
        ConfigStore store(here());
        const DeviceConfigSource &source = store;
        QCOMPARE(source.productNames(), (QStringList{"KB", "Mouse"}));
        QCOMPARE(source.secrecyCode(0), QString("740352"));
        QCOMPARE(source.secrecyCode(1), QString("123456"));
        QCOMPARE(source.secrecyCode(2), QString());
        QCOMPARE(store.windowTitle(), QString("Z4 Test"));
    }

    void liveProfileFollowsIndex()
    {
        QVERIFY(QDir(file({})).removeRecursively()); // made on the first write
        ConfigStore store(here());
        QCOMPARE(store.currentProfile(), 0);
        QVERIFY(store.setCurrentProfile(4));
        store.liveProfile().setValue("sensor/stage_Z4", 5);
        store.sync();
        QCOMPARE(storedInt(file("p5.bin"), "sensor/stage_Z4"), 5);
        QVERIFY(!QFile::exists(file("p1.bin")));
        QVERIFY(!store.setCurrentProfile(10));
        QVERIFY(!store.setCurrentProfile(-1));
        QCOMPARE(store.currentProfile(), 4);
        QCOMPARE(QFileInfo(store.liveProfile().fileName()).fileName(), QString("p5.bin"));
    }

    void exportCopiesIndexFileOrRefuses()
    {
        const QString target = tmp->path() + "/export.pf";
        writeFile(target, "old contents that must disappear, longer than the profile itself\n");
        ConfigStore store(here());
        store.setCurrentProfile(4);
        store.liveProfile().setValue("sensor/stage_Z4", 6);
        // Not synced yet: the export must still carry the value.
        QVERIFY(store.saveProfile(4, target));
        QCOMPARE(readFile(target), readFile(file("p5.bin")));
        QCOMPARE(storedInt(target, "sensor/stage_Z4"), 6);

        writeFile(target, "keep me\n");
        QVERIFY(!store.saveProfile(0, QString())); // dialog cancelled
        QVERIFY(!store.saveProfile(10, target));
        QVERIFY(!store.saveProfile(2, target)); // never written: nothing to export
        QCOMPARE(readFile(target), QByteArray("keep me\n"));
    }

    void importIntoLiveProfileReplacesStoreInPlace()
    {
        const QString source = tmp->path() + "/in.pf";
        const QByteArray imported = "[sensor]\nstage_Z4=7\ndpi_Z4=1, 2\n";
        writeFile(source, imported);
        ConfigStore store(here());
        store.setCurrentProfile(4);
        QSettings &live = store.liveProfile();
        live.setValue("sensor/stage_Z4", 2);
        live.setValue("sensor/reportRate_Z4", 8);

        QVERIFY(store.loadProfile(4, source));
        QCOMPARE(&store.liveProfile(), &live);
        QCOMPARE(live.value("sensor/stage_Z4").toInt(), 7);
        QVERIFY(!live.contains("sensor/reportRate_Z4"));
        QCOMPARE(readFile(file("p5.bin")), imported);

        live.setValue("sensor/cursorSpeed_Z4", 9);
        store.sync();
        const auto p5 = snapshot(file("p5.bin"));
        QCOMPARE(p5->value("sensor/cursorSpeed_Z4").toInt(), 9);
        QCOMPARE(p5->value("sensor/stage_Z4").toInt(), 7);
        QVERIFY(!p5->contains("sensor/reportRate_Z4"));
        // The pending write before the import went to the old file, which is gone.
        QCOMPARE(readFile(source), imported);
    }

    void failedImportKeepsOldProfile_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("cancelled") << QString();
        QTest::newRow("missing") << "missing.pf";
        QTest::newRow("directory") << "folder.pf";
        QTest::newRow("oversized") << "huge.pf";
    }

    void failedImportKeepsOldProfile()
    {
        QFETCH(QString, source);
        QDir(tmp->path()).mkdir("folder.pf");
        writeFile(tmp->path() + "/huge.pf",
                  QByteArray(ConfigStore::MaxSettingsFileBytes + 1, '\n'));
        ConfigStore store(here());
        store.setCurrentProfile(1);
        store.liveProfile().setValue("sensor/stage_Z4", 3);
        store.sync();
        const QByteArray before = readFile(file("p2.bin"));

        QVERIFY(!store.loadProfile(1, source.isEmpty() ? source : tmp->filePath(source)));
        QCOMPARE(readFile(file("p2.bin")), before);
        QCOMPARE(store.liveProfile().value("sensor/stage_Z4").toInt(), 3);
        QCOMPARE(QDir(file({})).entryList(QDir::Files), QStringList{"p2.bin"});
    }

    void resetProfileFromFactory()
    {
        ConfigStore store(here());
        store.setCurrentProfile(2);
        store.liveProfile().setValue("sensor/stage_Z4", 8);
        store.liveProfile().setValue("keydefine_Z4/scrollswap", true);
        QVERIFY(!store.resetProfile(2)); // no factory file: nothing changes
        QVERIFY(!store.resetProfile(-1));
        QCOMPARE(storedInt(store.profilePath(2), "sensor/stage_Z4"), 8);

        writeFile(file("pD.bin"), FullFactoryProfile);
        QVERIFY(store.resetProfile(2));
        QCOMPARE(readFile(file("p3.bin")), FullFactoryProfile);
        QCOMPARE(store.liveProfile().value("sensor/stage_Z4").toInt(), 3);
        QVERIFY(!store.liveProfile().contains("keydefine_Z4/scrollswap"));
        QCOMPARE(readFile(file("pD.bin")), FullFactoryProfile);
    }

    void resetApconfigReplacesSettings()
    {
        const QByteArray factory = "[common]\nname=Factory\nproduct_name=K, M\nsCode0=740352\n"
                                   "sCode1=740352\ntotal=2\n0=1\n1=2\n[Z4]\ncolorMaxStage=8\n";
        ConfigStore store(here());
        store.saveApConfig({5, 6, 7});
        QVERIFY(!store.resetApconfig()); // no factory file: nothing changes
        QCOMPARE(toInts(store.loadApConfig()), (QList<int>{5, 6, 7}));
        store.sync();
        store.saveApConfig({9}); // still pending when the reset comes
        writeFile(file("apConfigD.bin"), factory);

        QVERIFY(store.resetApconfig());
        QCOMPARE(toInts(store.loadApConfig()), (QList<int>{1, 2}));
        QCOMPARE(store.windowTitle(), QString("Factory"));
        QCOMPARE(readFile(file("apConfig.bin")), factory);

        store.saveApConfig({3});
        store.sync();
        const auto saved = snapshot(file("apConfig.bin"));
        QCOMPARE(saved->value("common/0").toInt(), 3);
        QCOMPARE(saved->value("common/1").toInt(), 2);
        QCOMPARE(saved->value("common/name").toString(), QString("Factory"));
    }

    // Every value of a page at its fixed place: an empty text for what the
    // factory file lacks, lists cut to their length, a file over 1 MiB as none.
    void defaultProfilePages_data()
    {
        QTest::addColumn<QByteArray>("factory");
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("values");
        const QStringList keys = nums("1, 0, 240, 0, 1, 0, 241, 0, 1, 0, 242, 0, 1, 0, 243, 0, 1, "
                                      "0, 244, 0, 7, 0, 3, 0") +
                                 nums("10, 240, 33, 3") + QStringList(32, "0") + nums("4, 0, 2, 0");
        const QStringList lighting = nums(1, 24) + nums("2, 7, 7");
        const QStringList sensor = nums("8, 6, 3, 4, 250, 500, 750, 1000, 0, 0, 0, 0, 3") +
                                   nums(31, 54) + nums("7, 6, 5, 4, 3, 2, 1, 0");
        QByteArray longLists = FullFactoryProfile;
        for (const char *list :
             {"dpi_Z4=250, 500, 750, 1000, 0, 0, 0, 0", "type2=7, 6, 5, 4, 3, 2, 1, 0",
              "ledEffect=2, 7, 7", "0=1, 0, 240, 0", "51, 52, 53, 54", "21, 22, 23, 24"})
            longLists.replace(list, list + QByteArray(", 9").repeated(100));
        const QByteArray gaps =
            "[sensor]\nreportRate_Z4=4\nstage_Z4=6\n[color_Z4]\ntype2=1, 2, 3, 4, 5, 6, 7, 0\n"
            "type1=9, 9\nledEffect=3, 1, 2, 8\n[keydefine_Z4]\n0=1, 0, 240, 0\n2=7, 0, 1\n";
        const QByteArray oversized =
            FullFactoryProfile + QByteArray(ConfigStore::MaxSettingsFileBytes, ';');

        QTest::newRow("keys") << FullFactoryProfile << 0 << keys;
        QTest::newRow("page 1") << FullFactoryProfile << 1 << QStringList();
        QTest::newRow("lighting") << FullFactoryProfile << 2 << lighting;
        QTest::newRow("sensor") << FullFactoryProfile << 3 << sensor;
        QTest::newRow("page 255") << FullFactoryProfile << 255 << QStringList();
        QTest::newRow("long lists: keys") << longLists << 0 << keys;
        QTest::newRow("long lists: lighting") << longLists << 2 << lighting;
        QTest::newRow("long lists: sensor") << longLists << 3 << sensor;
        QTest::newRow("gaps: keys")
            << gaps << 0 << nums("1, 0, 240, 0") + blanks(4) + nums("7, 0, 1") + blanks(53);
        QTest::newRow("gaps: lighting") << gaps << 2 << blanks(24) + nums("3, 1, 2");
        QTest::newRow("gaps: sensor") << gaps << 3
                                      << nums("4, 5, 2, 5") + blanks(8) + nums("6, 9, 9") +
                                             blanks(22) + nums("1, 2, 3, 4, 5, 6, 7, 0");
        QTest::newRow("oversized: keys") << oversized << 0 << blanks(64);
        QTest::newRow("oversized: lighting") << oversized << 2 << blanks(27);
        QTest::newRow("oversized: sensor")
            << oversized << 3 << nums("2, 5, 2, 5") + blanks(8) + nums("2") + blanks(32);
    }

    void defaultProfilePages()
    {
        QFETCH(QByteArray, factory);
        QFETCH(int, page);
        QFETCH(QStringList, values);
        writeFile(file("pD.bin"), factory);
        QCOMPARE(texts(ConfigStore(here()).loadDefaultProfile(uchar(page))), values);
    }

    void settingsApartFromShippedDataWriteOnlyTheUsersFiles()
    {
        const QString shipped = tmp->path() + "/share/setting/";
        const QString user = tmp->path() + "/home/setting/";
        const QByteArray factoryAp = "[common]\nname=Factory\ntotal=1\n0=4\nproduct_name=Z4\n"
                                     "sCode0=1\nsCode1=2\n[Z4]\ncolorMaxStage=8\n";
        writeFile(shipped + "apConfigD.bin", factoryAp);
        writeFile(shipped + "pD.bin", FullFactoryProfile);
        writeFile(user + "p2.bin", "[sensor]\nstage_Z4=1\n");
        const QString imported = tmp->path() + "/in.pf";
        writeFile(imported, "[sensor]\nstage_Z4=7\n");
        {
            ConfigStore store(
                DataLocations::perUser(tmp->path() + "/share", tmp->path() + "/home"));
            store.saveApConfig({1, 2, 3});
            QVERIFY(store.resetApconfig());
            QCOMPARE(toInts(store.loadApConfig()), QList<int>{4});
            QVERIFY(store.resetProfile(0));
            QCOMPARE(store.liveProfile().value("sensor/stage_Z4").toInt(), 3);
            QCOMPARE(toInts(store.loadDefaultProfile(3)).size(), 45);
            QVERIFY(store.loadProfile(1, imported));
            QVERIFY(store.setCurrentProfile(1));
            QCOMPARE(store.liveProfile().value("sensor/stage_Z4").toInt(), 7);
            store.liveProfile().setValue("sensor/dpi_Z4", 5);
        }
        QCOMPARE(readFile(user + "apConfig.bin"), factoryAp);
        QCOMPARE(readFile(user + "p1.bin"), FullFactoryProfile);
        QCOMPARE(storedInt(user + "p2.bin", "sensor/dpi_Z4"), 5);
        // Nothing was written beside the factory files.
        QCOMPARE(QDir(shipped).entryList(QDir::Files), (QStringList{"apConfigD.bin", "pD.bin"}));
        QCOMPARE(readFile(shipped + "apConfigD.bin"), factoryAp);
        QCOMPARE(readFile(shipped + "pD.bin"), FullFactoryProfile);
    }

    void damagedFactoryFileIsNotCopied_data()
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

    void damagedFactoryFileIsNotCopied()
    {
        QFETCH(bool, profile);
        QFETCH(QByteArray, factory);
        QFETCH(QString, problem);
        const QString factoryPath = file(profile ? "pD.bin" : "apConfigD.bin");
        const QString userPath = file(profile ? "p1.bin" : "apConfig.bin");
        const QByteArray mine = "[sensor]\nstage_Z4=6\n[common]\nname=Mine\n";
        writeFile(factoryPath, factory);
        writeFile(userPath, mine);
        ConfigStore store(here());

        QString error;
        QVERIFY(!(profile ? store.resetProfile(0, &error) : store.resetApconfig(&error)));
        QVERIFY2(error.startsWith(factoryPath + " is damaged: "), qPrintable(error));
        QVERIFY2(error.endsWith(problem), qPrintable(error));
        QCOMPARE(readFile(userPath), mine);
        QSettings &kept = profile ? store.liveProfile() : store.apConfig();
        QCOMPARE(kept.value("sensor/stage_Z4").toInt(), 6);
    }

    void oversizedSettingsFileIsSetAside()
    {
        // A list of half a million elements, as a damaged file may hold.
        QByteArray huge = "[sensor]\nstage_Z4=6\ndpi_Z4=1";
        while (huge.size() <= ConfigStore::MaxSettingsFileBytes)
            huge += ", 1";
        huge += "\n";
        writeFile(file("p2.bin"), huge);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("p2.bin is larger than 1048576 bytes: "
                                                "not read, moved to .*p2.bin.too-large"));
        ConfigStore store(here());
        QVERIFY(store.setCurrentProfile(1));
        QVERIFY(!store.liveProfile().contains("sensor/stage_Z4"));
        QVERIFY(!QFile::exists(file("p2.bin")));
        QCOMPARE(readFile(file("p2.bin.too-large")), huge);
        store.liveProfile().setValue("sensor/stage_Z4", 3);
        store.sync();
        QCOMPARE(readFile(file("p2.bin")), QByteArray("[sensor]\nstage_Z4=3\n"));
    }
};

QTEST_GUILESS_MAIN(TestConfigStore)
#include "tst_config_store.moc"
