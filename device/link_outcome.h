#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <array>
#include <cstdint>

using uchar = unsigned char;

// How one device command ended. A set reports it when its exchange on the
// pool has finished, or at once when it could not take the link; a get when
// its exchange on the calling thread returns.
enum class LinkResult : uint8_t
{
    Done,
    Busy,          // the link stayed taken for 255 polls: the command was dropped
    NotConnected,  // no path: absent at the last scan, or an open failed since
    OpenRefused,   // the interface would not open; the device counts as gone now
    SendFailed,    // the command frame could not be sent
    NoReply,       // the reply frame could not be read
    WriteFailed,   // an output report of the data phase could not be written
    ReadFailed,    // an input report of the data phase failed or never came
    NoAcknowledge, // the watcher runs and the acknowledge report never came
    Closed,        // the link is shutting down
};

// A short English reason, for logs and `--call` ("device not connected").
QString linkResultText(LinkResult result);

struct LinkOutcome
{
    uchar code = 0;
    LinkResult result = LinkResult::Done;

    bool ok() const { return result == LinkResult::Done; }
};

// A set as it goes on the wire: the plain command frame and its data block,
// with the choices of its transaction. A failed set can be sent again as it
// was from this record alone.
struct SetRequest
{
    std::array<uchar, 9> frame{}; // report id 0, code, six parameters, checksum
    QByteArray data;              // the data phase, empty for a frame alone
    bool waitAck = false;
    bool pauseAfter = false; // 8 ms on the caller's thread after dispatch

    uchar code() const { return frame[1]; }
};

Q_DECLARE_METATYPE(LinkResult)
Q_DECLARE_METATYPE(LinkOutcome)
Q_DECLARE_METATYPE(SetRequest)
