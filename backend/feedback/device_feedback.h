#pragma once

#include "device/link_outcome.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

class Hid_Thread;

// What the window tells the user about the mouse and about their changes.
//
// Status: whether the mouse is connected, with its name and firmware version;
// it follows the device link's presence at once and is read again after
// every device check.
//
// Notices: the device link reports how each command ended (sets from the
// pool, later). An action of the user (Apply, All save, Reset, …) is the span
// between beginAction() and endAction(); once its last set has reported, one
// notice says whether everything reached the mouse, and if not which
// commands failed and why. Failures outside an action (a read at start, a
// change that is sent at once) are gathered for a moment and told together.
// The requests of failed sets are kept, so retry() sends the same frames
// again. Files that could not be written and pointer settings the desktop
// refused travel in the same notices.
//
// A notice is a map for the QML:
//   action   "apply", "save", "reset", "retry", … or "" outside an action
//   ok       nothing failed
//   sent     how many sets went to the link since the last notice
//   failed   [{code, reason, write}] one per failed command (reason: a
//            LinkResult key such as "notConnected"; write: it was a set)
//   retry    there are failed sets that retry() would send again
//   files    paths that could not be written
//   pointer  pointer settings that could not be applied
class DeviceFeedback : public QObject
{
    Q_OBJECT

public:
    // How long failures outside an action are gathered before they are told.
    static constexpr int kGatherMs = 300;

    explicit DeviceFeedback(Hid_Thread &link, QObject *parent = nullptr);

    // {connected: bool, name: string, firmware: string}
    QVariantMap status() const { return current; }
    // After a device check: reads the firmware version when connected.
    void refreshStatus();

    void beginAction(const QString &action);
    void endAction();
    bool inAction() const { return depth > 0; }
    void retry();

    // A read-modify-write found nothing true to send: the set `code` was not
    // sent because the read before it failed.
    void noteNotSent(uchar code);
    void noteFileNotSaved(const QString &path);
    void notePointerFailed(const QString &setting);

    static QString reasonKey(LinkResult result);

signals:
    void statusChanged(const QVariantMap &status);
    void notice(const QVariantMap &notice);

private:
    struct Failure
    {
        uchar code = 0;
        LinkResult result = LinkResult::Done;
        bool write = false;
        SetRequest request; // frame empty when it cannot be sent again
        bool resendable = false;
    };

    void onSetFinished(const SetRequest &request, LinkResult result);
    void onGetFinished(const LinkOutcome &outcome);
    void onPresenceChanged(bool present);
    void addFailure(const Failure &failure);
    void somethingToTell();
    void publishIfSettled();
    void setStatus(bool connected, const QString &name, const QString &firmware);

    Hid_Thread &link;
    QVariantMap current;
    QString action;
    int depth = 0;   // nested begin/end of actions
    int pending = 0; // sets started and not yet finished
    int started = 0; // sets started since the last notice
    QList<Failure> failures;
    QStringList files;
    QStringList pointer;
    QList<SetRequest> lastFailedSets; // what retry() sends
    QTimer gather;
};
