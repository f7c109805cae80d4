#include "app/call/hid_call_target.h"

#include "device/command_call.h"

#include <QJsonValue>

using cmd::Arg;

PreparedCall HidCallTarget::prepare(const QString &method, const QJsonArray &args,
                                    QString *error) const
{
    const cmd::Command *command = cmd::lookup(method);
    if (!command) {
        *error = QStringLiteral("no such device command");
        return {};
    }
    if (args.size() != command->paramCount) {
        *error = QStringLiteral("expected %1 argument(s), got %2")
                     .arg(command->paramCount)
                     .arg(args.size());
        return {};
    }

    auto call = std::make_shared<CommandCall>(*command);
    for (int i = 0; i < command->paramCount; ++i) {
        const cmd::Param &param = command->params[size_t(i)];
        const QJsonValue &value = args.at(i);
        QString reason;
        bool ok = true;
        switch (param.kind) {
        case Arg::In:
        case Arg::Out:
            ok = callargs::toByte(value, &call->byte(i), &reason);
            break;
        case Arg::Version:
            ok = value.isString();
            if (ok)
                call->text() = value.toString();
            else
                reason = QStringLiteral("expected a string, got %1").arg(callargs::typeName(value));
            break;
        case Arg::Block:
            ok = callargs::toBytes(value, param.length, &call->block(), &reason);
            break;
        }
        if (!ok) {
            *error = QStringLiteral("argument %1 (%2): %3")
                         .arg(i + 1)
                         .arg(QLatin1String(param.name), reason);
            return {};
        }
    }

    Hid_Thread *target = hid;
    return [target, call]() {
        const bool ok = call->run(*target);
        const cmd::Command &c = call->command();
        CallOutput output;
        output.append({QStringLiteral("return"), c.returnsResult ? QJsonValue(ok) : QJsonValue()});
        for (int i = 0; i < c.paramCount; ++i) {
            if (c.params[size_t(i)].kind != Arg::In)
                output.append({QLatin1String(c.params[size_t(i)].name),
                               QJsonValue::fromVariant(call->value(i))});
        }
        return output;
    };
}
