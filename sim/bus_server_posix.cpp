#include "sim/bus_server.h"

#include "device/cipher.h"
#include "device/device_table.h"
#include "device/packet_socket.h"
#include "device/virtual_bus_protocol.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <array>
#include <chrono>
#include <deque>
#include <fcntl.h>
#include <list>
#include <poll.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kCommandInterface = 0;
constexpr int kSecondInterface = 1;
constexpr int kFrameLength = 9;
constexpr int kMaxBlock = 64 * 1024;

struct Connection
{
    PacketSocket socket;
    int interfaceNumber = -1; // -1 until the Open message
};

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

QByteArray frameBytes(const std::array<uint8_t, 9> &frame)
{
    return QByteArray(reinterpret_cast<const char *>(frame.data()), kFrameLength);
}

} // namespace

struct BusServer::State
{
    SimOptions options;
    std::unique_ptr<Firmware> firmware;
    DevInfo device;
    bool cipher = false;
    std::array<uint8_t, 8> key{};
    QString socketPath;

    PacketSocket listener;
    int wakeRead = -1;
    int wakeWrite = -1;
    std::thread thread;
    std::list<Connection> connections;

    QElapsedTimer clock;
    mutable QMutex logMutex;
    QStringList lines;
    QFile logFile;

    QMutex firmwareMutex; // held while a message is handled

    // Device state between reports.
    std::optional<std::array<uint8_t, 9>> pendingReply; // as sent on the wire
    bool replyEnciphered = false;
    int outputExpected = 0;
    QByteArray outputBlock;
    std::deque<QByteArray> inputReports;
    int hostReports = 0;

    bool prepare(QString &message);
    void run();
    void handle(Connection &c, const QByteArray &m);
    bool dropped(Connection &c);
    void answer(Connection &c, const QByteArray &m);
    void onSetFeature(Connection &c, const QByteArray &report);
    void onGetFeature(Connection &c, const QByteArray &request);
    void onWrite(Connection &c, const QByteArray &report);
    void onPoll(Connection &c);
    void sendAcknowledge();
    QByteArray shortened(QByteArray report) const;

    void log(QJsonObject line);
    void logReport(int itf, const char *dir, const char *type, const QByteArray &raw,
                   const QByteArray &plain = {}, const char *note = nullptr);
    void logEvent(const char *event, int itf, const QString &detail = {});
};

// ------------------------------------------------------------ logging

void BusServer::State::log(QJsonObject line)
{
    line.insert(QStringLiteral("t"), clock.isValid() ? clock.elapsed() : 0);
    const QString text = QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact));
    QMutexLocker lock(&logMutex);
    lines.append(text);
    if (logFile.isOpen()) {
        logFile.write(text.toUtf8() + '\n');
        logFile.flush();
    }
}

void BusServer::State::logReport(int itf, const char *dir, const char *type, const QByteArray &raw,
                                 const QByteArray &plain, const char *note)
{
    QJsonObject line{{QStringLiteral("if"), itf},
                     {QStringLiteral("dir"), QLatin1String(dir)},
                     {QStringLiteral("type"), QLatin1String(type)},
                     {QStringLiteral("hex"), hex(raw)}};
    if (!plain.isNull())
        line.insert(QStringLiteral("plain"), hex(plain));
    if (note)
        line.insert(QStringLiteral("note"), QLatin1String(note));
    log(line);
}

void BusServer::State::logEvent(const char *event, int itf, const QString &detail)
{
    QJsonObject line{{QStringLiteral("event"), QLatin1String(event)}};
    if (itf >= 0)
        line.insert(QStringLiteral("if"), itf);
    if (!detail.isEmpty())
        line.insert(QStringLiteral("detail"), detail);
    log(line);
}

// ------------------------------------------------------------ serving

void BusServer::State::run()
{
    std::vector<pollfd> fds;
    std::vector<Connection *> order;
    for (;;) {
        fds.clear();
        order.clear();
        fds.push_back({wakeRead, POLLIN, 0});
        fds.push_back({listener.fd(), POLLIN, 0});
        for (Connection &c : connections) {
            fds.push_back({c.socket.fd(), POLLIN, 0});
            order.push_back(&c);
        }
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents)
            return;
        if (fds[1].revents & POLLIN) {
            PacketSocket s = listener.accept();
            if (s.isValid())
                connections.push_back(Connection{std::move(s), -1});
        }
        for (size_t i = 0; i < order.size(); ++i) {
            if (!fds[i + 2].revents)
                continue;
            Connection &c = *order[i];
            QByteArray m;
            if (c.socket.receive(m, 0) == PacketSocket::Status::Message) {
                QMutexLocker lock(&firmwareMutex);
                handle(c, m);
            } else {
                c.socket.close();
            }
        }
        connections.remove_if([](const Connection &c) { return !c.socket.isValid(); });
    }
}

