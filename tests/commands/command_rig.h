#pragma once

#include "device/fake_hid_bus.h"
#include "device/hid_thread.h"
#include "support/frames.h"

#include <QList>
#include <QTest>
#include <QThreadPool>
#include <array>
#include <functional>
#include <memory>

// One device under test: its firmware behind the recording bus, the link
// scanned onto it, the cipher off, a clock that takes no real time.
struct CommandRig
{
    CommandRig(std::unique_ptr<Firmware> device, const DevInfo &row)
        : firmware(std::move(device)), clock(log, 0), bus(log), link(&bus, &clock)
    {
        isEncode.store(false);
        bus.firmware = firmware.get();
        bus.reportLength = int(row.reportLength);
        bus.interfaces = interfacesOf(row);
        link.scanDevices(tableFor(row));
    }
    ~CommandRig() { settle(); }

    // Waits for the set started last.
    static void settle() { QThreadPool::globalInstance()->waitForDone(); }

    std::unique_ptr<Firmware> firmware;
    EventLog log;
    FakeClock clock;
    FakeHidBus bus;
    TestLink link;
};

// Names the dispatcher test still uses.
using FirmwareBus = FakeHidBus;
using Report = BusEvent;

// A command as a test row sees it: runs it with the row's own caller values
// and returns what came back (a bool result first, then the outputs in
// parameter order, buffers byte by byte).
using Command = std::function<QList<int>(Hid_Thread &)>;
using SetCommand = std::function<void(Hid_Thread &)>;

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(SetCommand)
Q_DECLARE_METATYPE(FakeHidBus::Fault)

inline QList<uchar> pattern(int length, int seed)
{
    QList<uchar> bytes(length);
    for (int i = 0; i < length; ++i)
        bytes[i] = uchar(seed + 5 * i);
    return bytes;
}

inline QList<int> ints(const QList<uchar> &bytes)
{
    return QList<int>(bytes.begin(), bytes.end());
}

// A get with N byte outputs, which the caller sets to 11H, 22H, 33H... first.
template <int N, typename Get> auto outputs(Get get)
{
    return [get](Hid_Thread &h) {
        std::array<uchar, N> v;
        for (int i = 0; i < N; ++i)
            v[size_t(i)] = uchar(0x11 * (i + 1));
        get(h, v);
        return QList<int>(v.begin(), v.end());
    };
}

// A get into a block the caller fills with `bytes` first.
template <typename Get> auto block(const QList<uchar> &bytes, Get get)
{
    return [bytes, get](Hid_Thread &h) {
        QList<uchar> b = bytes;
        get(h, b.data());
        return ints(b);
    };
}

struct SetCase
{
    const char *name;
    SetCommand run;
    QByteArray frame;
    QList<uchar> data;
    bool ack;
    bool pause;
};

struct GetCase
{
    const char *name;
    Command run;
    QByteArray frame;
    int dataLength;
    QList<int> callerValues;   // what the caller passed in
    QList<int> onFailure = {}; // what a failed exchange hands back; empty: callerValues

    QList<int> failureValues() const { return onFailure.isEmpty() ? callerValues : onFailure; }
};

// The tests every command set takes, table by table, each row against a
// fresh rig. A device's test class derives from this one (QtTest runs the
// inherited slots too) and adds its own.
class CommandSetTest : public QObject
{
    Q_OBJECT

public:
    // `blockBytes`: data bytes per report of the data phase (after the
    // report id).
    CommandSetTest(std::function<std::unique_ptr<Firmware>()> firmware, DevInfo row, int blockBytes,
                   std::function<QList<SetCase>()> sets, std::function<QList<GetCase>()> gets)
        : firmware(std::move(firmware)), row(std::move(row)), blockBytes(blockBytes),
          sets(std::move(sets)), gets(std::move(gets))
    {
    }

private:
    std::function<std::unique_ptr<Firmware>()> firmware;
    DevInfo row;
    int blockBytes;
    std::function<QList<SetCase>()> sets;
    std::function<QList<GetCase>()> gets;

    int reportsFor(qsizetype dataLength) const
    {
        return int((dataLength + blockBytes - 1) / blockBytes);
    }

private slots:
    void setFrames_data()
    {
        QTest::addColumn<SetCommand>("run");
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("ack");
        QTest::addColumn<bool>("pause");
        for (const SetCase &c : sets())
            QTest::newRow(c.name) << c.run << c.frame
                                  << QByteArray(reinterpret_cast<const char *>(c.data.constData()),
                                                c.data.size())
                                  << c.ack << c.pause;
    }

    void setFrames()
    {
        QFETCH(SetCommand, run);
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, data);
        QFETCH(bool, ack);
        QFETCH(bool, pause);

        CommandRig rig(firmware(), row);
        run(rig.link);
        rig.settle();

        QCOMPARE(rig.bus.of(BusEvent::SendFeature), QList<QByteArray>{frame});
        QVERIFY(rig.bus.of(BusEvent::GetFeature).isEmpty());

