#pragma once

#include <QString>

// One stored macro step: a value followed by a command that always takes the
// last 10 characters. Key names may contain blanks and end in one ("KP 7 "),
// so the command is found by position, never by looking for a separator.
struct MacroLine
{
    enum class Kind
    {
        Invalid,
        Down,
        Up,
        Delay
    };

    static constexpr int commandWidth = 10;
    static const QString downCommand;  // "    [Down]"
    static const QString upCommand;    // "      [Up]"
    static const QString delayCommand; // "   [Delay]"

    QString value;
    QString command;
    Kind kind = Kind::Invalid;

    static MacroLine split(const QString &line);
    // False for text no macro step holds and an INI file cannot keep
    // unchanged: an unpaired surrogate, a control character or U+FEFF (the
    // reader drops it at the start of a value).
    static bool storable(const QString &line);
    static QString join(const QString &value, Kind kind);
};