void BusServer::State::answer(Connection &c, const QByteArray &m)
{
    if (options.delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(options.delayMs));
    c.socket.send(m);
}

bool BusServer::State::dropped(Connection &c)
{
    if (options.dropAfter >= 0 && hostReports >= options.dropAfter) {
        logEvent("drop", c.interfaceNumber);
        c.socket.close();
        return true;
    }
    ++hostReports;
    return false;
}

void BusServer::State::handle(Connection &c, const QByteArray &m)
{
    const auto op = static_cast<vbus::Op>(m.at(0));
    const QByteArray payload = m.mid(1);

    if (c.interfaceNumber < 0) {
        if (op == vbus::Op::Query) {
            vbus::DeviceDescription description;
            description.name = options.keyboard ? QStringLiteral("Z4 keyboard (virtual)")
                                                : QStringLiteral("Z4 mouse (virtual)");
            const uint16_t pages[2][2] = {{device.usagePage, device.usage},
                                          {device.usagePage2, device.usage2}};
            for (int i = 0; i < 2; ++i) {
                HidInterfaceInfo itf;
                itf.interfaceNumber = i;
                itf.vendorId = device.vid;
                itf.productId = device.pid;
                itf.usagePage = pages[i][0];
                itf.usage = pages[i][1];
                description.interfaces.append(itf);
            }
            c.socket.send(vbus::message(vbus::Op::Info, vbus::encodeDescription(description)));
            c.socket.close();
            return;
        }
        const int number =
            op == vbus::Op::Open && payload.size() == 1 ? static_cast<uint8_t>(payload.at(0)) : -1;
        if (number != kCommandInterface && number != kSecondInterface) {
            logEvent("protocol error", -1, QStringLiteral("first message %1").arg(hex(m.left(16))));
            c.socket.close();
            return;
        }
        if (options.refuseOpen) {
            logEvent("open refused", number);
            answer(c, vbus::message(vbus::Op::Opened, QByteArray(1, '\0')));
            c.socket.close();
            return;
        }
        c.interfaceNumber = number;
        logEvent("open", number);
        answer(c, vbus::message(vbus::Op::Opened, QByteArray(1, '\1')));
        return;
    }

    switch (op) {
    case vbus::Op::SetFeature:
        if (!dropped(c))
            onSetFeature(c, payload);
        return;
    case vbus::Op::GetFeature:
        if (!dropped(c))
            onGetFeature(c, payload);
        return;
    case vbus::Op::Write:
        if (!dropped(c))
            onWrite(c, payload);
        return;
    case vbus::Op::Poll:
        onPoll(c);
        return;
    default:
        logEvent("protocol error", c.interfaceNumber,
                 QStringLiteral("message %1").arg(hex(m.left(16))));
        c.socket.close();
        return;
    }
}

void BusServer::State::onSetFeature(Connection &c, const QByteArray &report)
{
    if (c.interfaceNumber != kCommandInterface || report.size() != kFrameLength) {
        logReport(c.interfaceNumber, "out", "feature", report, {}, "not a command frame");
        answer(c, vbus::message(vbus::Op::FeatureSet, vbus::int32Bytes(-1)));
        return;
    }
    std::array<uint8_t, 9> frame{};
    std::copy(report.begin(), report.end(), frame.begin());
    if (cipher)
        decipherBlock(&frame[1], key.data());

    // A new frame ends whatever data phase the last one left unfinished.
    pendingReply.reset();
    outputExpected = 0;
    outputBlock.clear();
    inputReports.clear();

    const Firmware::FrameOutcome outcome = firmware->onCommandFrame(frame);
    logReport(kCommandInterface, "out", "feature", report,
              cipher ? frameBytes(frame) : QByteArray(), outcome.known ? nullptr : "unknown frame");
    answer(c, vbus::message(vbus::Op::FeatureSet, vbus::int32Bytes(kFrameLength)));
    if (!outcome.known)
        return;

    std::array<uint8_t, 9> wire = outcome.reply;
    wire[0] = 0;
    const int inputBytes = std::clamp(outcome.inputBytes, 0, kMaxBlock);
    replyEnciphered = cipher && inputBytes == 0;
    if (replyEnciphered)
        encipherBlock(&wire[1], key.data());
    pendingReply = wire;

    outputExpected = std::clamp(outcome.outputBytes, 0, kMaxBlock);
    if (inputBytes > 0) {
        QByteArray block = firmware->inputBlock();
        block.resize(inputBytes, '\0');
        const int length = std::max(1, static_cast<int>(device.reportLength));
        for (int offset = 0; offset < block.size(); offset += length) {
            QByteArray slice = block.mid(offset, length);
            slice.resize(length, '\0');
            inputReports.push_back(slice);
        }
    }
    if (outcome.acknowledge)
        sendAcknowledge();
}

