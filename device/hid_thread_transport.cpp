// Hid_Thread: the two transactions, the acknowledge wait, the open rule of
// the command interface, and the checksum and cipher slots.
#include "device/cipher.h"
#include "device/clock.h"
#include "device/hid_bus.h"
#include "device/hid_thread.h"

#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <cstring>
#include <vector>

uchar SecrecyCode[8] = {};

namespace {

constexpr int kFrameLength = 9;
constexpr int kAckWaitMs = 64;
// Past the two waits a set still takes an acknowledge the watcher reads
// late (its thread may wait for the CPU on a loaded machine); only one that
// has not come by then fails the set.
constexpr int kAckGraceMs = 1000;
constexpr int kAckPollMs = 16;
constexpr int kReportPauseMs = 8;
// Larger report lengths come only from a broken device table.
constexpr int kMaxReportLength = 4096;

QMutex &secrecyCodeMutex()
{
    static QMutex mutex;
    return mutex;
}

// Frees the link token when a transaction ends, whichever way it ends. It is
// declared before the handle, so the interface is closed before the token is
// handed on.
class LinkRelease
{
public:
    explicit LinkRelease(std::atomic<bool> &idle) : idle(idle) {}
    ~LinkRelease() { idle.store(true); }
    LinkRelease(const LinkRelease &) = delete;
    LinkRelease &operator=(const LinkRelease &) = delete;

private:
    std::atomic<bool> &idle;
};

// How many of the `chunk` bytes at `offset` lie inside a buffer of
// `bufferSize` bytes: what one data-phase report may take from the data
// buffer, or put into it, without running past its end.
int chunkWithinBuffer(int offset, int chunk, int bufferSize)
{
    return std::clamp(bufferSize - offset, 0, chunk);
}

} // namespace

std::array<uchar, 8> currentSecrecyCode()
{
    QMutexLocker lock(&secrecyCodeMutex());
    std::array<uchar, 8> key{};
    std::copy(std::begin(SecrecyCode), std::end(SecrecyCode), key.begin());
    return key;
}

bool setSecrecyCode(const QString &code)
{
    if (code.size() != 6)
        return false;
    const QByteArray ascii = code.toLatin1();
    QMutexLocker lock(&secrecyCodeMutex());
    return loadSecrecyCode(SecrecyCode, ascii.constData(), static_cast<int>(ascii.size()));
}

// ------------------------------------------------------------ slots

uchar Hid_Thread::hidCS(uchar *cmd)
{
    return frameChecksum(cmd);
}

void Hid_Thread::USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[])
{
    encipherBlock(FIFOBuf, SecrecyCode);
}

void Hid_Thread::USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[])
{
    decipherBlock(FIFOBuf, SecrecyCode);
}

// ------------------------------------------------------------ transactions

bool Hid_Thread::openCmdInterface(uint index, std::unique_ptr<HidHandle> &handle)
{
    return openCommand(index, handle, nullptr);
}

bool Hid_Thread::openCommand(uint index, std::unique_ptr<HidHandle> &handle, LinkResult *why)
{
    const QString path = deviceAt(static_cast<int>(index)).path;
    if (path.isEmpty() || !bus) {
        if (why)
            *why = LinkResult::NotConnected;
        return false;
    }
    handle.reset();
    handle = bus->open(path);
    if (!handle) {
        clearPath(static_cast<int>(index), false, path);
        if (why)
            *why = LinkResult::OpenRefused;
        return false;
    }
    handle->setNonBlocking(false);
    return true;
}

bool Hid_Thread::waitAck()
{
    clock->sleepMs(kAckWaitMs);
    if (ackSeen.load())
        return true;
    clock->sleepMs(kAckWaitMs);
    return ackSeen.load();
}

bool Hid_Thread::acknowledged(bool watched)
{
    if (waitAck())
        return true;
    // Without the watcher reading when the report went out nobody could see
    // its acknowledge: the waits were pauses.
    if (!watched)
        return true;
    for (int waited = 0; waited < kAckGraceMs && watchReading.load(); waited += kAckPollMs) {
        clock->sleepMs(kAckPollMs);
        if (ackSeen.load())
            return true;
    }
    return false;
}

