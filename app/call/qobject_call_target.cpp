#include "app/call/qobject_call_target.h"

#include <QJsonArray>
#include <QMetaMethod>
#include <QMetaObject>
#include <QMetaType>
#include <QVariant>
#include <array>
#include <limits>
#include <vector>

namespace {

// Converts `value` to a variant of exactly `typeId`.
bool convertArgument(int typeId, const QJsonValue &value, QVariant *out, QString *error)
{
    qint64 number = 0;
    switch (typeId) {
    case QMetaType::QVariant:
        *out = value.toVariant();
        return true;
    case QMetaType::QVariantList:
        if (!value.isArray())
            break;
        *out = value.toArray().toVariantList();
        return true;
    case QMetaType::QString:
        if (!value.isString())
            break;
        *out = value.toString();
        return true;
    case QMetaType::QStringList: {
        if (!value.isArray())
            break;
        QStringList list;
        for (const QJsonValue &item : value.toArray()) {
            if (!item.isString()) {
                *error = QStringLiteral("expected an array of strings");
                return false;
            }
            list << item.toString();
        }
        *out = list;
        return true;
    }
    case QMetaType::Int:
        if (!callargs::toInt(value, std::numeric_limits<int>::min(),
                             std::numeric_limits<int>::max(), &number, error))
            return false;
        *out = QVariant::fromValue(int(number));
        return true;
    case QMetaType::UInt:
        if (!callargs::toInt(value, 0, std::numeric_limits<uint>::max(), &number, error))
            return false;
        *out = QVariant::fromValue(uint(number));
        return true;
    case QMetaType::UChar: {
        unsigned char byte = 0;
        if (!callargs::toByte(value, &byte, error))
            return false;
        *out = QVariant::fromValue(byte);
        return true;
    }
    case QMetaType::Bool:
        if (!value.isBool())
            break;
        *out = value.toBool();
        return true;
    default:
        *error = QStringLiteral("parameter type %1 cannot be given on the command line")
                     .arg(QLatin1String(QMetaType(typeId).name()));
        return false;
    }
    *error = QStringLiteral("expected %1, got %2")
                 .arg(QLatin1String(QMetaType(typeId).name()), callargs::typeName(value));
    return false;
}

QJsonValue returnValue(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::UChar:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::UShort:
        return value.toInt();
    default:
        break;
    }
    // Containers of other element types (macroIncode's QList<uchar>) go
    // element by element, so bytes print as numbers.
    if (value.metaType().id() >= QMetaType::User && value.canConvert<QVariantList>()) {
        QJsonArray array;
        for (const QVariant &element : value.value<QVariantList>())
            array.append(returnValue(element));
        return array;
    }
    return QJsonValue::fromVariant(value);
}

bool callable(const QMetaMethod &method)
{
    if (method.access() != QMetaMethod::Public)
        return false;
    return method.methodType() == QMetaMethod::Slot || method.methodType() == QMetaMethod::Method;
}

} // namespace

QObjectCallTarget::QObjectCallTarget(QObject *object) : object(object) {}

bool QObjectCallTarget::supportsType(int typeId)
{
    switch (typeId) {
    case QMetaType::QVariant:
    case QMetaType::QVariantList:
    case QMetaType::QString:
    case QMetaType::QStringList:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::UChar:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

PreparedCall QObjectCallTarget::prepare(const QString &name, const QJsonArray &args,
                                        QString *error) const
{
    if (!object) {
        *error = QStringLiteral("the object is gone");
        return {};
    }
    const QMetaObject *meta = object->metaObject();
    const QByteArray wanted = name.toLatin1();

    QList<QMetaMethod> candidates;
    QList<int> counts;
    for (int i = QObject::staticMetaObject.methodCount(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (!callable(method) || method.name() != wanted)
            continue;
        counts << method.parameterCount();
        if (method.parameterCount() == args.size())
            candidates << method;
    }
    if (counts.isEmpty()) {
        *error = QStringLiteral("no such method");
        return {};
    }
    if (candidates.isEmpty()) {
        QStringList expected;
        for (int count : counts)
            expected << QString::number(count);
        *error = QStringLiteral("expected %1 argument(s), got %2")
                     .arg(expected.join(QStringLiteral(" or ")))
                     .arg(args.size());
        return {};
    }

    // The first overload whose parameters all take their arguments.
    QString firstError;
    for (const QMetaMethod &method : std::as_const(candidates)) {
        auto values = std::make_shared<std::vector<QVariant>>(size_t(args.size()));
        QString reason;
        int i = 0;
        for (; i < args.size(); ++i) {
            if (!convertArgument(method.parameterType(i), args.at(i), &(*values)[size_t(i)],
                                 &reason))
                break;
        }
        if (i < args.size()) {
            if (firstError.isEmpty())
                firstError =
                    QStringLiteral("argument %1 (%2): %3")
                        .arg(i + 1)
                        .arg(QString::fromLatin1(method.parameterNames().value(i)), reason);
            continue;
        }
        if (method.parameterCount() > 10) {
            firstError = QStringLiteral("more than 10 parameters");
            continue;
        }

        QPointer<QObject> target = object;
        return [target, method, values]() -> CallOutput {
            std::array<QGenericArgument, 10> argv{};
            for (size_t k = 0; k < values->size(); ++k) {
                // A QVariant parameter is passed as the variant itself;
                // any other type as the value the variant holds.
                QVariant &v = (*values)[k];
                const bool isVariant = method.parameterType(int(k)) == QMetaType::QVariant;
                argv[k] =
                    QGenericArgument(method.parameterMetaType(int(k)).name(),
                                     isVariant ? static_cast<const void *>(&v) : v.constData());
            }
            QVariant result;
            QVariant storage;
            bool invoked = false;
            if (!target) {
                invoked = false;
            } else if (method.returnType() == QMetaType::Void) {
                invoked =
                    method.invoke(target, Qt::DirectConnection, argv[0], argv[1], argv[2], argv[3],
                                  argv[4], argv[5], argv[6], argv[7], argv[8], argv[9]);
            } else if (method.returnType() == QMetaType::QVariant) {
                invoked = method.invoke(target, Qt::DirectConnection,
                                        QGenericReturnArgument("QVariant", &result), argv[0],
                                        argv[1], argv[2], argv[3], argv[4], argv[5], argv[6],
                                        argv[7], argv[8], argv[9]);
            } else {
                storage = QVariant(method.returnMetaType());
                invoked = method.invoke(
                    target, Qt::DirectConnection,
                    QGenericReturnArgument(method.returnMetaType().name(), storage.data()), argv[0],
                    argv[1], argv[2], argv[3], argv[4], argv[5], argv[6], argv[7], argv[8],
                    argv[9]);
                result = storage;
            }
            CallOutput output;
            output.append({QStringLiteral("return"),
                           invoked ? returnValue(result) : QJsonValue(QJsonValue::Null)});
            return output;
        };
    }
    *error = firstError;
    return {};
}
