#include "app/call/call_dispatcher.h"

#include "app/call/hid_call_target.h"
#include "app/call/qobject_call_target.h"
#include "device/hid_thread.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QTextStream>
#include <QThread>
#include <QThreadPool>
#include <cmath>

namespace {

// TARGET.METHOD: two C++ identifiers. No JSON value looks like this.
bool isCallName(const QString &token, QString *target, QString *method)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*)\\.([A-Za-z_][A-Za-z0-9_]*)$"));
    const QRegularExpressionMatch match = pattern.match(token);
    if (!match.hasMatch())
        return false;
    *target = match.captured(1);
    *method = match.captured(2);
    return true;
}

// One command-line token as one JSON value; scalars are allowed at the top.
bool parseJsonValue(const QString &token, QJsonValue *value)
{
    QJsonParseError error{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray("[") + token.toUtf8() + QByteArray("]"), &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray() || doc.array().size() != 1)
        return false;
    *value = doc.array().first();
    return true;
}

// How the device exchanges of one call ended. Sets report from the pool
// after the call has returned, so the call is over only once every set it
// started has reported.
class ExchangeRecorder
{
public:
    explicit ExchangeRecorder(Hid_Thread *link) : link(link)
    {
        if (!link)
            return;
        connections << QObject::connect(link, &Hid_Thread::setStarted, [this] {
            ++pending;
            ++exchanges;
        });
        connections << QObject::connect(link, &Hid_Thread::setFinished,
                                        [this](const SetRequest &request, LinkResult result) {
                                            --pending;
                                            note({request.code(), result});
                                        });
        connections << QObject::connect(link, &Hid_Thread::getFinished,
                                        [this](const LinkOutcome &outcome) {
                                            ++exchanges;
                                            note(outcome);
                                        });
    }
    ~ExchangeRecorder()
    {
        for (const QMetaObject::Connection &c : connections)
            QObject::disconnect(c);
    }
    ExchangeRecorder(const ExchangeRecorder &) = delete;
    ExchangeRecorder &operator=(const ExchangeRecorder &) = delete;

    void waitUntilSettled() const
    {
        while (link && (pending > 0 || !link->isLinkIdle())) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 8);
            QThread::msleep(1);
        }
    }
    bool touchedDevice() const { return exchanges > 0; }
    bool failed() const { return !failures.isEmpty(); }
    // "0BH: device not connected; 81H: no reply"
    QString failureText() const { return failures.join(QStringLiteral("; ")); }

private:
    void note(const LinkOutcome &outcome)
    {
        if (outcome.ok())
            return;
        failures << QStringLiteral("%1H: %2")
                        .arg(outcome.code, 2, 16, QLatin1Char('0'))
                        .toUpper()
                        .arg(linkResultText(outcome.result));
    }

    Hid_Thread *link;
    QList<QMetaObject::Connection> connections;
    int pending = 0;
    int exchanges = 0;
    QStringList failures;
};

QString compactJson(const QJsonValue &value)
{
    // QJsonDocument writes only objects and arrays: wrap and strip.
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

} // namespace

CallDispatcher::CallDispatcher() = default;
CallDispatcher::~CallDispatcher() = default;

void CallDispatcher::addTarget(const QString &name, std::unique_ptr<CallTarget> target)
{
    targets.insert(name, std::shared_ptr<CallTarget>(std::move(target)));
}

void CallDispatcher::addHid(Hid_Thread *hid, const QString &name)
{
    hidLink = hid;
    addTarget(name, std::make_unique<HidCallTarget>(hid));
}

void CallDispatcher::addObject(const QString &name, QObject *object)
{
    addTarget(name, std::make_unique<QObjectCallTarget>(object));
}

bool CallDispatcher::parseCommandLine(const QStringList &arguments, QList<CallRequest> *calls,
                                      QString *error)
{
    calls->clear();
    for (const QString &token : arguments) {
        if (token == QLatin1String("--call"))
            continue;
        CallRequest next;
        if (isCallName(token, &next.target, &next.method)) {
            calls->append(next);
            continue;
        }
        if (calls->isEmpty()) {
            *error = QStringLiteral("expected TARGET.METHOD, got '%1'").arg(token);
            return false;
        }
        QJsonValue value;
        if (!parseJsonValue(token, &value)) {
            *error = QStringLiteral("%1.%2: argument %3 is not a JSON value: %4")
                         .arg(calls->last().target, calls->last().method)
                         .arg(calls->last().args.size() + 1)
                         .arg(token);
            return false;
        }
        calls->last().args.append(value);
    }
    if (calls->isEmpty()) {
        *error = QStringLiteral("no call given (TARGET.METHOD [ARG...])");
        return false;
    }
    return true;
}

