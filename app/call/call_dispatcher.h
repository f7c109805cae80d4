#pragma once

#include <QJsonArray>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class Hid_Thread;
class QObject;
class QTextStream;

// Headless scripting of the backend: `z4config --call TARGET.METHOD [ARG…]`.
//
// Command line (everything after the first "--call"):
//   TARGET.METHOD ARG… [TARGET.METHOD ARG…]…
// Each ARG is one JSON value (quote it for the shell: '"text"', '[1,2]').
// A token of the form name.name starts the next call (it is never a valid
// JSON value); a repeated "--call" between calls is allowed.
//
// Every call prints one line of JSON on stdout, "return" first and then
// every reference or pointer parameter under its declared name, as it is
// after the call, then whether its device exchanges went through:
//   --call hid.hid_81H_GetReportRate 0   ->   {"return":null,"rate":1,"ok":true}
//   (mouse gone)                          ->   {"return":null,"rate":0,"ok":false,
//                                               "error":"81H: device not connected"}
// A void method returns null. Reference and pointer parameters take their
// initial value from their ARG (number, string, array of bytes; a shorter
// array is padded with zeros).
//
// All calls are checked before the first one runs: an unknown target or
// method, a wrong argument count or an argument of the wrong type prints one
// line on stderr and run() returns 2 without calling anything.
//
// Use (the program, after device detection):
//   CallDispatcher calls;
//   calls.addHid(&hidThread);                 // target "hid"
//   calls.addObject(QStringLiteral("ui_View"), view);
//   calls.addObject(QStringLiteral("ui_Ctl"), controller);
//   QTextStream out(stdout), err(stderr);
//   return calls.run(argumentsAfterCall, out, err);
// run() waits, after the last call, until the device link is idle, the
// device watcher is stopped and no pool task runs any more, so the process
// can exit at once.

// One call as given on the command line.
struct CallRequest
{
    QString target;
    QString method;
    QJsonArray args;
};

// What a call prints, in order: ("return", value), then the parameters.
using CallOutput = QList<QPair<QString, QJsonValue>>;
// A call whose arguments were checked and converted; running it calls the
// method.
using PreparedCall = std::function<CallOutput()>;

// A named object whose methods can be called.
class CallTarget
{
public:
    virtual ~CallTarget() = default;
    // Checks the method name and the arguments. Returns the call, or an
    // empty function with *error set.
    virtual PreparedCall prepare(const QString &method, const QJsonArray &args,
                                 QString *error) const = 0;
};

class CallDispatcher
{
public:
    CallDispatcher();
    ~CallDispatcher();

    void addTarget(const QString &name, std::unique_ptr<CallTarget> target);
    // The device commands of hid_thread.h under `name`; run() also waits for
    // this link after the calls.
    void addHid(Hid_Thread *hid, const QString &name = QStringLiteral("hid"));
    // Every public slot and Q_INVOKABLE method of `object` (not QObject's
    // own) whose parameters are QVariant, QVariantList, QString, QStringList,
    // int, uint, uchar or bool. Overloads are told apart by argument count.
    void addObject(const QString &name, QObject *object);

    // Splits the arguments after "--call" into calls.
    static bool parseCommandLine(const QStringList &arguments, QList<CallRequest> *calls,
                                 QString *error);

    // Exit code when every call ran but a device exchange failed.
    static constexpr int kDeviceFailed = 3;
    // Exit code when every call ran but a file could not be written (the old
    // one is kept).
    static constexpr int kFileFailed = 4;

    // Checks every call, runs them in order, prints one JSON line each on
    // `out`, waits for the device link. A call that exchanged anything with
    // the device gets "ok" (and, when it failed, "error" naming each failed
    // command and why) after its outputs. Returns the exit code: 0,
    // kDeviceFailed, or 2 when a call was refused (message on `err`,
    // nothing called).
    int run(const QList<CallRequest> &calls, QTextStream &out, QTextStream &err);
    int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

    // Checks one call; on success the result runs it.
    PreparedCall prepare(const CallRequest &call, QString *error) const;

    // Blocks until the link of addHid() is idle, its watcher stopped and
    // the global thread pool has no task left; with keepDeviceRunning() only
    // until the link is idle.
    void waitForDevice();
    // For calls run inside a window that goes on using the device: run()
    // then leaves the device watcher running.
    void keepDeviceRunning() { deviceStaysInUse = true; }

    // {"return":…,"name":…} on one line, keys in the given order.
    static QString formatLine(const CallOutput &output);

private:
    QMap<QString, std::shared_ptr<CallTarget>> targets;
    Hid_Thread *hidLink = nullptr;
    bool deviceStaysInUse = false;
};

// Argument conversion shared by the targets. Each returns false with *error
// set when the JSON value does not fit.
namespace callargs {

bool toByte(const QJsonValue &value, unsigned char *byte, QString *error);
bool toInt(const QJsonValue &value, qint64 min, qint64 max, qint64 *number, QString *error);
// An array of at most `length` bytes, padded with zeros.
bool toBytes(const QJsonValue &value, int length, std::vector<unsigned char> *bytes,
             QString *error);
QString typeName(const QJsonValue &value);

} // namespace callargs
