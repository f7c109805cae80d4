#pragma once

#include "device/hid_thread.h"
#include "firmware_bus.h"

#include <QList>
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

// A plain frame [0, code, p1..p6, checksum], written out independently of
// the code under test.
inline QByteArray frameBytes(int code, QList<int> params = {})
{
    QByteArray frame(9, '\0');
    frame[1] = char(code);
    for (int i = 0; i < params.size(); ++i)
        frame[2 + i] = char(params[i]);
    int sum = 0;
    for (int i = 1; i <= 7; ++i)
        sum += uint8_t(frame[i]);
    frame[8] = char(~sum & 0xFF);
    return frame;
}

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
