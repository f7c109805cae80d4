// The device link through real commands: device table, bus scan, connect
// step and watcher, the link token, the acknowledge wait and shutdown.
#include "device/device_table.h"
#include "fake_hid_bus.h"
#include "support/test_files.h"

#include <QSignalSpy>
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

class TstLink : public QObject
{
    Q_OBJECT

private slots:
    void init() { isEncode = false; }

    void getStartsAfterTheSetsAcknowledgeWaits()
    {
        ScannedLink rig;
        rig.clock.usPerMs = 50; // the set still runs on the pool as the get starts
        rig.clock.callerSleepUs = 1000;
        rig.bus.featureReply = QByteArray::fromHex("008108000000000000");
        rig.link.hid_0BH_SetCurrentDPIStage(3);
        uchar rate = 1;
        rig.link.hid_81H_GetReportRate(rate);
        QCOMPARE(rate, uchar(8));

        const QList<BusEvent> events = rig.log.all();
        int getFrame = -1;
        int lastSetPause = -1;
        const Qt::HANDLE gui = QThread::currentThreadId();
        for (int i = 0; i < events.size(); ++i) {
            const BusEvent &e = events[i];
            if (e.kind == BusEvent::Sleep && e.thread != gui)
                lastSetPause = i;
            if (e.kind == BusEvent::SendFeature && e.bytes == frameBytes(0x81))
                getFrame = i;
        }
        QVERIFY(getFrame > 0);
        QVERIFY2(lastSetPause >= 0 && lastSetPause < getFrame,
                 "the get's frame went out before the set's acknowledge waits ended");
        QCOMPARE(rig.clock.totalMs(false), 128);
    }