        // The block in output reports, report id 0 first, the rest of the
        // last report zero.
        const QList<QByteArray> writes = rig.bus.of(BusEvent::Write);
        const int reports = reportsFor(data.size());
        QCOMPARE(writes.size(), reports);
        QByteArray payload;
        for (const QByteArray &w : writes) {
            QCOMPARE(w.size(), blockBytes + 1);
            QCOMPARE(w.at(0), '\0');
            payload += w.mid(1);
        }
        QCOMPARE(payload.left(data.size()), data);
        QCOMPARE(payload.mid(data.size()), QByteArray(payload.size() - data.size(), '\0'));
        // The interface is opened afresh before the frame and every report,
        // and closed after each.
        QCOMPARE(rig.log.count(BusEvent::Open), 2 + reports);
        QCOMPARE(rig.bus.openHandles.load(), 0);

        QList<int> transaction;
        if (ack)
            transaction << 64 << 64;
        for (int i = 0; i < reports; ++i)
            transaction << 8;
        if (ack && reports > 0)
            transaction << 64 << 64;
        QCOMPARE(rig.clock.pausesOn(false), transaction);
        QCOMPARE(rig.clock.pausesOn(true), pause ? QList<int>{8} : QList<int>{});
        QVERIFY(rig.link.isLinkIdle());
    }

    void getFrames_data()
    {
        QTest::addColumn<Command>("run");
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("dataLength");
        for (const GetCase &c : gets())
            QTest::newRow(c.name) << c.run << c.frame << c.dataLength;
    }

    void getFrames()
    {
        QFETCH(Command, run);
        QFETCH(QByteArray, frame);
        QFETCH(int, dataLength);

        CommandRig rig(firmware(), row);
        run(rig.link);

        QCOMPARE(rig.bus.of(BusEvent::SendFeature), QList<QByteArray>{frame});
        QCOMPARE(rig.bus.reports().first().kind, BusEvent::SendFeature);
        // The device answered (the keyboard takes 8DH's zero checksum).
        QCOMPARE(rig.bus.of(BusEvent::GetFeature).size(), 1);
        QVERIFY(!rig.bus.of(BusEvent::GetFeature).first().isEmpty());
        QCOMPARE(rig.bus.of(BusEvent::Read).size(), reportsFor(dataLength));
        QVERIFY(rig.bus.of(BusEvent::Write).isEmpty());
        // Gets neither wait for an acknowledge nor pause.
        QVERIFY(rig.log.of(BusEvent::Sleep).isEmpty());
        QVERIFY(rig.link.isLinkIdle());
    }

    void failedExchange_data()
    {
        QTest::addColumn<Command>("run");
        QTest::addColumn<FakeHidBus::Fault>("fault");
        QTest::addColumn<QList<int>>("expected");

        const QList<std::pair<const char *, FakeHidBus::Fault>> faults = {
            {"gone", FakeHidBus::Fault::Gone},
            {"refusing", FakeHidBus::Fault::RefuseFrame},
            {"silent reply", FakeHidBus::Fault::SilentReply},
            {"silent input", FakeHidBus::Fault::SilentInput},
        };
        for (const auto &[faultName, fault] : faults) {
            for (const GetCase &c : gets()) {
                // Without a data phase a silent input changes nothing.
                if (fault == FakeHidBus::Fault::SilentInput && c.dataLength == 0)
                    continue;
                QTest::addRow("%s, %s", c.name, faultName) << c.run << fault << c.failureValues();
            }
        }
    }

    void failedExchange()
    {
        QFETCH(Command, run);
        QFETCH(FakeHidBus::Fault, fault);
        QFETCH(QList<int>, expected);

        CommandRig rig(firmware(), row);
        rig.bus.fault = fault;
        QCOMPARE(run(rig.link), expected);
        QVERIFY(rig.link.isLinkIdle());
        if (fault == FakeHidBus::Fault::Gone)
            QVERIFY(rig.bus.reports().isEmpty());
    }

    // All commands share the link's two token paths (the link tests cover
    // them): one set, and the gets whose failure values differ from their
    // caller's, which a busy link must leave alone.
    void busyLink_data()
    {
        QTest::addColumn<Command>("run");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("expected");
        const SetCase set = sets().first();
        QTest::newRow(set.name) << Command([run = set.run](Hid_Thread &h) {
            run(h);
            return QList<int>{};
        }) << QStringLiteral("cmd Failed ") + QString::fromLatin1(set.name).left(2)
                                << QList<int>{};
        for (const GetCase &c : gets())
            if (c.failureValues() != c.callerValues)
                QTest::newRow(c.name) << c.run << QStringLiteral("cmd Failed") << c.callerValues;
    }

    void busyLink()
    {
        QFETCH(Command, run);
        QFETCH(QString, message);
        QFETCH(QList<int>, expected);

        CommandRig rig(firmware(), row);
        QVERIFY(rig.link.acquireLink());
        QTest::ignoreMessage(QtDebugMsg, qPrintable(message));
        QCOMPARE(run(rig.link), expected);
        rig.settle();
        QVERIFY(rig.bus.reports().isEmpty());
    }
};
