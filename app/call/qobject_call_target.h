#pragma once

#include "app/call/call_dispatcher.h"

#include <QPointer>

class QMetaMethod;

// Calls the public slots and Q_INVOKABLE methods of a QObject by name
// through its meta-object. Parameter types taken from JSON:
//   QVariant (any value), QVariantList (array), QString (string),
//   QStringList (array of strings), int, uint, uchar (integers in range),
//   bool (true/false).
// Methods with other parameter types are not offered. The return value is
// printed as JSON (QVariant conversion), void as null.
class QObjectCallTarget : public CallTarget
{
public:
    explicit QObjectCallTarget(QObject *object);

    PreparedCall prepare(const QString &method, const QJsonArray &args,
                         QString *error) const override;

    // Whether a method of this parameter type can be called.
    static bool supportsType(int typeId);

private:
    QPointer<QObject> object;
};
