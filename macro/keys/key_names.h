#pragma once

#include <QString>
#include <cstdint>
#include <span>

// The fixed English names of keys and mouse buttons, paired with their USB
// HID usage (Keyboard/Keypad page; mouse buttons use F0..F4). Macro files
// store these exact names, so spellings such as "Intl'2" and the trailing
// blank of "KP 7 " are part of the file format and must never be "fixed".
// modules/qml/basic/KeyCodeString.qml holds the same pairs for the QML.
namespace KeyNames {

struct Entry
{
    std::uint8_t usage;
    const char16_t *name;
};

// 127 keyboard rows, ordered by usage.
std::span<const Entry> keyboardEntries();
// 5 mouse-button rows, F0..F4.
std::span<const Entry> mouseEntries();

// Name -> usage over all 132 rows; 0 when the name is not in the table.
// Exact comparison: case, blanks and punctuation count.
std::uint8_t usageForName(const QString &name);

// Usage -> name over all 132 rows; an empty string when the usage has none.
QString nameForUsage(std::uint8_t usage);

} // namespace KeyNames
