// The virtual device's side of the virtual bus (z4sim's server) fed any
// sequence of messages on one connection: most start with one of the
// protocol's op bytes, any payload follows. A fresh device serves every
// input, the mouse or the keyboard, with the cipher on or off and a fault
// option or none, so that an input always replays the same way.
//
// Properties: the server neither crashes nor corrupts memory, and after the
// host stops sending it answers what it owes and closes the connection
// within a second (it never hangs).

#include "device/packet_socket.h"
#include "device/virtual_bus_protocol.h"
#include "fuzz_support.h"
#include "sim/bus_server.h"
#include "sim/firmware_factory.h"

#include <QTemporaryDir>
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
    static QTemporaryDir bus;

    FuzzedDataProvider in(data, size);
    SimOptions options;
    options.busDirectory = bus.path();
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
    BusServer server(options, createFirmware(options));
    if (!server.start())
        std::abort();

    PacketSocket host = PacketSocket::connectTo(server.socketPath());
    if (!host.isValid())
        std::abort();
    while (in.remaining_bytes() > 0 && host.isValid()) {
        if (!host.send(nextMessage(in)))
            break;
    }
    ::shutdown(host.fd(), SHUT_WR);
    QByteArray answer;
    PacketSocket::Status status = PacketSocket::Status::Message;
    while (status == PacketSocket::Status::Message)
        status = host.receive(answer, 1000);
    FUZZ_CHECK(status == PacketSocket::Status::Closed);
    return 0;
}