void BusServer::State::onGetFeature(Connection &c, const QByteArray &request)
{
    const int length = vbus::int32At(request, 1).value_or(0);
    if (c.interfaceNumber != kCommandInterface || !pendingReply || length <= 0) {
        logEvent("feature read unanswered", c.interfaceNumber);
        answer(c, vbus::message(vbus::Op::Feature, vbus::int32Bytes(-1)));
        return;
    }
    const QByteArray raw = frameBytes(*pendingReply).left(length);
    QByteArray plain;
    if (replyEnciphered) {
        std::array<uint8_t, 9> clear = *pendingReply;
        decipherBlock(&clear[1], key.data());
        plain = frameBytes(clear).left(length);
    }
    logReport(kCommandInterface, "in", "feature", raw, plain);
    answer(c, vbus::message(vbus::Op::Feature,
                            vbus::int32Bytes(static_cast<int32_t>(raw.size())) + raw));
}

void BusServer::State::onWrite(Connection &c, const QByteArray &report)
{
    if (c.interfaceNumber != kCommandInterface || outputExpected <= outputBlock.size()) {
        logReport(c.interfaceNumber, "out", "output", report, {}, "unexpected");
        answer(c, vbus::message(vbus::Op::Written,
                                vbus::int32Bytes(static_cast<int32_t>(report.size()))));
        return;
    }
    logReport(kCommandInterface, "out", "output", report);
    const int length = static_cast<int>(device.reportLength);
    const int take = std::min(length, outputExpected - static_cast<int>(outputBlock.size()));
    QByteArray chunk = report.mid(1, take);
    chunk.resize(take, '\0');
    outputBlock.append(chunk);
    answer(c,
           vbus::message(vbus::Op::Written, vbus::int32Bytes(static_cast<int32_t>(report.size()))));
    if (outputBlock.size() < outputExpected)
        return;
    const bool acknowledged = firmware->onOutputBlock(outputBlock);
    outputExpected = 0;
    outputBlock.clear();
    if (acknowledged)
        sendAcknowledge();
}

void BusServer::State::onPoll(Connection &c)
{
    if (c.interfaceNumber != kCommandInterface || options.muteInput || inputReports.empty())
        return;
    const QByteArray report = shortened(inputReports.front());
    inputReports.pop_front();
    logReport(kCommandInterface, "in", "input", report);
    answer(c, vbus::message(vbus::Op::Input, report));
}

QByteArray BusServer::State::shortened(QByteArray report) const
{
    if (options.shortReports >= 0 && report.size() > options.shortReports)
        report.truncate(options.shortReports);
    return report;
}

void BusServer::State::sendAcknowledge()
{
    QByteArray ack(std::max(4, static_cast<int>(device.reportLength)), '\0');
    ack[0] = 0x04;
    ack[1] = 0x04;
    ack = shortened(ack);
    // A silent device answers nothing, its acknowledge included.
    if (options.muteInput) {
        logReport(kSecondInterface, "in", "input", ack, {}, "lost: muted");
        return;
    }
    bool sent = false;
    for (Connection &c : connections) {
        if (c.interfaceNumber != kSecondInterface || !c.socket.isValid())
            continue;
        logReport(kSecondInterface, "in", "input", ack);
        c.socket.send(vbus::message(vbus::Op::Input, ack));
        sent = true;
    }
    // As on hidraw, a report that nobody has open is gone.
    if (!sent)
        logReport(kSecondInterface, "in", "input", ack, {}, "lost: second interface not open");
}

