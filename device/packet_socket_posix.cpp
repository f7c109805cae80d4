#include "device/packet_socket.h"
#include "device/virtual_bus_protocol.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

bool fillAddress(const QString &path, sockaddr_un &address)
{
    const QByteArray native = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (native.isEmpty() || static_cast<size_t>(native.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, native.constData(), static_cast<size_t>(native.size()));
    return true;
}

int newSocket()
{
    return ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
}

} // namespace

PacketSocket::~PacketSocket()
{
    close();
}

PacketSocket::PacketSocket(PacketSocket &&other) noexcept : descriptor(other.descriptor)
{
    other.descriptor = -1;
}

PacketSocket &PacketSocket::operator=(PacketSocket &&other) noexcept
{
    if (this != &other) {
        close();
        descriptor = other.descriptor;
        other.descriptor = -1;
    }
    return *this;
}

void PacketSocket::close()
{
    if (descriptor >= 0)
        ::close(descriptor);
    descriptor = -1;
}

PacketSocket PacketSocket::connectTo(const QString &path)
{
    sockaddr_un address{};
    if (!fillAddress(path, address))
        return {};
    PacketSocket socket(newSocket());
    if (!socket.isValid())
        return {};
    if (::connect(socket.fd(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return {};
    return socket;
}

PacketSocket PacketSocket::listenAt(const QString &path, QString *error)
{
    sockaddr_un address{};
    if (!fillAddress(path, address)) {
        *error = QStringLiteral("socket path too long: %1").arg(path);
        return {};
    }
    if (QFile::exists(path)) {
        if (connectTo(path).isValid()) {
            *error = QStringLiteral("a device already listens on %1").arg(path);
            return {};
        }
        QFile::remove(path);
    }
    PacketSocket socket(newSocket());
    if (!socket.isValid() ||
        ::bind(socket.fd(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(socket.fd(), 16) != 0) {
        *error = QStringLiteral("cannot listen on %1: %2")
                     .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return {};
    }
    return socket;
}

bool PacketSocket::send(const QByteArray &message)
{
    if (!isValid())
        return false;
    ssize_t n = 0;
    do {
        n = ::send(descriptor, message.constData(), static_cast<size_t>(message.size()),
                   MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    return n == message.size();
}

PacketSocket::Status PacketSocket::receive(QByteArray &message, int timeoutMs)
{
    if (!isValid())
        return Status::Closed;
    pollfd p{descriptor, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&p, 1, timeoutMs < 0 ? -1 : timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready == 0)
        return Status::Timeout;
    if (ready < 0)
        return Status::Closed;
    message.resize(vbus::kMaxMessage);
    ssize_t n = 0;
    do {
        n = ::recv(descriptor, message.data(), static_cast<size_t>(message.size()), 0);
    } while (n < 0 && errno == EINTR);
    // An empty packet is how a closed peer shows on a SEQPACKET socket.
    if (n <= 0) {
        message.clear();
        return Status::Closed;
    }
    message.resize(n);
    return Status::Message;
}

PacketSocket PacketSocket::accept()
{
    if (!isValid())
        return {};
    return PacketSocket(::accept4(descriptor, nullptr, nullptr, SOCK_CLOEXEC));
}
