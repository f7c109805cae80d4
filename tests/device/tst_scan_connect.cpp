// Device table, bus scan, connect step and the device watcher.
#include "device/device_table.h"
#include "fake_hid_bus.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

HidInterfaceInfo itf(const QString &path, uint16_t page, uint16_t usage, uint16_t pid = 0x0c14)
{
    return HidInterfaceInfo{path, 0x2f76, pid, page, usage, 0};
}

// "Device removed" comes from the watcher's pool thread.
QMutex messagesMutex;
QStringList messages;
void collect(QtMsgType, const QMessageLogContext &, const QString &text)
{
    QMutexLocker lock(&messagesMutex);
    messages.append(text);
}
QStringList collected()
{
    QMutexLocker lock(&messagesMutex);
    return messages;
}

} // namespace

class TstScanConnect : public QObject
{
    Q_OBJECT

private slots:
    void scanRules_data()
    {
        QTest::addColumn<QList<HidInterfaceInfo>>("interfaces");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("path2");
        QTest::newRow("both interfaces") << mouseInterfaces() << "cmd"
                                         << "ack";
        QTest::newRow("only the command interface")
            << QList<HidInterfaceInfo>{itf("cmd", 0xff00, 0xff00)} << ""
            << "";
        QTest::newRow("only the second interface")
            << QList<HidInterfaceInfo>{itf("ack", 0xff01, 0xff01)} << ""
            << "";
        QTest::newRow("later match replaces an earlier one")
            << QList<HidInterfaceInfo>{itf("cmd-a", 0xff00, 0xff00), itf("ack", 0xff01, 0xff01),
                                       itf("cmd-b", 0xff00, 0xff00)}
            << "cmd-b"
            << "ack";
        QTest::newRow("usage page alone does not match")
            << QList<HidInterfaceInfo>{itf("cmd", 0xff00, 0x0001), itf("ack", 0xff01, 0xff01)} << ""
            << "";
        QTest::newRow("only the keyboard attached")
            << QList<HidInterfaceInfo>{itf("kb1", 0xff01, 0x0001, 0x0b01),
                                       itf("kb2", 0xff02, 0x0001, 0x0b01)}
            << ""
            << "";
    }
    void scanRules()
    {
        QFETCH(QList<HidInterfaceInfo>, interfaces);
        QFETCH(QString, path);
        QFETCH(QString, path2);
        ScannedLink rig(interfaces);

        const QList<HidDevice> devices = rig.link.deviceList();
        QCOMPARE(devices.size(), 2);
        QVERIFY(!devices[0].present()); // the keyboard row is never looked up
        QCOMPARE(devices[0].productName, QStringLiteral("KB"));
        QCOMPARE(devices[1].id, 1);
        QCOMPARE(devices[1].path, path);
        QCOMPARE(devices[1].path2, path2);
        QCOMPARE(devices[1].reportLength, path.isEmpty() ? 0 : 32);
        const QList<BusEvent> lookups = rig.log.of(BusEvent::Enumerate);
        QCOMPARE(lookups.size(), 1);
        QCOMPARE(lookups[0].value, 0x2f760c14);
    }

    void oneInterfaceCanFillBothPaths()
    {
        ScannedLink rig({itf("both", 0xff00, 0xff00)});
        DevInfo row = mouseRow();
        row.usagePage2 = 0xff00;
        row.usage2 = 0xff00;
        rig.link.scanDevices(tableFor(row));
        QCOMPARE(rig.link.deviceList()[1].path, QStringLiteral("both"));
        QCOMPARE(rig.link.deviceList()[1].path2, QStringLiteral("both"));
    }