// ------------------------------------------------------------ BusServer

BusServer::BusServer(const SimOptions &options, std::unique_ptr<Firmware> firmware)
    : d(std::make_unique<State>())
{
    d->options = options;
    d->firmware = std::move(firmware);
    d->socketPath = QDir(options.busDirectory).absoluteFilePath(options.socketName());
}

BusServer::~BusServer()
{
    stop();
}

// The device row, the cipher and the log: what serving needs besides a
// socket.
bool BusServer::State::prepare(QString &message)
{
    if (!firmware) {
        message = QStringLiteral("no firmware");
        return false;
    }
    const DeviceTable table = readDeviceTable({});
    const int row = options.keyboard ? kKeyboardRow : kMouseRow;
    if (row >= table.rows.size()) {
        message = QStringLiteral("the device table has no row %1").arg(row);
        return false;
    }
    device = table.rows.at(row);
    cipher = options.cipher.value_or(table.isEncode);
    const QByteArray code = options.secrecyCode.toLatin1();
    key = {};
    if (!loadSecrecyCode(key.data(), code.constData(), static_cast<int>(code.size()))) {
        message = QStringLiteral("the secrecy code must have six characters");
        return false;
    }
    if (!options.logFile.isEmpty() && !logFile.isOpen()) {
        logFile.setFileName(options.logFile);
        if (!logFile.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            message = QStringLiteral("cannot open the log file %1").arg(options.logFile);
            return false;
        }
    }
    return true;
}

bool BusServer::start(QString *error)
{
    QString ignored;
    QString &message = error ? *error : ignored;
    if (isRunning())
        return true;
    if (!QDir().mkpath(d->options.busDirectory)) {
        message = QStringLiteral("cannot create the bus directory %1").arg(d->options.busDirectory);
        return false;
    }
    if (!d->prepare(message))
        return false;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        message = QStringLiteral("cannot create a pipe");
        d->logFile.close();
        return false;
    }
    d->listener = PacketSocket::listenAt(d->socketPath, &message);
    if (!d->listener.isValid()) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        d->logFile.close();
        return false;
    }
    d->wakeRead = pipeFds[0];
    d->wakeWrite = pipeFds[1];
    d->clock.start();
    d->hostReports = 0;
    d->logEvent("plug", -1, d->socketPath);
    d->thread = std::thread([state = d.get()] { state->run(); });
    return true;
}

void BusServer::stop()
{
    if (!d->thread.joinable())
        return;
    const char wake = 'x';
    [[maybe_unused]] const ssize_t n = ::write(d->wakeWrite, &wake, 1);
    d->thread.join();
    QFile::remove(d->socketPath);
    d->listener.close();
    d->connections.clear();
    ::close(d->wakeRead);
    ::close(d->wakeWrite);
    d->wakeRead = d->wakeWrite = -1;
    d->pendingReply.reset();
    d->outputExpected = 0;
    d->outputBlock.clear();
    d->inputReports.clear();
    d->logEvent("unplug", -1, d->socketPath);
    QMutexLocker lock(&d->logMutex);
    d->logFile.close();
}

bool BusServer::serveConnection(PacketSocket connection, QString *error)
{
    QString ignored;
    QString &message = error ? *error : ignored;
    if (isRunning()) {
        message = QStringLiteral("the server is listening already");
        return false;
    }
    if (!d->prepare(message))
        return false;
    d->connections.push_back(Connection{std::move(connection), -1});
    Connection &c = d->connections.back();
    QByteArray m;
    while (c.socket.isValid()) {
        if (c.socket.receive(m, -1) == PacketSocket::Status::Message) {
            QMutexLocker lock(&d->firmwareMutex);
            d->handle(c, m);
        } else {
            c.socket.close();
        }
    }
    d->connections.clear();
    return true;
}

bool BusServer::isRunning() const
{
    return d->thread.joinable();
}

QString BusServer::socketPath() const
{
    return d->socketPath;
}

const DevInfo &BusServer::device() const
{
    return d->device;
}

bool BusServer::cipherOn() const
{
    return d->cipher;
}

QStringList BusServer::logLines() const
{
    QMutexLocker lock(&d->logMutex);
    return d->lines;
}

void BusServer::withFirmware(const std::function<void(Firmware &)> &fn)
{
    QMutexLocker lock(&d->firmwareMutex);
    fn(*d->firmware);
}