bool Hid_Thread::writeTransaction(int dataLength, bool wantAck, LinkResult *why)
{
    LinkRelease release(linkIdle);
    std::unique_ptr<HidHandle> handle;
    LinkResult ignored = LinkResult::Done;
    LinkResult &result = why ? *why : ignored;
    result = LinkResult::Done;

    const uint index = static_cast<uint>(currentDevice.load());
    const int reportLength = deviceAt(static_cast<int>(index)).reportLength;
    // Every report of a transaction goes out on a freshly opened command
    // interface: openCommand closes the handle and opens the path again
    // before the frame, before each data report and, for a get, before the
    // reply is read. The device has always been driven this way, so we keep
    // to it rather than hold one handle across reports, which it was never
    // tried with. This first open, before the cipher step, finds a device
    // that has gone before anything is changed or sent.
    if (!openCommand(index, handle, &result))
        return false;

    if (isEncode.load()) {
        std::array<uchar, 8> key = currentSecrecyCode();
        encipherBlock(&frame[1], key.data());
    }
    // Only a running watcher can see the acknowledge; without one the waits
    // are plain pauses and prove nothing.
    bool confirmed = true;
    if (wantAck)
        ackSeen.store(false);
    const bool watched = watchReading.load();
    if (!openCommand(index, handle, &result))
        return false;
    if (handle->sendFeatureReport(frame.data(), kFrameLength) < 0) {
        result = LinkResult::SendFailed;
        return false;
    }
    if (wantAck && !acknowledged(watched))
        confirmed = false;
    if (dataLength > 0) {
        if (reportLength <= 0 || reportLength > kMaxReportLength ||
            dataLength > static_cast<int>(data.size())) {
            result = LinkResult::WriteFailed;
            return false;
        }
        const int chunk = std::min(dataLength, reportLength);
        std::vector<uchar> report(static_cast<size_t>(reportLength) + 1, 0);
        if (wantAck)
            ackSeen.store(false);
        for (int offset = 0; offset < dataLength; offset += chunk) {
            report[0] = 0;
            const int n = chunkWithinBuffer(offset, chunk, static_cast<int>(data.size()));
            std::memcpy(report.data() + 1, data.data() + offset, static_cast<size_t>(n));
            if (!openCommand(index, handle, &result))
                return false;
            if (handle->write(report.data(), report.size()) < 0) {
                result = LinkResult::WriteFailed;
                return false;
            }
            clock->sleepMs(kReportPauseMs);
        }
        if (wantAck && !acknowledged(watched))
            confirmed = false;
    }
    if (!confirmed) {
        result = LinkResult::NoAcknowledge;
        return false;
    }
    return true;
}

bool Hid_Thread::readTransaction(int dataLength)
{
    const uchar code = frame[1]; // read before the cipher touches the frame
    LinkResult result = LinkResult::Done;
    const bool ok = readExchange(dataLength, &result);
    finishGet({code, result});
    return ok;
}

void Hid_Thread::finishGet(const LinkOutcome &outcome)
{
    lastGet = outcome;
    emit getFinished(outcome);
}

bool Hid_Thread::readExchange(int dataLength, LinkResult *why)
{
    LinkRelease release(linkIdle);
    std::unique_ptr<HidHandle> handle;
    LinkResult &result = *why;

    const uint index = static_cast<uint>(currentDevice.load());
    const int reportLength = deviceAt(static_cast<int>(index)).reportLength;
    // Opened afresh before every report, as in writeTransaction.
    if (!openCommand(index, handle, &result))
        return false;

    const bool cipher = isEncode.load();
    const std::array<uchar, 8> key = currentSecrecyCode();
    if (cipher)
        encipherBlock(&frame[1], key.data());
    if (!openCommand(index, handle, &result))
        return false;
    if (handle->sendFeatureReport(frame.data(), kFrameLength) < 0) {
        result = LinkResult::SendFailed;
        return false;
    }
    reply[0] = 0; // the report id the feature read asks for
    if (!openCommand(index, handle, &result))
        return false;
    if (handle->getFeatureReport(reply.data(), kFrameLength) < 0) {
        result = LinkResult::NoReply;
        return false;
    }
    if (dataLength <= 0) {
        if (cipher)
            decipherBlock(&reply[1], key.data());
        return true;
    }

    // The reply of a get with a data phase stays as it arrived.
    if (reportLength <= 0 || reportLength > kMaxReportLength ||
        dataLength > static_cast<int>(data.size())) {
        result = LinkResult::ReadFailed;
        return false;
    }
    const int chunk = std::min(dataLength, reportLength);
    std::vector<uchar> report(static_cast<size_t>(reportLength) + 1);
    for (int offset = 0; offset < dataLength; offset += chunk) {
        std::fill(report.begin(), report.end(), 0);
        if (!openCommand(index, handle, &result))
            return false;
        // A short report is accepted (its missing bytes stay zero); a report
        // that does not come at all ends the transaction.
        if (handle->read(report.data(), report.size(), kDataReadTimeoutMs) <= 0) {
            result = LinkResult::ReadFailed;
            return false;
        }
        const int n = chunkWithinBuffer(offset, chunk, static_cast<int>(data.size()));
        std::memcpy(data.data() + offset, report.data(), static_cast<size_t>(n));
    }
    return true;
}

QString linkResultText(LinkResult result)
{
    switch (result) {
    case LinkResult::Done:
        return QStringLiteral("done");
    case LinkResult::Busy:
        return QStringLiteral("link busy");
    case LinkResult::NotConnected:
        return QStringLiteral("device not connected");
    case LinkResult::OpenRefused:
        return QStringLiteral("device would not open");
    case LinkResult::SendFailed:
        return QStringLiteral("command not sent");
    case LinkResult::NoReply:
        return QStringLiteral("no reply");
    case LinkResult::WriteFailed:
        return QStringLiteral("data not sent");
    case LinkResult::ReadFailed:
        return QStringLiteral("data not received");
    case LinkResult::NoAcknowledge:
        return QStringLiteral("not acknowledged");
    case LinkResult::Closed:
        return QStringLiteral("link closed");
    }
    return QStringLiteral("failed");
}
