#include "device/command_call.h"

#include "device/hid_thread.h"

using cmd::Arg;

namespace cmd {

const Command *lookup(const QString &name)
{
    for (const Command &c : kCommands) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

} // namespace cmd

CommandCall::CommandCall(const cmd::Command &command)
    : row(&command), bytes(size_t(command.paramCount), 0)
{
    const int b = command.blockParam();
    if (b >= 0)
        blockBytes.assign(size_t(command.params[size_t(b)].length), 0);
}

bool CommandCall::run(Hid_Thread &hid)
{
    std::vector<CommandArg> args;
    for (int i = 0; i < row->paramCount; ++i) {
        switch (row->params[size_t(i)].kind) {
        case Arg::In:
        case Arg::Out:
            args.emplace_back(bytes[size_t(i)]);
            break;
        case Arg::Version:
            args.emplace_back(versionText);
            break;
        case Arg::Block:
            args.emplace_back(blockBytes.data());
            break;
        }
    }
    return hid.runCommand(*row, args);
}

QVariant CommandCall::value(int param) const
{
    switch (row->params[size_t(param)].kind) {
    case Arg::In:
    case Arg::Out:
        return int(bytes[size_t(param)]);
    case Arg::Version:
        return versionText;
    case Arg::Block:
        break;
    }
    QVariantList list;
    for (uchar byte : blockBytes)
        list.append(int(byte));
    return list;
}

QVariantList CommandCall::outputs() const
{
    QVariantList list;
    for (int i = 0; i < row->paramCount; ++i) {
        const Arg kind = row->params[size_t(i)].kind;
        if (kind == Arg::Block)
            list += value(i).toList();
        else if (kind != Arg::In)
            list.append(value(i));
    }
    return list;
}

QVariantList CommandCall::read(Hid_Thread &hid, const cmd::Command &command,
                               std::initializer_list<uchar> inputs)
{
    CommandCall call(command);
    auto input = inputs.begin();
    for (int i = 0; i < command.paramCount && input != inputs.end(); ++i) {
        if (command.params[size_t(i)].kind == Arg::In)
            call.byte(i) = *input++;
    }
    call.run(hid);
    return call.outputs();
}
