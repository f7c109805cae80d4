// The link token, the acknowledge wait and shutdown, through real commands.
#include "fake_hid_bus.h"
#include "support/frames.h"

#include <QSignalSpy>
#include <QTest>

namespace {

struct Rig
{
    explicit Rig(int microsecondsPerMs = 50) : clock(log, microsecondsPerMs), bus(log)
    {
        link = std::make_unique<TestLink>(&bus, &clock);
        bus.interfaces = mouseInterfaces();
        link->scanDevices(testDeviceTable(32));
        log.clear();
    }

    QList<QByteArray> frames() const
    {
        QList<QByteArray> out;
        for (const BusEvent &e : log.of(BusEvent::SendFeature))
            out.append(e.bytes);
        return out;
    }

    EventLog log;
    FakeClock clock;
    FakeHidBus bus;
    std::unique_ptr<TestLink> link;
};

} // namespace

class TstLink : public QObject
{
    Q_OBJECT

private slots:
    void init() { isEncode = false; }

    void setsReachTheDeviceInCallOrder()
    {
        Rig rig;
        rig.link->hid_0BH_SetCurrentDPIStage(2);
        rig.link->hid_01H_SetReportRate(4);
        rig.link->hid_0BH_SetCurrentDPIStage(5);
        QTRY_VERIFY(rig.link->isLinkIdle());
        QTRY_COMPARE(rig.log.count(BusEvent::Close), rig.log.count(BusEvent::Open));
        QCOMPARE(rig.frames(), (QList<QByteArray>{frameBytes(0x0B, {2}), frameBytes(0x01, {4}),
                                                  frameBytes(0x0B, {5})}));
    }

    void getStartsAfterTheSetsAcknowledgeWaits()
    {
        Rig rig;
        rig.bus.featureReply = QByteArray::fromHex("008108000000000000");
        rig.link->hid_0BH_SetCurrentDPIStage(3);
        uchar rate = 1;
        rig.link->hid_81H_GetReportRate(rate);
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
        QCOMPARE(rig.clock.totalMs(gui, false), 128);
    }