    void secrecyCode_data()
    {
        QTest::addColumn<QString>("stored"); // "-" = absent
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("six characters") << "Ab9-zQ" << QByteArray("Ab9-zQ");
        QTest::newRow("five keep the key") << "12345" << QByteArray("qwerty");
        QTest::newRow("seven keep the key") << "1234567" << QByteArray("qwerty");
        QTest::newRow("empty keeps the key") << "" << QByteArray("qwerty");
        QTest::newRow("absent loads 740352") << "-" << QByteArray("740352");
    }
    void secrecyCode()
    {
        QFETCH(QString, stored);
        QFETCH(QByteArray, key);
        QVERIFY(setSecrecyCode(QStringLiteral("qwerty")));
        EventLog log;
        FakeClock clock(log, 0);
        FakeHidBus bus(log);
        MapConfig config;
        if (stored != QLatin1String("-"))
            config.codes.insert(1, stored);
        config.codes.insert(0, QStringLiteral("000000")); // another row's code is not read
        TestLink link(&bus, &clock);
        link.setConfigSource(&config);
        link.connectDevice();
        const auto loaded = currentSecrecyCode();
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(loaded.data()) + 1, 6), key);
        QCOMPARE(loaded[0], uchar(0));
        QCOMPARE(loaded[7], uchar(0));
    }

    void connectReportsPresence()
    {
        ScannedLink rig;
        deviceConnected = false;
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        rig.link.swichCurDevice(1);
        QVERIFY(deviceConnected.load());
        QVERIFY(rig.link.isDeviceConnected());

        rig.bus.interfaces.clear();
        rig.link.scanDevices(testDeviceTable(32));
        messages.clear();
        const QtMessageHandler old = qInstallMessageHandler(collect);
        rig.link.swichCurDevice(1);
        qInstallMessageHandler(old);
        QVERIFY(collected().isEmpty());
        QVERIFY(!deviceConnected.load());
    }

    void watcherReportsRemovalOnce()
    {
        ScannedLink rig;
        rig.link.swichCurDevice(0); // the keyboard row is absent: its watcher ends at once
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        rig.link.swichCurDevice(1); // a different index: the watcher starts on the mouse
        // It keeps the second interface open from one read to the next.
        QTRY_VERIFY(rig.bus.ackReads.load() >= 3);
        QCOMPARE(rig.log.count(BusEvent::Open, QStringLiteral("ack")), 1);

        messages.clear();
        const QtMessageHandler old = qInstallMessageHandler(collect);
        rig.bus.refuse(QStringLiteral("ack")); // unplugged
        QTRY_VERIFY(rig.link.deviceList()[1].path2.isEmpty());
        rig.link.stopWatch();
        qInstallMessageHandler(old);
        QCOMPARE(collected(), QStringList{QStringLiteral("Device removed")});
        QCOMPARE(rig.link.deviceList()[1].path, QStringLiteral("cmd"));
        QCOMPARE(rig.bus.openHandles.load(), 0);
    }

    void deviceTableEdges()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[common]\ntotal=3\n"
                   "[0]\nvid=0x2F76\npid=0C14\nusagePage=ff00\nreportLength=32\n"
                   "[1]\ntype=1\nvid=zz\nusage=10000\n");
        file.close();
        const DeviceTable table = readDeviceTable({QStringLiteral("only one")}, path);
        QVERIFY(!table.isEncode);
        QCOMPARE(table.rows.size(), 3);
        QCOMPARE(table.rows[0].type, -1); // missing
        QCOMPARE(table.rows[0].vid, uint16_t(0x2f76));
        QCOMPARE(table.rows[0].pid, uint16_t(0x0c14));
        QCOMPARE(table.rows[0].usage, uint16_t(0)); // missing
        QCOMPARE(table.rows[0].productName, QStringLiteral("only one"));
        QCOMPARE(table.rows[1].type, 1);
        QCOMPARE(table.rows[1].vid, uint16_t(0));       // not a number
        QCOMPARE(table.rows[1].usage, uint16_t(0));     // wider than 16 bits
        QCOMPARE(table.rows[1].productName, QString()); // fewer names than rows
        QCOMPARE(table.rows[2].reportLength, 0u);

        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[common]\ntotal=2000000000\n");
        file.close();
        QCOMPARE(readDeviceTable({}, path).rows.size(), kMaxDeviceTableRows);
        QVERIFY(readDeviceTable({}, dir.filePath(QStringLiteral("missing.ini"))).rows.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstScanConnect)
#include "tst_scan_connect.moc"
