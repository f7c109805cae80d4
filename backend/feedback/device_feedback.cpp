#include "backend/feedback/device_feedback.h"

#include "device/hid_thread.h"

#include <QVariantList>

DeviceFeedback::DeviceFeedback(Hid_Thread &link, QObject *parent) : QObject(parent), link(link)
{
    current = {{QStringLiteral("connected"), false},
               {QStringLiteral("name"), QString()},
               {QStringLiteral("firmware"), QString()}};
    gather.setSingleShot(true);
    gather.setInterval(kGatherMs);
    connect(&gather, &QTimer::timeout, this, &DeviceFeedback::publishIfSettled);
    // Sets finish on a pool thread: their outcomes are queued to this thread.
    connect(&link, &Hid_Thread::setStarted, this, [this] {
        ++pending;
        ++started;
    });
    connect(&link, &Hid_Thread::setFinished, this, &DeviceFeedback::onSetFinished);
    connect(&link, &Hid_Thread::getFinished, this, &DeviceFeedback::onGetFinished);
    connect(&link, &Hid_Thread::presenceChanged, this, &DeviceFeedback::onPresenceChanged);
}

QString DeviceFeedback::reasonKey(LinkResult result)
{
    switch (result) {
    case LinkResult::Done:
        return QStringLiteral("done");
    case LinkResult::Busy:
        return QStringLiteral("busy");
    case LinkResult::NotConnected:
        return QStringLiteral("notConnected");
    case LinkResult::OpenRefused:
        return QStringLiteral("openRefused");
    case LinkResult::SendFailed:
        return QStringLiteral("sendFailed");
    case LinkResult::NoReply:
        return QStringLiteral("noReply");
    case LinkResult::WriteFailed:
        return QStringLiteral("writeFailed");
    case LinkResult::ReadFailed:
        return QStringLiteral("readFailed");
    case LinkResult::NoAcknowledge:
        return QStringLiteral("noAcknowledge");
    case LinkResult::Closed:
        return QStringLiteral("closed");
    }
    return QStringLiteral("failed");
}

// ------------------------------------------------------------------ status

void DeviceFeedback::refreshStatus()
{
    if (!link.isDevicePresent()) {
        setStatus(false, QString(), QString());
        return;
    }
    const QList<HidDevice> devices = link.deviceList();
    const int index = link.currentDeviceId();
    const QString name =
        index >= 0 && index < devices.size() ? devices.at(index).productName : QString();
    QString firmware;
    link.hid_80H_GetFWVersion(firmware);
    setStatus(link.isDevicePresent(), name, firmware);
}

void DeviceFeedback::onPresenceChanged(bool present)
{
    // Coming back is confirmed by the next device check, which reads the
    // firmware again; going away is shown at once.
    if (!present)
        setStatus(false, current.value(QStringLiteral("name")).toString(), QString());
}

void DeviceFeedback::setStatus(bool connected, const QString &name, const QString &firmware)
{
    const QVariantMap next{{QStringLiteral("connected"), connected},
                           {QStringLiteral("name"), name},
                           {QStringLiteral("firmware"), firmware}};
    if (next == current)
        return;
    current = next;
    emit statusChanged(current);
}

// ----------------------------------------------------------------- actions

void DeviceFeedback::beginAction(const QString &name)
{
    if (depth++ == 0)
        action = name;
}

void DeviceFeedback::endAction()
{
    if (depth == 0)
        return;
    if (--depth == 0)
        publishIfSettled();
}

void DeviceFeedback::retry()
{
    const QList<SetRequest> again = lastFailedSets;
    if (again.isEmpty())
        return;
    beginAction(QStringLiteral("retry"));
    for (const SetRequest &request : again)
        link.resend(request);
    endAction();
}

// ---------------------------------------------------------------- outcomes

void DeviceFeedback::onSetFinished(const SetRequest &request, LinkResult result)
{
    pending = qMax(0, pending - 1);
    if (result != LinkResult::Done)
        addFailure({request.code(), result, true, request, true});
    somethingToTell();
}

void DeviceFeedback::onGetFinished(const LinkOutcome &outcome)
{
    if (outcome.ok())
        return;
    addFailure({outcome.code, outcome.result, false, {}, false});
    somethingToTell();
}

void DeviceFeedback::noteNotSent(uchar code)
{
    addFailure({code, LinkResult::Done, true, {}, false});
    somethingToTell();
}

void DeviceFeedback::noteFileNotSaved(const QString &path)
{
    if (!files.contains(path))
        files.append(path);
    somethingToTell();
}

void DeviceFeedback::notePointerFailed(const QString &setting)
{
    if (!pointer.contains(setting))
        pointer.append(setting);
    somethingToTell();
}

void DeviceFeedback::addFailure(const Failure &failure)
{
    // One line per command and reason: a burst of the same failure (every
    // read at start with the mouse gone) is told once.
    for (const Failure &f : failures)
        if (f.code == failure.code && f.result == failure.result && f.write == failure.write &&
            !failure.resendable)
            return;
    failures.append(failure);
}

void DeviceFeedback::somethingToTell()
{
    if (depth > 0)
        return; // told when the action ends
    if (!action.isEmpty())
        publishIfSettled(); // an ended action waiting for its last set
    else if (!failures.isEmpty() || !files.isEmpty() || !pointer.isEmpty())
        gather.start();
}

void DeviceFeedback::publishIfSettled()
{
    if (depth > 0 || pending > 0)
        return; // the action's last set has not reported yet
    const bool wasAction = !action.isEmpty();
    if (!wasAction && failures.isEmpty() && files.isEmpty() && pointer.isEmpty())
        return;
    gather.stop();

    QVariantList failed;
    QList<SetRequest> resend;
    for (const Failure &f : failures) {
        const bool notSent = f.write && !f.resendable;
        failed.append(QVariantMap{
            {QStringLiteral("code"), int(f.code)},
            {QStringLiteral("reason"), notSent ? QStringLiteral("notSent") : reasonKey(f.result)},
            {QStringLiteral("write"), f.write}});
        if (f.resendable)
            resend.append(f.request);
    }
    const bool ok = failed.isEmpty() && files.isEmpty() && pointer.isEmpty();
    const QVariantMap message{{QStringLiteral("action"), action},
                              {QStringLiteral("ok"), ok},
                              {QStringLiteral("sent"), started},
                              {QStringLiteral("failed"), failed},
                              {QStringLiteral("retry"), !resend.isEmpty()},
                              {QStringLiteral("files"), files},
                              {QStringLiteral("pointer"), pointer}};
    lastFailedSets = resend;
    failures.clear();
    started = 0;
    files.clear();
    pointer.clear();
    action.clear();
    emit notice(message);
}
