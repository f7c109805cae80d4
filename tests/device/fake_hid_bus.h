#pragma once

// A recording, scriptable HID bus and an instant link clock for the device
// link tests. Both record into one shared event list, so a test can check the
// order of reports and pauses across threads.

#include "device/clock.h"
#include "device/hid_bus.h"

#include <QByteArray>
#include <QList>
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
        if (scale > 0)
            std::this_thread::sleep_for(std::chrono::microseconds(ms * scale));
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

private:
    EventLog &log;
    int scale;
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
        if (refused.contains(path)) {
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

    // Scripting (set before the transaction runs).
    QList<HidInterfaceInfo> interfaces;
    QSet<QString> refused;
    int failSendFeature = 0; // 1-based number of the call that fails; 0 = none
    int failGetFeature = 0;
    int failWrite = 0;
    int failRead = 0;
    QByteArray featureReply = QByteArray(9, '\0');
    std::deque<QByteArray> inputs; // input reports of the command interface
    // The second interface: a report delivered once when armed.
    QByteArray ackReport;
    std::atomic<bool> ackArmed{false};
    std::atomic<int> ackReads{0}; // reads started on the second interface

    std::atomic<int> openHandles{0};
    EventLog &log;

private:
    friend class FakeHandle;
    QMutex mutex;
    int sends = 0, gets = 0, writes = 0, reads = 0;
};

inline FakeHandle::~FakeHandle()
{
    bus.log.add({BusEvent::Close, path});
    --bus.openHandles;
}

inline int FakeHandle::sendFeatureReport(const uint8_t *data, size_t length)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(length));
    const bool fail = ++bus.sends == bus.failSendFeature;
    bus.log.add({BusEvent::SendFeature, path, bytes, fail ? -1 : int(length)});
    return fail ? -1 : static_cast<int>(length);
}

inline int FakeHandle::getFeatureReport(uint8_t *data, size_t length)
{
    const bool fail = ++bus.gets == bus.failGetFeature;
    bus.log.add({BusEvent::GetFeature, path, bus.featureReply, fail ? -1 : int(length)});
    if (fail)
        return -1;
    const size_t n = std::min(length, static_cast<size_t>(bus.featureReply.size()));
    std::memcpy(data, bus.featureReply.constData(), n);
    return static_cast<int>(n);
}

inline int FakeHandle::write(const uint8_t *data, size_t length)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(length));
    const bool fail = ++bus.writes == bus.failWrite;
    bus.log.add({BusEvent::Write, path, bytes, fail ? -1 : int(length)});
    return fail ? -1 : static_cast<int>(length);
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
        if (bus.inputs.empty()) {
            bus.log.add({BusEvent::Read, path, {}, timeoutMs});
            return 0; // time-out
        }
        report = bus.inputs.front();
        bus.inputs.pop_front();
    }
    bus.log.add({BusEvent::Read, path, report, timeoutMs});
    const size_t n = std::min(length, static_cast<size_t>(report.size()));
    std::memcpy(data, report.constData(), n);
    return static_cast<int>(n);
}

// The two vendor interfaces of the mouse row of the device table below.
inline QList<HidInterfaceInfo> mouseInterfaces(const QString &cmd = QStringLiteral("cmd"),
                                               const QString &ack = QStringLiteral("ack"))
{
    return {HidInterfaceInfo{cmd, 0x2f76, 0x0c14, 0xff00, 0xff00, 1},
            HidInterfaceInfo{ack, 0x2f76, 0x0c14, 0xff01, 0xff01, 2}};
}