    void busyLinkDropsCommands()
    {
        Rig rig(0);
        QVERIFY(rig.link->acquireLink());
        const int pollsBefore = rig.log.count(BusEvent::Sleep);

        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 0B");
        rig.link->hid_0BH_SetCurrentDPIStage(3);
        QCOMPARE(rig.log.count(BusEvent::Sleep) - pollsBefore, 255);

        QTest::ignoreMessage(QtDebugMsg, "cmd Failed");
        uchar rate = 7;
        rig.link->hid_81H_GetReportRate(rate);
        QCOMPARE(rate, uchar(7));

        int waited = 0;
        for (const BusEvent &e : rig.log.of(BusEvent::Sleep))
            waited += e.value;
        QCOMPARE(waited, 2 * 255 * 8);
        QCOMPARE(rig.log.count(BusEvent::Open), 0);
        QVERIFY(!rig.link->isLinkIdle()); // still held by the test, not taken over
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
        Rig rig(0);
        if (watcher) {
            rig.link->startWatch(1);
            QTRY_VERIFY(rig.link->isWatching());
        }
        rig.bus.ackReport = report;
        QSignalSpy finished(rig.link.get(), &Hid_Thread::setFinished);
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
        rig.link->hid_0BH_SetCurrentDPIStage(1);
        QTRY_VERIFY(rig.link->isLinkIdle());
        rig.clock.onSleep = nullptr;
        rig.link->stopWatch();
        QCOMPARE(rig.clock.totalMs(gui, false), waitedMs);
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
        Rig rig(0);
        if (fault == QLatin1String("absent")) {
            rig.bus.interfaces.clear();
            rig.link->scanDevices(testDeviceTable(32));
        }
        if (fault == QLatin1String("refuse"))
            rig.bus.refuse(QStringLiteral("cmd"));
        rig.bus.failSendFeature = fault == QLatin1String("send") ? 1 : 0;
        rig.bus.failWrite = fault == QLatin1String("write") ? 1 : 0;
        if (fault == QLatin1String("silent")) {
            rig.link->startWatch(1);
            QTRY_VERIFY(rig.link->isWatching());
        }
        if (fault == QLatin1String("busy")) {
            QVERIFY(rig.link->acquireLink());
            QTest::ignoreMessage(QtDebugMsg, "cmd Failed 11");
        }
        QSignalSpy started(rig.link.get(), &Hid_Thread::setStarted);
        QSignalSpy finished(rig.link.get(), &Hid_Thread::setFinished);

        uchar stages[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        rig.link->hid_11H_SetDPISet(2, stages);
        QTRY_COMPARE(finished.count(), 1);
        QTRY_VERIFY(rig.link->isLinkIdle() || fault == QLatin1String("busy"));
        rig.link->stopWatch();
        QCOMPARE(started.count(), 1);
        QCOMPARE(finished.at(0).at(1).value<LinkResult>(), expected);
        const auto request = finished.at(0).at(0).value<SetRequest>();
        QCOMPARE(request.code(), uchar(0x11));
        QCOMPARE(request.data, QByteArray::fromHex("0102030405060708"));
    }

    // Retry sends the recorded frame and block again, byte for byte.
    void resendRepeatsTheSameReports()
    {
        Rig rig(0);
        QSignalSpy finished(rig.link.get(), &Hid_Thread::setFinished);
        uchar stages[8] = {9, 8, 7, 6, 5, 4, 3, 2};
        rig.link->hid_11H_SetDPISet(3, stages);
        QTRY_COMPARE(finished.count(), 1);
        QTRY_VERIFY(rig.link->isLinkIdle());
        const QList<BusEvent> first = rig.log.all();
        rig.log.clear();
        rig.link->resend(finished.at(0).at(0).value<SetRequest>());
        QTRY_COMPARE(finished.count(), 2);
        QTRY_VERIFY(rig.link->isLinkIdle());
        auto wire = [](const QList<BusEvent> &events) {
            QList<QByteArray> out;
            for (const BusEvent &e : events)
                if (e.kind == BusEvent::SendFeature || e.kind == BusEvent::Write)
                    out.append(e.bytes);
            return out;
        };
        QCOMPARE(wire(rig.log.all()).size(), 2);
        QCOMPARE(wire(rig.log.all()), wire(first));
    }

    // A failed get hands back its template, and says that it failed.
    void getOutcomeTellsAFailedReadFromARealAnswer()
    {
        Rig rig(0);
        QSignalSpy gets(rig.link.get(), &Hid_Thread::getFinished);
        uchar block[64] = {};
        rig.link->hid_92H_GetKeyMatrix(block); // no input report comes
        QCOMPARE(rig.link->lastGetOutcome().code, uchar(0x92));
        QCOMPARE(rig.link->lastGetOutcome().result, LinkResult::ReadFailed);
        rig.bus.featureReply = QByteArray::fromHex("008105000000000000");
        uchar rate = 0;
        rig.link->hid_81H_GetReportRate(rate);
        QVERIFY(rig.link->lastGetOutcome().ok());
        QCOMPARE(gets.count(), 2);
    }

    // Presence follows the scan and the first failed open, from any thread.
    void presenceFollowsScansAndFailedOpens()
    {
        Rig rig(0);
        QSignalSpy presence(rig.link.get(), &Hid_Thread::presenceChanged);
        QVERIFY(rig.link->isDevicePresent());
        rig.bus.refuse(QStringLiteral("cmd"));
        rig.link->hid_0BH_SetCurrentDPIStage(1);
        QTRY_COMPARE(presence.count(), 1);
        QCOMPARE(presence.at(0).at(0).toBool(), false);
        rig.bus.refused.clear();
        rig.link->scanDevices(testDeviceTable(32));
        QCOMPARE(presence.count(), 2);
        QCOMPARE(presence.at(1).at(0).toBool(), true);
        rig.link->scanDevices(testDeviceTable(32)); // no change, no signal
        QCOMPARE(presence.count(), 2);
    }

    // A failed open loses the device until a scan; the next command scans
    // once more, so a mouse that was away for a moment works again, and one
    // that is gone is not looked for on every command.
    void commandAfterAFailureLooksForTheDeviceOnce()
    {
        Rig rig(0);
        rig.bus.refuse(QStringLiteral("cmd"));
        uchar rate = 0;
        rig.link->hid_81H_GetReportRate(rate);
        QCOMPARE(rig.link->lastGetOutcome().result, LinkResult::OpenRefused);
        QVERIFY(!rig.link->isDevicePresent());

        rig.bus.refused.clear(); // back
        rig.bus.featureReply = QByteArray::fromHex("008103000000000000");
        rig.link->hid_81H_GetReportRate(rate);
        QVERIFY(rig.link->lastGetOutcome().ok());
        QCOMPARE(rate, uchar(3));
        QCOMPARE(rig.log.count(BusEvent::Enumerate), 1);

        rig.bus.refuse(QStringLiteral("cmd"));
        rig.link->hid_81H_GetReportRate(rate);
        rig.bus.interfaces.clear(); // gone for good
        rig.link->hid_81H_GetReportRate(rate);
        QCOMPARE(rig.link->lastGetOutcome().result, LinkResult::NotConnected);
        rig.link->hid_81H_GetReportRate(rate);
        QCOMPARE(rig.log.count(BusEvent::Enumerate), 2);
    }

    void destructionWaitsForTheRunningSet()
    {
        Rig rig(2000); // 64 ms of link time are 128 ms of real time here
        uchar block[128] = {};
        rig.link->hid_13H_SetMacroKey(1, block);
        rig.link.reset();
        // The whole transaction ran to its end before the object went.
        QCOMPARE(rig.log.count(BusEvent::Write), 4);
        QCOMPARE(rig.bus.openHandles.load(), 0);
        QCOMPARE(rig.log.of(BusEvent::Sleep).last().value, 64);
    }
};

QTEST_GUILESS_MAIN(TstLink)
#include "tst_link.moc"
