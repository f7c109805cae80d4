#pragma once

// The device stand-in of the link tests: a recording HID bus with fault
// options, answered either by a script or by a real Firmware (plain frames,
// the cipher off), and a link clock. Both record into one shared event list,
// so a test can check the order of reports and pauses across threads.

#include "device/clock.h"
#include "device/dev_info.h"
#include "device/hid_bus.h"
#include "device/hid_thread.h"
#include "sim/firmware.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>
#include <QString>
#include <QThread>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <thread>

struct BusEvent
{
    enum Kind
    {
        Enumerate,
        Open,
        OpenRefused,
        Close,
        SendFeature,
        GetFeature,
        Write,
        Read,
        Sleep
    };
    BusEvent(Kind kind, QString path = {}, QByteArray bytes = {}, int value = 0)
        : kind(kind), path(std::move(path)), bytes(std::move(bytes)), value(value)
    {
    }
    Kind kind;
    QString path;
    QByteArray bytes; // report sent, or report delivered
    int value = 0;    // read time-out, sleep length, or call result
    Qt::HANDLE thread = nullptr;
};

class EventLog
{
public:
    void add(BusEvent e)
    {
        e.thread = QThread::currentThreadId();
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
        return static_cast<int>(of(kind, path).size());
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

// Sleeps a scaled-down real time (so that a pool task and the GUI thread
// still interleave) and records every pause.
class FakeClock final : public LinkClock
{
public:
    explicit FakeClock(EventLog &log, int microsecondsPerMs = 50)
        : log(log), scale(microsecondsPerMs)
    {
    }

    void sleepMs(int ms) override
    {
        log.add({BusEvent::Sleep, {}, {}, ms});
        if (onSleep)
            onSleep(ms);
        int us = ms * scale;
        if (QThread::currentThreadId() == caller)
            us += callerSleepUs;
        if (us > 0)
            std::this_thread::sleep_for(std::chrono::microseconds(us));
    }

    // The pauses taken on (or off) the thread that made the clock, the
    // caller of the commands.
    QList<int> pausesOn(bool onCaller) const
    {
        QList<int> out;
        for (const BusEvent &e : log.of(BusEvent::Sleep))
            if ((e.thread == caller) == onCaller)
                out.append(e.value);
        return out;
    }

    int totalMs(Qt::HANDLE thread, bool onThread) const
    {
        int sum = 0;
        for (const BusEvent &e : log.of(BusEvent::Sleep))
            if ((e.thread == thread) == onThread)
                sum += e.value;
        return sum;
    }

    std::function<void(int)> onSleep;
    // Real time each of the caller's pauses takes besides, so that a command
    // can wait in the token poll for a transaction running on the pool.
    int callerSleepUs = 0;

private:
    EventLog &log;
    int scale;
    Qt::HANDLE caller = QThread::currentThreadId();
};

class FakeHidBus;

class FakeHandle final : public HidHandle
{
public:
    FakeHandle(FakeHidBus &bus, QString path) : bus(bus), path(std::move(path)) {}
    ~FakeHandle() override;
    void setNonBlocking(bool) override {}
    int sendFeatureReport(const uint8_t *data, size_t length) override;
    int getFeatureReport(uint8_t *data, size_t length) override;
    int write(const uint8_t *data, size_t length) override;
    int read(uint8_t *data, size_t length, int timeoutMs) override;

private:
    FakeHidBus &bus;
    QString path;
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

    std::unique_ptr<HidHandle> open(const QString &path) override
    {
        QMutexLocker lock(&mutex);
        if (refused.contains(path) || fault == Fault::Gone) {
            log.add({BusEvent::OpenRefused, path});
            return nullptr;
        }
        log.add({BusEvent::Open, path});
        ++openHandles;
        return std::make_unique<FakeHandle>(*this, path);
    }

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
    int failSendFeature = 0; // 1-based number of the call that fails; 0 = none
    int failGetFeature = 0;
    int failWrite = 0;
    int failRead = 0;
    // Without a firmware: the reply and the input reports of the command
    // interface.
    QByteArray featureReply = QByteArray(9, '\0');
    std::deque<QByteArray> inputs;
    // With one: the device behind the command interface, sending its input
    // block in reports of reportLength.
    Firmware *firmware = nullptr;
    int reportLength = 32;
    // The second interface: a report delivered once when armed.
    QByteArray ackReport;
    std::atomic<bool> ackArmed{false};
    std::atomic<int> ackReads{0}; // reads started on the second interface

    std::atomic<int> openHandles{0};
    EventLog &log;

private:
    friend class FakeHandle;
    QMutex mutex;
    int sends = 0, gets = 0, writes = 0, reads = 0, inputsDelivered = 0;
    Firmware::FrameOutcome outcome;
    QByteArray pendingOutput;
};

inline FakeHandle::~FakeHandle()
{
    bus.log.add({BusEvent::Close, path});
    --bus.openHandles;
}

inline int FakeHandle::sendFeatureReport(const uint8_t *data, size_t length)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(length));
    const bool fail = ++bus.sends == bus.failSendFeature ||
                      bus.fault == FakeHidBus::Fault::RefuseFrame || (bus.firmware && length != 9);
    bus.log.add({BusEvent::SendFeature, path, bytes, fail ? -1 : int(length)});
    if (fail)
        return -1;
    if (bus.firmware) {
        std::array<uint8_t, 9> frame{};
        std::copy_n(data, 9, frame.begin());
        bus.outcome = bus.firmware->onCommandFrame(frame);
        bus.pendingOutput.clear();
        bus.inputs.clear();
        const QByteArray block = bus.outcome.known ? bus.firmware->inputBlock() : QByteArray();
        for (qsizetype at = 0; at < block.size(); at += bus.reportLength)
            bus.inputs.push_back(
                block.mid(at, bus.reportLength).leftJustified(bus.reportLength, '\0'));
        bus.inputsDelivered = 0;
    }
    return static_cast<int>(length);
}

