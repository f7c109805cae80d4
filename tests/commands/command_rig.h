#pragma once

#include "device/hid_thread.h"
#include "firmware_bus.h"
#include "support/frames.h"

#include <QList>
#include <QTest>
#include <QThreadPool>
#include <functional>
#include <memory>

// Hid_Thread with the token within reach of a test: holding it makes every
// command meet a busy link.
class TestLink : public Hid_Thread
{
public:
    using Hid_Thread::Hid_Thread;
    bool holdLink() { return acquireLink(); }
};

// One device under test: the firmware behind a recording bus, the link
// scanned onto it, the cipher off.
struct CommandRig
{
    CommandRig(std::unique_ptr<Firmware> firmware, const DevInfo &row)
        : bus(std::move(firmware), row), link(&bus, &clock)
    {
        isEncode.store(false);
        link.scanDevices(tableFor(row));
    }
    ~CommandRig() { settle(); }

    // Waits for the set started last.
    static void settle() { QThreadPool::globalInstance()->waitForDone(); }

    RecordingClock clock;
    FirmwareBus bus;
    TestLink link;
};

// A command as a test row sees it: runs it with the row's own caller values
// and returns what came back (a bool result first, then the outputs in
// parameter order, buffers byte by byte).
using Command = std::function<QList<int>(Hid_Thread &)>;

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(FirmwareBus::Fault)

inline QList<uchar> pattern(int length, int seed)
{
    QList<uchar> bytes(length);
    for (int i = 0; i < length; ++i)
        bytes[i] = uchar(seed + 5 * i);
    return bytes;
}

inline QList<int> ints(const uchar *bytes, int length)
{
    QList<int> out;
    for (int i = 0; i < length; ++i)
        out << bytes[i];
    return out;
}

inline QList<int> ints(const QList<uchar> &bytes)
{
    return ints(bytes.constData(), int(bytes.size()));
}

inline QByteArray toBytes(const QList<uchar> &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.constData()), bytes.size());
}

struct SetCase
{
    const char *name;
    Command run;
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
        QTest::addColumn<Command>("run");
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("ack");
        QTest::addColumn<bool>("pause");
        for (const SetCase &c : sets())
            QTest::newRow(c.name) << c.run << c.frame << toBytes(c.data) << c.ack << c.pause;
    }

    void setFrames()
    {
        QFETCH(Command, run);
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, data);
        QFETCH(bool, ack);
        QFETCH(bool, pause);

        CommandRig rig(firmware(), row);
        run(rig.link);
        rig.settle();

        QCOMPARE(rig.bus.of(Report::SendFeature), QList<QByteArray>{frame});
        QVERIFY(rig.bus.of(Report::GetFeature).isEmpty());

        // The block in output reports, report id 0 first, the rest of the
        // last report zero.
        const QList<QByteArray> writes = rig.bus.of(Report::Write);
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

        const QList<Report> reports = rig.bus.reports();
        QVERIFY(!reports.isEmpty());
        QCOMPARE(reports.first().kind, Report::SendFeature);
        QCOMPARE(reports.first().bytes, frame);
        QCOMPARE(rig.bus.of(Report::SendFeature).size(), 1);
        // The device answered (the keyboard takes 8DH's zero checksum).
        QCOMPARE(rig.bus.of(Report::GetFeature).size(), 1);
        QVERIFY(!rig.bus.of(Report::GetFeature).first().isEmpty());
        QCOMPARE(rig.bus.of(Report::Read).size(), reportsFor(dataLength));
        QVERIFY(rig.bus.of(Report::Write).isEmpty());
        // Gets neither wait for an acknowledge nor pause.
        QVERIFY(rig.clock.pausesOn(false).isEmpty());
        QVERIFY(rig.clock.pausesOn(true).isEmpty());
        QVERIFY(rig.link.isLinkIdle());
    }

    void failedExchange_data()
    {
        QTest::addColumn<Command>("run");
        QTest::addColumn<FirmwareBus::Fault>("fault");
        QTest::addColumn<QList<int>>("expected");

        const QList<std::pair<const char *, FirmwareBus::Fault>> faults = {
            {"gone", FirmwareBus::Fault::Gone},
            {"refusing", FirmwareBus::Fault::RefuseFrame},
            {"silent reply", FirmwareBus::Fault::SilentReply},
            {"silent input", FirmwareBus::Fault::SilentInput},
        };
        for (const auto &[faultName, fault] : faults) {
            for (const GetCase &c : gets()) {
                // Without a data phase a silent input changes nothing.
                if (fault == FirmwareBus::Fault::SilentInput && c.dataLength == 0)
                    continue;
                QTest::addRow("%s, %s", c.name, faultName) << c.run << fault << c.failureValues();
            }
        }
    }

    void failedExchange()
    {
        QFETCH(Command, run);
        QFETCH(FirmwareBus::Fault, fault);
        QFETCH(QList<int>, expected);

        CommandRig rig(firmware(), row);
        rig.bus.fault = fault;
        QCOMPARE(run(rig.link), expected);
        QVERIFY(rig.link.isLinkIdle());
        if (fault == FirmwareBus::Fault::Gone)
            QVERIFY(rig.bus.reports().isEmpty());
    }

    void busyLink_data()
    {
        QTest::addColumn<Command>("run");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("expected");
        for (const SetCase &c : sets()) {
            const QString code = QString::fromLatin1(c.name).left(2);
            QTest::newRow(c.name) << c.run << QStringLiteral("cmd Failed ") + code << QList<int>{};
        }
        for (const GetCase &c : gets())
            QTest::newRow(c.name) << c.run << QStringLiteral("cmd Failed") << c.callerValues;
    }

    void busyLink()
    {
        QFETCH(Command, run);
        QFETCH(QString, message);
        QFETCH(QList<int>, expected);

        CommandRig rig(firmware(), row);
        QVERIFY(rig.link.holdLink());
        QTest::ignoreMessage(QtDebugMsg, qPrintable(message));
        QCOMPARE(run(rig.link), expected);
        rig.settle();
        QVERIFY(rig.bus.reports().isEmpty());
        // 255 polls of 8 ms, then it gives up.
        QCOMPARE(rig.clock.pausesOn(true), QList<int>(255, 8));
    }
};
