#include "device/packet_socket.h"
#include "device/virtual_bus.h"
#include "device/virtual_bus_protocol.h"

#include <QDeadlineTimer>
#include <QDir>
#include <algorithm>
#include <cstring>
#include <deque>

namespace {

constexpr int kQueryTimeoutMs = 1000;

class VirtualHandle final : public HidHandle
{
public:
    explicit VirtualHandle(PacketSocket socket) : socket(std::move(socket)) {}

    void setNonBlocking(bool on) override { nonBlocking = on; }

    int sendFeatureReport(const uint8_t *data, size_t length) override
    {
        return resultOf(vbus::message(vbus::Op::SetFeature, bytes(data, length)),
                        vbus::Op::FeatureSet);
    }

    int getFeatureReport(uint8_t *data, size_t length) override
    {
        if (length == 0)
            return -1;
        QByteArray request(1, static_cast<char>(data[0]));
        request.append(vbus::int32Bytes(static_cast<int32_t>(length)));
        QByteArray answer;
        if (!exchange(vbus::message(vbus::Op::GetFeature, request), vbus::Op::Feature, answer))
            return -1;
        const int result = vbus::int32At(answer, 1).value_or(-1);
        if (result < 0)
            return -1;
        const QByteArray report = answer.mid(5);
        const size_t n = std::min(length, static_cast<size_t>(report.size()));
        std::memcpy(data, report.constData(), n);
        return static_cast<int>(n);
    }

    int write(const uint8_t *data, size_t length) override
    {
        return resultOf(vbus::message(vbus::Op::Write, bytes(data, length)), vbus::Op::Written);
    }

    int read(uint8_t *data, size_t length, int timeoutMs) override
    {
        if (nonBlocking)
            timeoutMs = 0;
        if (inputs.empty() && !closed) {
            if (socket.send(vbus::message(vbus::Op::Poll)))
                waitFor(vbus::Op::Input, nullptr, timeoutMs);
            else
                closed = true;
        }
        if (inputs.empty())
            return closed ? -1 : 0;
        const QByteArray report = inputs.front();
        inputs.pop_front();
        const size_t n = std::min(length, static_cast<size_t>(report.size()));
        std::memcpy(data, report.constData(), n);
        return static_cast<int>(n);
    }

private:
    static QByteArray bytes(const uint8_t *data, size_t length)
    {
        return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(length));
    }

    int resultOf(const QByteArray &request, vbus::Op answerOp)
    {
        QByteArray answer;
        if (!exchange(request, answerOp, answer))
            return -1;
        return vbus::int32At(answer, 1).value_or(-1);
    }

    bool exchange(const QByteArray &request, vbus::Op answerOp, QByteArray &answer)
    {
        if (closed || !socket.send(request)) {
            closed = true;
            return false;
        }
        return waitFor(answerOp, &answer, VirtualBus::kAnswerTimeoutMs);
    }

    // Receives until a message of kind op arrives; input reports that come in
    // meanwhile are queued, as the kernel queues them on a hidraw handle.
    bool waitFor(vbus::Op op, QByteArray *answer, int timeoutMs)
    {
        QDeadlineTimer deadline =
            timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs);
        while (!closed) {
            QByteArray m;
            const int left = timeoutMs < 0 ? -1 : static_cast<int>(deadline.remainingTime());
            switch (socket.receive(m, left)) {
            case PacketSocket::Status::Closed:
                closed = true;
                return false;
            case PacketSocket::Status::Timeout:
                return false;
            case PacketSocket::Status::Message:
                break;
            }
            if (m.at(0) == static_cast<char>(vbus::Op::Input)) {
                inputs.push_back(m.mid(1));
                if (op == vbus::Op::Input)
                    return true;
                continue;
            }
            if (m.at(0) == static_cast<char>(op)) {
                if (answer)
                    *answer = m;
                return true;
            }
            // Anything else is a protocol error: treat the device as gone.
            closed = true;
            return false;
        }
        return false;
    }

    PacketSocket socket;
    std::deque<QByteArray> inputs;
    bool nonBlocking = false;
    bool closed = false;
};

} // namespace

VirtualBus::VirtualBus(const QString &busDirectory) : busDirectory(busDirectory) {}

QList<HidInterfaceInfo> VirtualBus::enumerate(uint16_t vendorId, uint16_t productId)
{
    QList<HidInterfaceInfo> result;
    const QDir dir(busDirectory);
    const QStringList names =
        dir.entryList({QStringLiteral("*") + QLatin1String(vbus::kSocketSuffix)},
                      QDir::System | QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        const QString socketPath = dir.absoluteFilePath(name);
        PacketSocket socket = PacketSocket::connectTo(socketPath);
        if (!socket.isValid() || !socket.send(vbus::message(vbus::Op::Query)))
            continue;
        QByteArray answer;
        if (socket.receive(answer, kQueryTimeoutMs) != PacketSocket::Status::Message ||
            answer.at(0) != static_cast<char>(vbus::Op::Info))
            continue;
        const auto description = vbus::decodeDescription(answer.mid(1));
        if (!description)
            continue;
        for (HidInterfaceInfo itf : description->interfaces) {
            if ((vendorId && itf.vendorId != vendorId) || (productId && itf.productId != productId))
                continue;
            itf.path = vbus::interfacePath(socketPath, itf.interfaceNumber);
            result.append(itf);
        }
    }
    return result;
}

std::unique_ptr<HidHandle> VirtualBus::open(const QString &path)
{
    QString socketPath;
    int number = -1;
    if (!vbus::splitInterfacePath(path, &socketPath, &number))
        return nullptr;
    PacketSocket socket = PacketSocket::connectTo(socketPath);
    if (!socket.isValid() ||
        !socket.send(vbus::message(vbus::Op::Open, QByteArray(1, static_cast<char>(number)))))
        return nullptr;
    QByteArray answer;
    if (socket.receive(answer, kAnswerTimeoutMs) != PacketSocket::Status::Message ||
        answer.size() < 2 || answer.at(0) != static_cast<char>(vbus::Op::Opened) ||
        answer.at(1) != 1)
        return nullptr;
    return std::make_unique<VirtualHandle>(std::move(socket));
}