inline int FakeHandle::getFeatureReport(uint8_t *data, size_t length)
{
    const bool fail = ++bus.gets == bus.failGetFeature ||
                      bus.fault == FakeHidBus::Fault::SilentReply ||
                      (bus.firmware && !bus.outcome.known);
    const QByteArray reply =
        bus.firmware ? QByteArray(reinterpret_cast<const char *>(bus.outcome.reply.data()), 9)
                     : bus.featureReply;
    bus.log.add({BusEvent::GetFeature, path, fail ? QByteArray() : reply, fail ? -1 : int(length)});
    if (fail)
        return -1;
    const size_t n = std::min(length, static_cast<size_t>(reply.size()));
    std::memcpy(data, reply.constData(), n);
    return static_cast<int>(n);
}

inline int FakeHandle::write(const uint8_t *data, size_t length)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(length));
    const bool fail = ++bus.writes == bus.failWrite;
    bus.log.add({BusEvent::Write, path, bytes, fail ? -1 : int(length)});
    if (fail)
        return -1;
    if (bus.firmware) {
        bus.pendingOutput += bytes.mid(1);
        if (bus.outcome.outputBytes > 0 && bus.pendingOutput.size() >= bus.outcome.outputBytes) {
            bus.firmware->onOutputBlock(bus.pendingOutput.left(bus.outcome.outputBytes));
            bus.outcome.outputBytes = 0;
        }
    }
    return static_cast<int>(length);
}

inline int FakeHandle::read(uint8_t *data, size_t length, int timeoutMs)
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
    } else {
        if (++bus.reads == bus.failRead) {
            bus.log.add({BusEvent::Read, path, {}, timeoutMs});
            return -1;
        }
        const bool silent = bus.fault == FakeHidBus::Fault::SilentInput &&
                            bus.inputsDelivered >= bus.inputsBeforeSilence;
        if (silent || bus.inputs.empty()) {
            bus.log.add({BusEvent::Read, path, {}, timeoutMs});
            return 0; // time-out
        }
        report = bus.inputs.front();
        bus.inputs.pop_front();
        ++bus.inputsDelivered;
    }
    bus.log.add({BusEvent::Read, path, report, timeoutMs});
    const size_t n = std::min(length, static_cast<size_t>(report.size()));
    std::memcpy(data, report.constData(), n);
    return static_cast<int>(n);
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
inline QList<DevInfo> tableFor(const DevInfo &row)
{
    return {keyboardRow(), row};
}
inline QList<DevInfo> testDeviceTable(unsigned mouseReportLength = 32)
{
    return tableFor(mouseRow(mouseReportLength));
}

// The two vendor interfaces of a row, "cmd" and "ack" unless named.
inline QList<HidInterfaceInfo> interfacesOf(const DevInfo &row,
                                            const QString &cmd = QStringLiteral("cmd"),
                                            const QString &ack = QStringLiteral("ack"))
{
    return {HidInterfaceInfo{cmd, row.vid, row.pid, row.usagePage, row.usage, 1},
            HidInterfaceInfo{ack, row.vid, row.pid, row.usagePage2, row.usage2, 2}};
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
    QStringList productNames() const override { return names; }
    QString secrecyCode(int index) const override
    {
        return codes.value(index, QStringLiteral("740352"));
    }
    QStringList names;
    QMap<int, QString> codes;
};

// A link that has scanned a bus holding `interfaces` (the mouse's two by
// default), with a clock that takes no real time.
struct ScannedLink
{
    explicit ScannedLink(QList<HidInterfaceInfo> interfaces = mouseInterfaces(),
                         unsigned reportLength = 32)
        : clock(log, 0), bus(log), link(&bus, &clock)
    {
        bus.interfaces = std::move(interfaces);
        link.scanDevices(testDeviceTable(reportLength));
    }

    EventLog log;
    FakeClock clock;
    FakeHidBus bus;
    TestLink link;
};
