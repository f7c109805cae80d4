#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

namespace {

constexpr int ConnectMs = 2000;
constexpr int LockMs = 10000;
constexpr int ReplyMs = 120000;
constexpr int BusyPollMs = 200;

QByteArray encode(const SingleInstance::Request &request)
{
    QJsonObject object;
    if (request.kind == SingleInstance::Request::Kind::Raise) {
        object.insert(QStringLiteral("request"), QStringLiteral("raise"));
    } else {
        object.insert(QStringLiteral("request"), QStringLiteral("call"));
        object.insert(QStringLiteral("call"), QJsonArray::fromStringList(request.callArguments));
        object.insert(QStringLiteral("files"), QJsonArray::fromStringList(request.files));
        QJsonArray answers;
        for (bool answer : request.answers)
            answers.append(answer);
        object.insert(QStringLiteral("answers"), answers);
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

bool decode(const QByteArray &line, SingleInstance::Request *request)
{
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    const QString kind = object.value(QStringLiteral("request")).toString();
    if (kind == QLatin1String("raise")) {
        request->kind = SingleInstance::Request::Kind::Raise;
        return true;
    }
    if (kind != QLatin1String("call"))
        return false;
    request->kind = SingleInstance::Request::Kind::Call;
    for (const auto &word : object.value(QStringLiteral("call")).toArray())
        request->callArguments.append(word.toString());
    for (const auto &file : object.value(QStringLiteral("files")).toArray())
        request->files.append(file.toString());
    for (const auto &answer : object.value(QStringLiteral("answers")).toArray())
        request->answers.append(answer.toBool());
    return !request->callArguments.isEmpty();
}

QByteArray encode(const SingleInstance::Reply &reply)
{
    const QJsonObject object{{QStringLiteral("out"), QString::fromUtf8(reply.out)},
                             {QStringLiteral("err"), QString::fromUtf8(reply.err)},
                             {QStringLiteral("exit"), reply.exitCode}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

QByteArray busyLine()
{
    return QJsonDocument(QJsonObject{{QStringLiteral("busy"), true}})
               .toJson(QJsonDocument::Compact) +
           '\n';
}

// One line from the socket; empty when the peer went away or took too long.
QByteArray readLine(QLocalSocket &socket, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!socket.canReadLine()) {
        if (socket.state() != QLocalSocket::ConnectedState || deadline.hasExpired())
            return {};
        socket.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 1000)));
    }
    return socket.readLine();
}

} // namespace

QString SingleInstance::serverName(bool demo, const QString &virtualBusDir)
{
    if (demo)
        return {};
    const QString source =
        virtualBusDir.isEmpty()
            ? QStringLiteral("hid")
            : QStringLiteral("bus:") + QFileInfo(virtualBusDir).canonicalFilePath();
    const QString id = QString::fromLatin1(
        QCryptographicHash::hash(source.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
#ifdef Q_OS_WIN
    return QStringLiteral("z4config-") + id; // a pipe name, already per session
#else
    // Per user: the runtime folder is the user's own.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/z4config-") + id;
#endif
}

SingleInstance::SingleInstance(QString serverName, QObject *parent)
    : QObject(parent), serverName_(std::move(serverName))
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::isListening() const
{
    return server && server->isListening();
}

SingleInstance::Start SingleInstance::claimOrForward(const Request &request, Reply *reply,
                                                     QString *error, int waitMs)
{
    if (serverName_.isEmpty())
        return Start::Primary;
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        switch (tryOnce(request, reply, error)) {
        case Attempt::Primary:
            return Start::Primary;
        case Attempt::Forwarded:
            return Start::Forwarded;
        case Attempt::Failed:
            return Start::Failed;
        case Attempt::Busy:
            if (deadline.hasExpired()) {
                *error = QStringLiteral("another z4config is using the mouse; try again when it "
                                        "has finished");
                return Start::Failed;
            }
            QThread::msleep(BusyPollMs);
            break;
        }
    }
}

SingleInstance::Attempt SingleInstance::tryOnce(const Request &request, Reply *reply,
                                                QString *error)
{
    QLockFile lock(serverName_ + QStringLiteral(".lock"));
    if (!lock.tryLock(LockMs)) {
        if (lock.error() == QLockFile::LockFailedError) {
            *error =
                QStringLiteral("another z4config is starting and holds %1").arg(lock.fileName());
            return Attempt::Failed;
        }
        // A runtime folder we cannot write to must not keep the program
        // from running; it runs as the only one it knows of.
        qWarning("z4config: cannot make %s; not checking for another z4config",
                 qPrintable(lock.fileName()));
        return Attempt::Primary;
    }
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(ConnectMs)) {
        listen();
        return Attempt::Primary;
    }
    // The instance answers; the lock is only for becoming one.
    lock.unlock();

    socket.write(encode(request));
    socket.flush();
    const QByteArray line = readLine(socket, ReplyMs);
    const QJsonObject answer = QJsonDocument::fromJson(line).object();
    if (answer.isEmpty()) {
        // An instance that ended meanwhile is no longer in the way.
        if (socket.state() != QLocalSocket::ConnectedState)
            return Attempt::Busy;
        *error = QStringLiteral("the running z4config did not answer");
        return Attempt::Failed;
    }
    if (answer.value(QStringLiteral("busy")).toBool())
        return Attempt::Busy;
    reply->out = answer.value(QStringLiteral("out")).toString().toUtf8();
    reply->err = answer.value(QStringLiteral("err")).toString().toUtf8();
    reply->exitCode = answer.value(QStringLiteral("exit")).toInt(1);
    return Attempt::Forwarded;
}

void SingleInstance::listen()
{
    // Nobody answered: a socket file left behind is a dead instance's.
    QLocalServer::removeServer(serverName_);
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(serverName_)) {
        qWarning("z4config: cannot listen on %s (%s); later starts will not find this one",
                 qPrintable(serverName_), qPrintable(server->errorString()));
        return;
    }
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    }
}

void SingleInstance::onReadyRead(QLocalSocket *socket)
{
    if (!socket->canReadLine())
        return;
    Request request;
    if (!decode(socket->readLine(), &request)) {
        socket->disconnectFromServer();
        return;
    }
    if (!callHandler) {
        socket->write(busyLine());
        return;
    }
    if (request.kind == Request::Kind::Raise) {
        emit raiseRequested();
        socket->write(encode(Reply{}));
        return;
    }
    // Calls run one at a time, never inside another one's wait for the link.
    pending.append({socket, request});
    QTimer::singleShot(0, this, &SingleInstance::runNext);
}

void SingleInstance::runNext()
{
    if (running || pending.isEmpty())
        return;
    running = true;
    const auto [socket, request] = pending.takeFirst();
    // The caller may have gone away; its calls still run, as they would
    // have in its own process.
    const Reply reply = callHandler(request);
    if (socket) {
        socket->write(encode(reply));
        socket->flush();
    }
    running = false;
    QTimer::singleShot(0, this, &SingleInstance::runNext);
}
