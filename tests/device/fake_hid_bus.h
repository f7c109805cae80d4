#pragma once

// The one device stand-in of the link tests: a recording HID bus with fault
// options, answered by a script or by a real Firmware (plain frames, the
// cipher off), a link clock, and the link scanned onto them. Bus and clock
// record into one event list, so a test can check the order of reports and
// pauses across threads.

#include "device/clock.h"
#include "device/dev_info.h"
#include "device/hid_bus.h"
#include "device/hid_thread.h"
#include "sim/firmware.h"
#include "support/frames.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>
#include <QString>
#include <QThread>
#include <QThreadPool>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <thread>

struct BusEvent
{
    enum Kind
    {
        Enumerate,
        Open,
        Close,
        SendFeature,
        GetFeature,
        Write,
        Read,
        Sleep
    };
    Kind kind;
    QString path = {};
    QByteArray bytes = {}; // report sent, or report delivered
    int value = 0;         // read time-out, sleep length, or call result
    Qt::HANDLE thread = QThread::currentThreadId();
};

class EventLog
{
public:
    void add(const BusEvent &e)
    {
        QMutexLocker lock(&mutex);
        list.append(e);
    }
    QList<BusEvent> all() const
    {
        QMutexLocker lock(&mutex);
        return list;
    }
    QList<BusEvent> of(BusEvent::Kind kind, const QString &path = {}) const
    {
        QList<BusEvent> out;
        for (const BusEvent &e : all())
            if (e.kind == kind && (path.isEmpty() || e.path == path))
                out.append(e);
        return out;
    }
    int count(BusEvent::Kind kind, const QString &path = {}) const
    {
        return int(of(kind, path).size());
    }
    void clear()
    {
        QMutexLocker lock(&mutex);
        list.clear();
    }

private:
    mutable QMutex mutex;
    QList<BusEvent> list;
};

// Records every pause and sleeps usPerMs microseconds per link millisecond
// (0: no real time), plus callerSleepUs on the thread that made the clock,
// the caller of the commands, so that a command can wait in the token poll
// for a transaction running on the pool.
class FakeClock final : public LinkClock
{
public:
    explicit FakeClock(EventLog &log, int usPerMs = 50) : usPerMs(usPerMs), log(log) {}

    void sleepMs(int ms) override
    {
        log.add({BusEvent::Sleep, {}, {}, ms});
        if (onSleep)
            onSleep(ms);
        const int us = ms * usPerMs + (QThread::currentThreadId() == caller ? callerSleepUs : 0);
        if (us > 0)
            std::this_thread::sleep_for(std::chrono::microseconds(us));
    }

    // The pauses taken on (or off) the caller's thread, and their sum.
    QList<int> pausesOn(bool onCaller) const
    {
        QList<int> out;
        for (const BusEvent &e : log.of(BusEvent::Sleep))
            if ((e.thread == caller) == onCaller)
                out.append(e.value);
        return out;
    }
    int totalMs(bool onCaller) const
    {
        int sum = 0;
        for (int ms : pausesOn(onCaller))
            sum += ms;
        return sum;
    }

    std::function<void(int)> onSleep;
    int usPerMs;
    int callerSleepUs = 0;

private:
    EventLog &log;
    Qt::HANDLE caller = QThread::currentThreadId();
};

class FakeHidBus final : public HidBus
{
public:
    enum class Fault
    {
        None,
        Gone,        // every open fails
        RefuseFrame, // every feature report is refused
        SilentReply, // every reply feature read fails
        RefuseData,  // every output report is refused
        SilentInput, // input reports stop after inputsBeforeSilence
    };

    explicit FakeHidBus(EventLog &log) : log(log) {}

    QList<HidInterfaceInfo> enumerate(uint16_t vendorId, uint16_t productId) override
    {
        log.add({BusEvent::Enumerate, {}, {}, vendorId << 16 | productId});
        QList<HidInterfaceInfo> out;
        for (const HidInterfaceInfo &i : interfaces)
            if ((!vendorId || i.vendorId == vendorId) && (!productId || i.productId == productId))
                out.append(i);
        return out;
    }

    std::unique_ptr<HidHandle> open(const QString &path) override;

    // Refuses opens of path from now on (safe while other threads open).
    void refuse(const QString &path)
    {
        QMutexLocker lock(&mutex);
        refused.insert(path);
    }

    // Every report moved on the bus, in order.
    QList<BusEvent> reports() const
    {
        QList<BusEvent> out;
        for (const BusEvent &e : log.all())
            if (e.kind >= BusEvent::SendFeature && e.kind <= BusEvent::Read)
                out.append(e);
        return out;
    }
    // The bytes of every report of one kind, in order.
    QList<QByteArray> of(BusEvent::Kind kind) const
    {
        QList<QByteArray> out;
        for (const BusEvent &e : log.of(kind))
            out.append(e.bytes);
        return out;
    }

