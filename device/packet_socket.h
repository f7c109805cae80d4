#pragma once

#include <QByteArray>
#include <QString>

// One end of a SOCK_SEQPACKET Unix socket: message boundaries are kept, so
// one message is one report. Used by the virtual bus on both sides.
class PacketSocket
{
public:
    enum class Status
    {
        Message,
        Timeout,
        Closed
    };

    PacketSocket() = default;
    explicit PacketSocket(int fd) : descriptor(fd) {}
    ~PacketSocket();
    PacketSocket(PacketSocket &&other) noexcept;
    PacketSocket &operator=(PacketSocket &&other) noexcept;
    PacketSocket(const PacketSocket &) = delete;
    PacketSocket &operator=(const PacketSocket &) = delete;

    // Connects to a listening socket; an invalid socket on failure.
    static PacketSocket connectTo(const QString &path);
    // Binds and listens at path. A leftover socket file nobody listens on is
    // replaced; a live one is an error.
    static PacketSocket listenAt(const QString &path, QString *error);

    bool isValid() const { return descriptor >= 0; }
    int fd() const { return descriptor; }
    void close();

    bool send(const QByteArray &message);
    // Waits up to timeoutMs (< 0: without limit) for one message.
    Status receive(QByteArray &message, int timeoutMs);
    // Accepts one pending connection of a listening socket.
    PacketSocket accept();

private:
    int descriptor = -1;
};
