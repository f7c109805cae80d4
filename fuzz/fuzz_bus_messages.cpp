// The virtual device's side of the virtual bus (z4sim's server) fed any
// sequence of messages on one connection: most start with one of the
// protocol's op bytes, any payload follows. A fresh device serves every
// input, the mouse or the keyboard, with the cipher on or off and a fault
// option or none, so that an input always replays the same way.
//
// Properties: the server neither crashes nor corrupts memory, and it is done
// with the connection once the host has closed it (it never hangs).

#include "device/packet_socket.h"
#include "device/virtual_bus_protocol.h"
#include "fuzz_support.h"
#include "sim/bus_server.h"
#include "sim/firmware_factory.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <sys/socket.h>

namespace {

constexpr char ops[] = {'Q', 'O', 'F', 'G', 'W', 'R', 'q', 'o', 'f', 'g', 'w', 'n'};

QByteArray nextMessage(FuzzedDataProvider &in)
{
    QByteArray message;
    if (in.ConsumeIntegralInRange(0, 7) != 0)
        message.append(ops[in.ConsumeIntegralInRange<size_t>(0, sizeof ops - 1)]);
    const std::string payload = in.ConsumeRandomLengthString(vbus::kMaxMessage);
    message.append(payload.data(), qsizetype(payload.size()));
    if (message.isEmpty()) // an empty packet means a closed peer, not a message
        message.append('\0');
    return message.left(vbus::kMaxMessage);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool started = (fuzzsupport::startQt(), true);
    (void)started;
    FuzzedDataProvider in(data, size);
    SimOptions options;
    options.keyboard = in.ConsumeBool();
    options.cipher = in.ConsumeBool();
    switch (in.ConsumeIntegralInRange(0, 4)) {
    case 1:
        options.refuseOpen = true;
        break;
    case 2:
        options.dropAfter = in.ConsumeIntegralInRange(0, 4);
        break;
    case 3:
        options.muteInput = true;
        break;
    case 4:
        options.shortReports = in.ConsumeIntegralInRange(0, 70);
        break;
    default:
        break;
    }
    // The host's messages wait in a socket pair; the server then handles
    // them all on this thread. Neither end blocks: a host that would fill
    // the pair stops sending, and answers that do not fit are lost.
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0)
        std::abort();
    PacketSocket host(ends[0]);
    PacketSocket device(ends[1]);
    // A few dozen messages reach every state of the device; more only make
    // an input slow.
    for (int i = 0; i < 64 && in.remaining_bytes() > 0 && host.send(nextMessage(in)); ++i) {
    }
    ::shutdown(host.fd(), SHUT_WR);

    BusServer server(options, createFirmware(options));
    FUZZ_CHECK(server.serveConnection(std::move(device)));
    return 0;
}