    // Scripting (set before the transaction runs).
    QList<HidInterfaceInfo> interfaces;
    QSet<QString> refused;
    Fault fault = Fault::None;
    int inputsBeforeSilence = 0;
    // Without a firmware: the reply and the input reports of the command
    // interface.
    QByteArray featureReply = QByteArray(9, '\0');
    std::deque<QByteArray> inputs;
    // With one: the device behind the command interface, sending its input
    // block in reports of reportLength, and the codes it leaves unanswered.
    Firmware *firmware = nullptr;
    int reportLength = 32;
    QList<int> unanswered;
    // The second interface: a report delivered once when armed.
    QByteArray ackReport;
    std::atomic<bool> ackArmed{false};
    std::atomic<int> ackReads{0}; // reads started on the second interface

    std::atomic<int> openHandles{0};
    EventLog &log;

private:
    friend class FakeHandle;
    QMutex mutex;
    int inputsDelivered = 0;
    Firmware::FrameOutcome outcome;
    QByteArray pendingOutput;
};

class FakeHandle final : public HidHandle
{
public:
    FakeHandle(FakeHidBus &bus, QString path) : bus(bus), path(std::move(path)) {}
    ~FakeHandle() override
    {
        bus.log.add({BusEvent::Close, path});
        --bus.openHandles;
    }
    void setNonBlocking(bool) override {}

    int sendFeatureReport(const uint8_t *data, size_t length) override
    {
        const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(length));
        const bool fail =
            bus.fault == FakeHidBus::Fault::RefuseFrame || (bus.firmware && length != 9);
        bus.log.add({BusEvent::SendFeature, path, bytes, fail ? -1 : int(length)});
        if (fail)
            return -1;
        if (bus.firmware) {
            std::array<uint8_t, 9> frame{};
            std::copy_n(data, 9, frame.begin());
            bus.outcome = bus.unanswered.contains(frame[1]) ? Firmware::FrameOutcome{false}
                                                            : bus.firmware->onCommandFrame(frame);
            bus.pendingOutput.clear();
            bus.inputs.clear();
            const QByteArray block = bus.outcome.known ? bus.firmware->inputBlock() : QByteArray();
            for (qsizetype at = 0; at < block.size(); at += bus.reportLength)
                bus.inputs.push_back(
                    block.mid(at, bus.reportLength).leftJustified(bus.reportLength, '\0'));
            bus.inputsDelivered = 0;
        }
        return int(length);
    }

    int getFeatureReport(uint8_t *data, size_t length) override
    {
        const bool fail =
            bus.fault == FakeHidBus::Fault::SilentReply || (bus.firmware && !bus.outcome.known);
        const QByteArray reply =
            bus.firmware ? QByteArray(reinterpret_cast<const char *>(bus.outcome.reply.data()), 9)
                         : bus.featureReply;
        bus.log.add(
            {BusEvent::GetFeature, path, fail ? QByteArray() : reply, fail ? -1 : int(length)});
        return fail ? -1 : deliver(reply, data, length);
    }

    int write(const uint8_t *data, size_t length) override
    {
        const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(length));
        const bool fail = bus.fault == FakeHidBus::Fault::RefuseData;
        bus.log.add({BusEvent::Write, path, bytes, fail ? -1 : int(length)});
        if (fail)
            return -1;
        if (bus.firmware) {
            bus.pendingOutput += bytes.mid(1);
            const int expected = bus.outcome.outputBytes;
            if (expected > 0 && bus.pendingOutput.size() >= expected) {
                bus.firmware->onOutputBlock(bus.pendingOutput.left(expected));
                bus.outcome.outputBytes = 0;
            }
        }
        return int(length);
    }

    int read(uint8_t *data, size_t length, int timeoutMs) override
    {
        QByteArray report;
        if (path == QLatin1String("ack")) {
            ++bus.ackReads;
            // A handle open on a device that went away fails its reads.
            {
                QMutexLocker lock(&bus.mutex);
                if (bus.refused.contains(path))
                    return -1;
            }
            // The watcher: a short real wait instead of the whole time-out.
            for (int i = 0; i < 20 && !bus.ackArmed.load(); ++i)
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            if (!bus.ackArmed.exchange(false))
                return 0;
            report = bus.ackReport;
        } else if (!bus.inputs.empty() && (bus.fault != FakeHidBus::Fault::SilentInput ||
                                           bus.inputsDelivered < bus.inputsBeforeSilence)) {
            report = bus.inputs.front();
            bus.inputs.pop_front();
            ++bus.inputsDelivered;
        }
        bus.log.add({BusEvent::Read, path, report, timeoutMs});
        return report.isEmpty() ? 0 : deliver(report, data, length); // empty: a time-out
    }