PreparedCall CallDispatcher::prepare(const CallRequest &call, QString *error) const
{
    const auto target = targets.constFind(call.target);
    if (target == targets.constEnd()) {
        QStringList known = targets.keys();
        *error = QStringLiteral("unknown target '%1' (known: %2)")
                     .arg(call.target, known.join(QStringLiteral(", ")));
        return {};
    }
    QString reason;
    PreparedCall prepared = (*target)->prepare(call.method, call.args, &reason);
    if (!prepared)
        *error = QStringLiteral("%1.%2: %3").arg(call.target, call.method, reason);
    return prepared;
}

int CallDispatcher::run(const QList<CallRequest> &calls, QTextStream &out, QTextStream &err)
{
    QList<PreparedCall> prepared;
    for (const CallRequest &call : calls) {
        QString error;
        PreparedCall one = prepare(call, &error);
        if (!one) {
            err << "z4config --call: " << error << Qt::endl;
            return 2;
        }
        prepared.append(std::move(one));
    }
    bool deviceFailed = false;
    for (const PreparedCall &call : prepared) {
        ExchangeRecorder exchanges(hidLink);
        CallOutput output = call();
        exchanges.waitUntilSettled();
        // Whether the device took part and how it went: a failed get's
        // outputs are only the values it was given.
        if (exchanges.touchedDevice())
            output.append({QStringLiteral("ok"), !exchanges.failed()});
        if (exchanges.failed()) {
            output.append({QStringLiteral("error"), exchanges.failureText()});
            deviceFailed = true;
        }
        out << formatLine(output) << Qt::endl;
    }
    waitForDevice();
    return deviceFailed ? kDeviceFailed : 0;
}

int CallDispatcher::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QList<CallRequest> calls;
    QString error;
    if (!parseCommandLine(arguments, &calls, &error)) {
        err << "z4config --call: " << error << Qt::endl;
        return 2;
    }
    return run(calls, out, err);
}

void CallDispatcher::waitForDevice()
{
    if (hidLink) {
        // The last set's transaction frees the link as its final step; the
        // watcher would keep a pool thread busy for good, so it goes first.
        while (!hidLink->isLinkIdle()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 8);
            QThread::msleep(1);
        }
        if (deviceStaysInUse)
            return;
        hidLink->stopWatch();
    }
    QThreadPool::globalInstance()->waitForDone();
}

QString CallDispatcher::formatLine(const CallOutput &output)
{
    QStringList members;
    for (const auto &[name, value] : output)
        members << compactJson(QJsonValue(name)) + u':' + compactJson(value);
    return u'{' + members.join(u',') + u'}';
}

namespace callargs {

QString typeName(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("a boolean");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

bool toInt(const QJsonValue &value, qint64 min, qint64 max, qint64 *number, QString *error)
{
    const double d = value.toDouble(std::nan(""));
    if (!value.isDouble() || std::isnan(d) || d != std::floor(d) || d < double(min) ||
        d > double(max)) {
        *error = QStringLiteral("expected an integer %1..%2, got %3")
                     .arg(min)
                     .arg(max)
                     .arg(value.isDouble() ? compactJson(value) : typeName(value));
        return false;
    }
    *number = qint64(d);
    return true;
}

bool toByte(const QJsonValue &value, unsigned char *byte, QString *error)
{
    qint64 number = 0;
    if (!toInt(value, 0, 255, &number, error))
        return false;
    *byte = static_cast<unsigned char>(number);
    return true;
}

bool toBytes(const QJsonValue &value, int length, std::vector<unsigned char> *bytes, QString *error)
{
    if (!value.isArray()) {
        *error = QStringLiteral("expected an array of at most %1 bytes, got %2")
                     .arg(length)
                     .arg(typeName(value));
        return false;
    }
    const QJsonArray array = value.toArray();
    if (array.size() > length) {
        *error = QStringLiteral("expected an array of at most %1 bytes, got %2 elements")
                     .arg(length)
                     .arg(array.size());
        return false;
    }
    bytes->assign(size_t(length), 0);
    for (qsizetype i = 0; i < array.size(); ++i) {
        QString reason;
        if (!toByte(array[i], &(*bytes)[size_t(i)], &reason)) {
            *error = QStringLiteral("element %1: %2").arg(i).arg(reason);
            return false;
        }
    }
    return true;
}

} // namespace callargs
