#pragma once

// A HID bus in-process for the command tests: it records every report the
// host moves, in order and byte for byte, and answers them with a real
// Firmware (plain frames; the tests run with the cipher off). Faults stand
// for a device that is gone, refuses, or stays silent. A clock that records
// every pause of the link, with the thread it was taken on, goes with it.

#include "device/clock.h"
#include "device/dev_info.h"
#include "device/hid_bus.h"
#include "sim/firmware.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <algorithm>
#include <cstring>
#include <memory>

struct Report
{
    enum Kind
    {
        SendFeature,
        GetFeature,
        Write,
        Read
    };
    Kind kind;
    QByteArray bytes; // as sent, or as delivered
};

class FirmwareBus final : public HidBus
{
public:
    enum class Fault
    {
        None,
        Gone,        // every open fails
        RefuseFrame, // the feature report is refused
        SilentReply, // the reply feature read fails
        SilentInput, // input reports never come (read times out)
        DropWrites,  // every output report fails
    };

    FirmwareBus(std::unique_ptr<Firmware> firmware, const DevInfo &row)
        : firmware(std::move(firmware)), row(row)
    {
    }

    QList<HidInterfaceInfo> enumerate(uint16_t vendorId, uint16_t productId) override
    {
        if (vendorId != row.vid || productId != row.pid)
            return {};
        return {
            HidInterfaceInfo{QStringLiteral("cmd"), row.vid, row.pid, row.usagePage, row.usage, 0},
            HidInterfaceInfo{QStringLiteral("ack"), row.vid, row.pid, row.usagePage2, row.usage2,
                             1}};
    }

    std::unique_ptr<HidHandle> open(const QString &path) override;

    QList<Report> reports() const
    {
        QMutexLocker lock(&mutex);
        return log;
    }
    QList<QByteArray> of(Report::Kind kind) const
    {
        QList<QByteArray> out;
        for (const Report &r : reports())
            if (r.kind == kind)
                out.append(r.bytes);
        return out;
    }
    void clear()
    {
        QMutexLocker lock(&mutex);
        log.clear();
    }

    // The device behind the bus, to look at its state between commands.
    template <typename T> T &device() { return dynamic_cast<T &>(*firmware); }

    Fault fault = Fault::None;
    // Input reports delivered before SilentInput sets in.
    int inputsBeforeSilence = 0;

private:
    friend class FirmwareHandle;

    int sendFeature(const uint8_t *bytes, size_t length)
    {
        QMutexLocker lock(&mutex);
        log.append({Report::SendFeature,
                    QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(length))});
        if (fault == Fault::RefuseFrame || length != 9)
            return -1;
        std::array<uint8_t, 9> frame{};
        std::copy_n(bytes, 9, frame.begin());
        outcome = firmware->onCommandFrame(frame);
        pendingOutput.clear();
        pendingInput = outcome.known ? firmware->inputBlock() : QByteArray();
        inputsDelivered = 0;
        return int(length);
    }

    int getFeature(uint8_t *bytes, size_t length)
    {
        QMutexLocker lock(&mutex);
        if (fault == Fault::SilentReply || !outcome.known || length < 9) {
            log.append(Report{Report::GetFeature, {}});
            return -1;
        }
        std::copy(outcome.reply.begin(), outcome.reply.end(), bytes);
        log.append(
            {Report::GetFeature, QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(9))});
        return 9;
    }

    int write(const uint8_t *bytes, size_t length)
    {
        QMutexLocker lock(&mutex);
        log.append(
            {Report::Write, QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(length))});
        if (fault == Fault::DropWrites)
            return -1;
        pendingOutput.append(reinterpret_cast<const char *>(bytes) + 1, qsizetype(length) - 1);
        if (outcome.outputBytes > 0 && pendingOutput.size() >= outcome.outputBytes) {
            firmware->onOutputBlock(pendingOutput.left(outcome.outputBytes));
            outcome.outputBytes = 0;
        }
        return int(length);
    }

    int read(uint8_t *bytes, size_t length)
    {
        QMutexLocker lock(&mutex);
        const bool silent = fault == Fault::SilentInput && inputsDelivered >= inputsBeforeSilence;
        if (silent || pendingInput.isEmpty()) {
            log.append(Report{Report::Read, {}});
            return 0; // time-out
        }
        // The device sends whole reports of its report length.
        QByteArray report = pendingInput.left(int(row.reportLength));
        pendingInput.remove(0, report.size());
        report.resize(int(row.reportLength), '\0');
        ++inputsDelivered;
        const size_t n = std::min(length, size_t(report.size()));
        std::memcpy(bytes, report.constData(), n);
        log.append({Report::Read, report});
        return int(n);
    }

    mutable QMutex mutex;
    std::unique_ptr<Firmware> firmware;
    DevInfo row;
    QList<Report> log;
    Firmware::FrameOutcome outcome;
    QByteArray pendingOutput;
    QByteArray pendingInput;
    int inputsDelivered = 0;
};