private:
    static int deliver(const QByteArray &report, uint8_t *data, size_t length)
    {
        const size_t n = std::min(length, size_t(report.size()));
        std::memcpy(data, report.constData(), n);
        return int(n);
    }

    FakeHidBus &bus;
    QString path;
};

inline std::unique_ptr<HidHandle> FakeHidBus::open(const QString &path)
{
    QMutexLocker lock(&mutex);
    if (refused.contains(path) || fault == Fault::Gone)
        return nullptr;
    log.add({BusEvent::Open, path});
    ++openHandles;
    return std::make_unique<FakeHandle>(*this, path);
}

// The shipped device table's two rows; the link looks up only row 1.
inline DevInfo mouseRow(unsigned reportLength = 32)
{
    return {1, 0x2f76, 0x0c14, 0xff00, 0xff00, 0xff01, 0xff01, QStringLiteral("Z4"), reportLength};
}
inline DevInfo keyboardRow()
{
    return {0, 0x2f76, 0x0b01, 0xff01, 0x0001, 0xff02, 0x0001, QStringLiteral("KB"), 64};
}
// A table whose row 1 is the device under test.
inline QList<DevInfo> tableFor(const DevInfo &row = mouseRow())
{
    return {keyboardRow(), row};
}

// The two vendor interfaces of a row, "cmd" and "ack".
inline QList<HidInterfaceInfo> interfacesOf(const DevInfo &row)
{
    return {
        HidInterfaceInfo{QStringLiteral("cmd"), row.vid, row.pid, row.usagePage, row.usage, 1},
        HidInterfaceInfo{QStringLiteral("ack"), row.vid, row.pid, row.usagePage2, row.usage2, 2}};
}
inline QList<HidInterfaceInfo> mouseInterfaces()
{
    return interfacesOf(mouseRow());
}

// Opens the link's protected primitives to the tests.
class TestLink : public Hid_Thread
{
public:
    using Hid_Thread::acquireLink;
    using Hid_Thread::buildFrame;
    using Hid_Thread::data;
    using Hid_Thread::frame;
    using Hid_Thread::Hid_Thread;
    using Hid_Thread::readTransaction;
    using Hid_Thread::reply;
    using Hid_Thread::startWriteTask;
};

class MapConfig final : public DeviceConfigSource
{
public:
    QStringList productNames() const override { return {}; }
    QString secrecyCode(int index) const override
    {
        return codes.value(index, QStringLiteral("740352"));
    }
    QMap<int, QString> codes;
};

// A link that has scanned a bus holding `interfaces` (the mouse's two by
// default), or the interfaces of `row` with `device` behind them (the cipher
// off), with a clock that takes no real time.
struct ScannedLink
{
    explicit ScannedLink(QList<HidInterfaceInfo> interfaces = mouseInterfaces(),
                         unsigned reportLength = 32)
        : clock(log, 0), bus(log), link(&bus, &clock)
    {
        bus.interfaces = std::move(interfaces);
        link.scanDevices(tableFor(mouseRow(reportLength)));
    }
    ScannedLink(std::unique_ptr<Firmware> device, const DevInfo &row = mouseRow())
        : firmware(std::move(device)), clock(log, 0), bus(log), link(&bus, &clock)
    {
        isEncode.store(false);
        bus.firmware = firmware.get();
        bus.reportLength = int(row.reportLength);
        bus.interfaces = interfacesOf(row);
        link.scanDevices(tableFor(row));
    }
    // Waits for the set started last.
    static void settle() { QThreadPool::globalInstance()->waitForDone(); }

    // The commands sent since the last call, each with its data block.
    QList<SentCommand> takeSent()
    {
        settle();
        const QList<BusEvent> events = log.all();
        QList<SentCommand> sent;
        for (const BusEvent &e : events.mid(seenEvents)) {
            if (e.kind == BusEvent::SendFeature)
                sent.append({e.bytes, {}});
            else if (e.kind == BusEvent::Write && !sent.isEmpty())
                sent.last().data += e.bytes.mid(1);
        }
        seenEvents = int(events.size());
        return sent;
    }

    std::unique_ptr<Firmware> firmware;
    EventLog log;
    FakeClock clock;
    FakeHidBus bus;
    TestLink link;
    int seenEvents = 0;
};