    // The mouse answers in one of the caller's pauses (deliverAt: the pause's
    // length); the watcher must have read the report before that pause ends.
    // A late acknowledge still counts, a wrong or missing one fails the set
    // after a second's grace, and without a watcher the waits are pauses.
    void acknowledgeWait_data()
    {
        QTest::addColumn<bool>("watcher");
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<int>("deliverAt");
        QTest::addColumn<int>("waitedMs");
        QTest::addColumn<LinkResult>("expected");
        const QByteArray ack = QByteArray::fromHex("04040000");
        QTest::newRow("acknowledged") << true << ack << 64 << 64 << LinkResult::Done;
        QTest::newRow("late") << true << ack << 16 << 128 + 16 << LinkResult::Done;
        QTest::newRow("04 04 00 01 is no acknowledge")
            << true << QByteArray::fromHex("04040001") << 64 << 128 + 1008
            << LinkResult::NoAcknowledge;
        QTest::newRow("short report") << true << QByteArray::fromHex("040400") << 64 << 128 + 1008
                                      << LinkResult::NoAcknowledge;
        QTest::newRow("no watcher") << false << ack << 64 << 128 << LinkResult::Done;
    }
    void acknowledgeWait()
    {
        QFETCH(bool, watcher);
        QFETCH(QByteArray, report);
        QFETCH(int, deliverAt);
        QFETCH(int, waitedMs);
        QFETCH(LinkResult, expected);
        ScannedLink rig;
        if (watcher) {
            rig.link.startWatch(1);
            QTRY_VERIFY(rig.link.isWatching());
        }
        rig.bus.ackReport = report;
        QSignalSpy finished(&rig.link, &Hid_Thread::setFinished);
        const Qt::HANDLE gui = QThread::currentThreadId();
        bool delivered = false;
        rig.clock.onSleep = [&](int ms) {
            if (ms != deliverAt || QThread::currentThreadId() == gui || !watcher || delivered)
                return;
            // Deliver the report and wait until the watcher has read it and
            // gone round its loop again.
            delivered = deliverAt != 64;
            const int reads = rig.bus.ackReads.load();
            rig.bus.ackArmed = true;
            while (rig.bus.ackReads.load() < reads + 2)
                QThread::usleep(100);
        };
        rig.link.hid_0BH_SetCurrentDPIStage(1);
        QTRY_VERIFY(rig.link.isLinkIdle());
        rig.clock.onSleep = nullptr;
        rig.link.stopWatch();
        QCOMPARE(rig.clock.totalMs(false), waitedMs);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(1).value<LinkResult>(), expected);
    }

    // Every set ends in exactly one outcome, and only a completed exchange
    // counts as done; the failure says where it stopped.
    void setOutcome_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<LinkResult>("expected");
        QTest::newRow("done") << "" << LinkResult::Done;
        QTest::newRow("no device") << "absent" << LinkResult::NotConnected;
        QTest::newRow("refused open") << "refuse" << LinkResult::OpenRefused;
        QTest::newRow("frame not sent") << "send" << LinkResult::SendFailed;
        QTest::newRow("data not written") << "write" << LinkResult::WriteFailed;
        QTest::newRow("watcher saw no acknowledge") << "silent" << LinkResult::NoAcknowledge;
        QTest::newRow("link busy") << "busy" << LinkResult::Busy;
    }
    void setOutcome()
    {
        QFETCH(QString, fault);
        QFETCH(LinkResult, expected);
        ScannedLink rig;
        if (fault == QLatin1String("absent")) {
            rig.bus.interfaces.clear();
            rig.link.scanDevices(tableFor());
        }
        if (fault == QLatin1String("refuse"))
            rig.bus.refuse(QStringLiteral("cmd"));
        if (fault == QLatin1String("send"))
            rig.bus.fault = FakeHidBus::Fault::RefuseFrame;
        if (fault == QLatin1String("write"))
            rig.bus.fault = FakeHidBus::Fault::RefuseData;
        if (fault == QLatin1String("silent")) {
            rig.link.startWatch(1);
            QTRY_VERIFY(rig.link.isWatching());
        }
        if (fault == QLatin1String("busy")) {
            QVERIFY(rig.link.acquireLink());
            QTest::ignoreMessage(QtDebugMsg, "cmd Failed 11");
        }
        QSignalSpy started(&rig.link, &Hid_Thread::setStarted);
        QSignalSpy finished(&rig.link, &Hid_Thread::setFinished);

        uchar stages[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        rig.link.hid_11H_SetDPISet(2, stages);
        QTRY_COMPARE(finished.count(), 1);
        QTRY_VERIFY(rig.link.isLinkIdle() || fault == QLatin1String("busy"));
        rig.link.stopWatch();
        QCOMPARE(started.count(), 1);
        QCOMPARE(finished.at(0).at(1).value<LinkResult>(), expected);
        const auto request = finished.at(0).at(0).value<SetRequest>();
        QCOMPARE(request.code(), uchar(0x11));
        QCOMPARE(request.data, QByteArray::fromHex("0102030405060708"));
    }

    // Retry sends the recorded frame and block again, byte for byte.
    void resendRepeatsTheSameReports()
    {
        ScannedLink rig;
        QSignalSpy finished(&rig.link, &Hid_Thread::setFinished);
        uchar stages[8] = {9, 8, 7, 6, 5, 4, 3, 2};
        rig.link.hid_11H_SetDPISet(3, stages);
        QTRY_COMPARE(finished.count(), 1);
        QTRY_VERIFY(rig.link.isLinkIdle());
        auto wire = [&rig] {
            return rig.bus.of(BusEvent::SendFeature) + rig.bus.of(BusEvent::Write);
        };
        const QList<QByteArray> first = wire();
        QCOMPARE(first.size(), 2);
        rig.log.clear();
        rig.link.resend(finished.at(0).at(0).value<SetRequest>());
        QTRY_COMPARE(finished.count(), 2);
        QTRY_VERIFY(rig.link.isLinkIdle());
        QCOMPARE(wire(), first);
    }

    // A failed open loses the device (presence follows, from any thread)
    // until a scan; the next command scans once more, so a mouse that was
    // away for a moment works again, and one that is gone is not looked for
    // on every command.
    void lostDeviceIsLookedForOnce()
    {
        ScannedLink rig;
        rig.log.clear();
        QSignalSpy presence(&rig.link, &Hid_Thread::presenceChanged);
        rig.bus.refuse(QStringLiteral("cmd"));
        rig.link.hid_0BH_SetCurrentDPIStage(1); // fails on the pool
        QTRY_COMPARE(presence.count(), 1);
        QCOMPARE(presence.at(0).at(0).toBool(), false);
        QVERIFY(!rig.link.isDevicePresent());
        QTRY_VERIFY(rig.link.isLinkIdle());

        rig.bus.refused.clear(); // back
        rig.bus.featureReply = QByteArray::fromHex("008103000000000000");
        uchar rate = 0;
        rig.link.hid_81H_GetReportRate(rate);
        QVERIFY(rig.link.lastGetOutcome().ok());
        QCOMPARE(rate, uchar(3));
        QCOMPARE(rig.log.count(BusEvent::Enumerate), 1);
        QCOMPARE(presence.count(), 2);
        QCOMPARE(presence.at(1).at(0).toBool(), true);
        rig.link.scanDevices(tableFor()); // no change, no signal
        QCOMPARE(presence.count(), 2);

        rig.bus.refuse(QStringLiteral("cmd"));
        rig.link.hid_81H_GetReportRate(rate);
        QCOMPARE(rig.link.lastGetOutcome().result, LinkResult::OpenRefused);
        rig.bus.interfaces.clear(); // gone for good
        rig.link.hid_81H_GetReportRate(rate);
        QCOMPARE(rig.link.lastGetOutcome().result, LinkResult::NotConnected);
        rig.link.hid_81H_GetReportRate(rate);
        QCOMPARE(rig.log.count(BusEvent::Enumerate), 3);
    }

    void destructionWaitsForTheRunningSet()
    {
        EventLog log;
        FakeClock clock(log, 2000); // 64 ms of link time are 128 ms of real time here
        FakeHidBus bus(log);
        bus.interfaces = mouseInterfaces();
        {
            TestLink link(&bus, &clock);
            link.scanDevices(tableFor());
            uchar block[128] = {};
            link.hid_13H_SetMacroKey(1, block);
        }
        // The whole transaction ran to its end before the object went.
        QCOMPARE(log.count(BusEvent::Write), 4);
        QCOMPARE(bus.openHandles.load(), 0);
        QCOMPARE(log.of(BusEvent::Sleep).last().value, 64);
    }

    void scanRules_data()
    {
        QTest::addColumn<QList<HidInterfaceInfo>>("interfaces");
        QTest::addColumn<QStringList>("paths"); // command and second interface
        const QStringList none{"", ""};
        const HidInterfaceInfo cmd = itf("cmd", 0xff00, 0xff00), ack = itf("ack", 0xff01, 0xff01);
        QTest::newRow("both interfaces") << QList{cmd, ack} << QStringList{"cmd", "ack"};
        QTest::newRow("only the command interface") << QList{cmd} << none;
        QTest::newRow("only the second interface") << QList{ack} << none;
        QTest::newRow("later match replaces an earlier one")
            << QList{itf("cmd-a", 0xff00, 0xff00), ack, itf("cmd-b", 0xff00, 0xff00)}
            << QStringList{"cmd-b", "ack"};
        QTest::newRow("usage page alone does not match")
            << QList{itf("cmd", 0xff00, 0x0001), ack} << none;
        QTest::newRow("only the keyboard attached")
            << QList{itf("kb1", 0xff01, 0x0001, 0x0b01), itf("kb2", 0xff02, 0x0001, 0x0b01)}
            << none;
    }
    void scanRules()
    {
        QFETCH(QList<HidInterfaceInfo>, interfaces);
        QFETCH(QStringList, paths);
        ScannedLink rig(interfaces);

        const QList<HidDevice> devices = rig.link.deviceList();
        QCOMPARE(devices.size(), 2);
        QVERIFY(!devices[0].present()); // the keyboard row is never looked up
        QCOMPARE(devices[0].productName, QStringLiteral("KB"));
        QCOMPARE(devices[1].id, 1);
        QCOMPARE((QStringList{devices[1].path, devices[1].path2}), paths);
        QCOMPARE(devices[1].reportLength, paths[0].isEmpty() ? 0 : 32);
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
        rig.link.scanDevices(tableFor());
        rig.link.swichCurDevice(1);
        QVERIFY(!deviceConnected.load());
    }

    void watcherReportsRemovalOnce()
    {
        ScannedLink rig;
        rig.link.startWatch(1);
        QTRY_VERIFY(rig.link.isWatching());
        rig.link.swichCurDevice(0); // the keyboard row is absent: its watcher ends at once
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        rig.link.swichCurDevice(1); // a different index: the watcher starts on the mouse
        const int reads = rig.bus.ackReads.load();
        // One watcher at a time, keeping the second interface open from one
        // read to the next.
        QTRY_VERIFY(rig.bus.ackReads.load() >= reads + 3);
        QCOMPARE(rig.bus.openHandles.load(), 1);
        QCOMPARE(rig.log.count(BusEvent::Open, QStringLiteral("ack")), 2);

        messages.clear();
        const QtMessageHandler old = qInstallMessageHandler(collect);
        rig.bus.refuse(QStringLiteral("ack")); // unplugged
        QTRY_VERIFY(rig.link.deviceList()[1].path2.isEmpty());
        rig.link.stopWatch();
        qInstallMessageHandler(old);
        QCOMPARE(collected(), QStringList{QStringLiteral("Device removed")});
        QVERIFY(!rig.link.isWatching());
        QCOMPARE(rig.link.deviceList()[1].path, QStringLiteral("cmd"));
        QCOMPARE(rig.bus.openHandles.load(), 0);
    }

    void deviceTableEdges()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.ini"));
        writeFile(path, "[common]\ntotal=3\n"
                        "[0]\nvid=0x2F76\npid=0C14\nusagePage=ff00\nreportLength=32\n"
                        "[1]\ntype=1\nvid=zz\nusage=10000\n");
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

        writeFile(path, "[common]\ntotal=2000000000\n");
        QCOMPARE(readDeviceTable({}, path).rows.size(), kMaxDeviceTableRows);
        QVERIFY(readDeviceTable({}, dir.filePath(QStringLiteral("missing.ini"))).rows.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstLink)
#include "tst_link.moc"
