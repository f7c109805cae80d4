// The command sets of Hid_Thread: runCommand carries out one row of the
// table in command_set.h, and every hid_ member names its row. A set takes
// the link token, builds its frame and block and hands the exchange to the
// pool; a get runs its exchange here on the caller's thread and writes its
// outputs back.
#include "device/cipher.h"
#include "device/hid_thread.h"

#include <algorithm>

using cmd::Arg;
using cmd::Command;

namespace {

struct Frame
{
    std::array<uchar, 9> bytes{};
    int dataLength = 0;
};

// The frame with the arguments in place, its announced length and checksum.
Frame frameOf(const Command &c, std::span<const CommandArg> args)
{
    Frame f;
    f.bytes = c.fixed;
    f.bytes[1] = c.code;
    for (int i = 0; i < c.paramCount; ++i) {
        const cmd::Param &p = c.params[size_t(i)];
        if (p.kind == Arg::In && p.at > 0)
            f.bytes[size_t(p.at)] = *args[size_t(i)].bytes;
    }
    f.dataLength = c.dataLength(f.bytes);
    if (c.lengthAt > 0)
        f.bytes[size_t(c.lengthAt)] = uchar(f.dataLength / c.lengthUnit);
    f.bytes[8] = c.noChecksum ? 0 : frameChecksum(&f.bytes[1]);
    return f;
}

// What a get's reply holds before the exchange, and what a failed exchange
// hands back: the code with the caller's values at the positions read back,
// or zeros where the command says so.
std::array<uchar, 9> replyTemplate(const Command &c, std::span<const CommandArg> args)
{
    std::array<uchar, 9> reply{};
    if (c.zeroTemplate)
        return reply;
    reply[1] = c.code;
    if (c.outputsOnSuccess)
        return reply;
    for (int i = 0; i < c.paramCount; ++i) {
        const cmd::Param &p = c.params[size_t(i)];
        if (p.kind == Arg::Out)
            reply[size_t(p.at)] = *args[size_t(i)].bytes;
        else if (p.kind == Arg::In && p.echo > 0)
            reply[size_t(p.echo)] = *args[size_t(i)].bytes;
    }
    return reply;
}

// Major part lower-case without padding, minor part two upper-case digits:
// 01 0A reads "1.0A", 0A 0B reads "a.0B".
QString versionText(uchar major, uchar minor)
{
    return QString::number(major, 16) + u'.' +
           QStringLiteral("%1").arg(minor, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

bool Hid_Thread::runCommand(const Command &c, std::span<const CommandArg> args)
{
    if (args.size() != size_t(c.paramCount))
        return false;
    const Frame f = frameOf(c, args);
    const int b = c.blockParam();
    if (!c.isGet()) {
        SetRequest request;
        request.frame = f.bytes;
        if (b >= 0)
            request.data = blockOf(args[size_t(b)].bytes, f.dataLength);
        request.waitAck = c.waitAck;
        request.pauseAfter = c.pauseAfter;
        dispatchSet(request);
        return true;
    }

    if (!beginGet(c.code))
        return false;
    frame = f.bytes;
    reply = replyTemplate(c, args);
    if (b >= 0)
        std::copy_n(args[size_t(b)].bytes, f.dataLength, data.begin());
    const bool ok = readTransaction(f.dataLength);
    if (!ok && c.outputsOnSuccess)
        return false;
    for (int i = 0; i < c.paramCount; ++i) {
        const cmd::Param &p = c.params[size_t(i)];
        const CommandArg &arg = args[size_t(i)];
        if (p.kind == Arg::Out)
            *arg.bytes = reply[size_t(p.at)];
        else if (p.kind == Arg::Version)
            *arg.text = versionText(reply[size_t(p.at)], reply[size_t(p.at) + 1]);
        else if (p.kind == Arg::Block)
            std::copy_n(data.begin(), f.dataLength, arg.bytes);
    }
    return ok;
}