class FirmwareHandle final : public HidHandle
{
public:
    FirmwareHandle(FirmwareBus &bus, bool commandInterface) : bus(bus), command(commandInterface) {}
    void setNonBlocking(bool) override {}
    int sendFeatureReport(const uint8_t *data, size_t length) override
    {
        return command ? bus.sendFeature(data, length) : -1;
    }
    int getFeatureReport(uint8_t *data, size_t length) override
    {
        return command ? bus.getFeature(data, length) : -1;
    }
    int write(const uint8_t *data, size_t length) override
    {
        return command ? bus.write(data, length) : -1;
    }
    int read(uint8_t *data, size_t length, int) override
    {
        // The second interface never delivers here: acknowledge waits run
        // their full length, which the clock only records.
        return command ? bus.read(data, length) : 0;
    }

private:
    FirmwareBus &bus;
    bool command;
};

inline std::unique_ptr<HidHandle> FirmwareBus::open(const QString &path)
{
    if (fault == Fault::Gone)
        return nullptr;
    return std::make_unique<FirmwareHandle>(*this, path == QLatin1String("cmd"));
}

// Records every pause of the link (length, and whether it was taken on the
// thread that created the clock, i.e. the caller of the commands) and
// returns at once.
class RecordingClock final : public LinkClock
{
public:
    struct Pause
    {
        int ms;
        bool onCaller;
    };

    void sleepMs(int ms) override
    {
        const bool onCaller = QThread::currentThread() == caller;
        {
            QMutexLocker lock(&mutex);
            pauses.append({ms, onCaller});
        }
        if (onCaller && callerSleepUs > 0)
            QThread::usleep(ulong(callerSleepUs));
    }
    // Real time the caller's pauses take, so that a command can wait in
    // the token poll for a transaction running on the pool.
    int callerSleepUs = 0;
    QList<int> pausesOn(bool onCaller) const
    {
        QMutexLocker lock(&mutex);
        QList<int> out;
        for (const Pause &p : pauses)
            if (p.onCaller == onCaller)
                out.append(p.ms);
        return out;
    }
    void clear()
    {
        QMutexLocker lock(&mutex);
        pauses.clear();
    }

private:
    mutable QMutex mutex;
    QList<Pause> pauses;
    QThread *caller = QThread::currentThread();
};

// The device table the tests scan: row 1 is the device under test (the link
// looks up only row 1), with the keyboard's or the mouse's report length.
inline DevInfo mouseRow()
{
    return DevInfo{1, 0x2f76, 0x0c14, 0xff00, 0xff00, 0xff01, 0xff01, QStringLiteral("Z4"), 32};
}
inline DevInfo keyboardRow()
{
    return DevInfo{0, 0x2f76, 0x0b01, 0xff01, 0x0001, 0xff02, 0x0001, QStringLiteral("KB"), 64};
}
inline QList<DevInfo> tableFor(const DevInfo &deviceUnderTest)
{
    return {keyboardRow(), deviceUnderTest};
}
