#pragma once

#include "app/call/call_dispatcher.h"

class Hid_Thread;

// The device commands of Hid_Thread as a call target. Their reference and
// pointer parameters cannot go through QMetaObject::invokeMethod, so each
// command has a row in a table (hid_call_target.cpp) that names its
// parameters as declared and gives each buffer its length.
class HidCallTarget : public CallTarget
{
public:
    enum class Kind
    {
        Byte,
        ByteRef,
        StringRef,
        Buffer
    };
    struct Param
    {
        const char *name;
        Kind kind;
        int length = 0; // Buffer only
    };
    enum class Returns
    {
        Void,
        Bool
    };
    struct Signature
    {
        const char *name;
        QList<Param> params;
        Returns returns;
    };

    explicit HidCallTarget(Hid_Thread *hid);

    PreparedCall prepare(const QString &method, const QJsonArray &args,
                         QString *error) const override;

    // Every command of the table, for checks against the class.
    static QList<Signature> signatures();

private:
    Hid_Thread *hid;
};
