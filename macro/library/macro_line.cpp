#include "macro/library/macro_line.h"

const QString MacroLine::downCommand = QStringLiteral("    [Down]");
const QString MacroLine::upCommand = QStringLiteral("      [Up]");
const QString MacroLine::delayCommand = QStringLiteral("   [Delay]");

MacroLine MacroLine::split(const QString &line)
{
    MacroLine result;
    if (line.size() < commandWidth)
        return result;
    result.value = line.first(line.size() - commandWidth);
    result.command = line.last(commandWidth);
    if (result.command == downCommand)
        result.kind = Kind::Down;
    else if (result.command == upCommand)
        result.kind = Kind::Up;
    else if (result.command == delayCommand)
        result.kind = Kind::Delay;
    return result;
}

bool MacroLine::storable(const QString &line)
{
    if (!line.isValidUtf16())
        return false;
    for (const QChar c : line) {
        if (c.category() == QChar::Other_Control || c == QChar::ByteOrderMark)
            return false;
    }
    return true;
}

QString MacroLine::join(const QString &value, Kind kind)
{
    switch (kind) {
    case Kind::Down:
        return value + downCommand;
    case Kind::Up:
        return value + upCommand;
    case Kind::Delay:
        return value + delayCommand;
    case Kind::Invalid:
        break;
    }
    return value;
}
