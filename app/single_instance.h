#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class QLocalServer;
class QLocalSocket;

// One process owns each device source: the real mouse, or the virtual
// devices of one bus folder. The first start listens on a local socket named
// after its source; a later start of the same source hands its request to it
// and exits:
//   - a window start asks the running window to come to the front;
//   - a --call run has the instance run its calls on the instance's own link
//     and prints the reply, the same lines and exit status as a run of its
//     own would give.
// An instance without a window (a --call run) takes no requests: a later
// start waits until it has ended. Demo runs have their own embedded mouse and
// no instance.
//
// The socket lives in the user's runtime folder; a lock file makes "look for
// an instance, else become it" one step, so two starts at once never both
// become the instance, and a socket left by a crashed instance is replaced.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        enum class Kind
        {
            Raise,
            Call
        };
        Kind kind = Kind::Raise;
        QStringList callArguments; // the words after the first --call
        QStringList files;         // --file paths, absolute
        QList<bool> answers;       // --answer values
    };

    struct Reply
    {
        QByteArray out;
        QByteArray err;
        int exitCode = 0;
    };

    using CallHandler = std::function<Reply(const Request &)>;

    enum class Start
    {
        Primary,   // this process is the instance now
        Forwarded, // the running instance took the request; *reply holds its answer
        Failed     // neither (*error says why)
    };

    // The socket's name for a device source: the real mouse (empty bus
    // folder) or a virtual bus folder (any spelling of the same folder gives
    // the same name). Empty for a demo run: it never shares its mouse.
    static QString serverName(bool demo, const QString &virtualBusDir);

    // An empty name makes every start a primary one that listens nowhere.
    explicit SingleInstance(QString serverName, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Becomes the instance, or hands `request` to the running one and waits
    // for its reply (a busy instance is waited for, up to waitMs).
    Start claimOrForward(const Request &request, Reply *reply, QString *error, int waitMs = 60000);

    // How the instance runs forwarded calls. Without a handler (a --call
    // run) every request is answered "busy".
    void setCallHandler(CallHandler handler) { callHandler = std::move(handler); }

    QString name() const { return serverName_; }
    bool isListening() const;

signals:
    // A later window start asked for this window.
    void raiseRequested();

private:
    enum class Attempt
    {
        Primary,
        Forwarded,
        Busy,
        Failed
    };
    Attempt tryOnce(const Request &request, Reply *reply, QString *error);
    void listen();
    void onNewConnection();
    void onReadyRead(QLocalSocket *socket);
    void runNext();

    QString serverName_;
    QLocalServer *server = nullptr;
    CallHandler callHandler;
    QList<QPair<QPointer<QLocalSocket>, Request>> pending; // calls waiting their turn
    bool running = false;
};
