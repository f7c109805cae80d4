#pragma once

#include "app/call/call_dispatcher.h"

class Hid_Thread;

// The device commands of Hid_Thread as a call target, one for every row of
// the command set (device/command_set.h): the row names the parameters as
// the hid_ member declares them and gives the block its length, so the
// reference and pointer parameters, which QMetaObject::invokeMethod cannot
// pass, get storage of their own.
class HidCallTarget : public CallTarget
{
public:
    explicit HidCallTarget(Hid_Thread *hid) : hid(hid) {}

    PreparedCall prepare(const QString &method, const QJsonArray &args,
                         QString *error) const override;

private:
    Hid_Thread *hid;
};
