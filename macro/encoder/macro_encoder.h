#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <cstdint>

// A device macro block ready for hid_13H_SetMacroKey (mouse, 128 bytes) or
// hid_11H_SetMacroKey (keyboard, 192 bytes).
struct MacroBlock
{
    QByteArray bytes;
    // The stream did not fit: its tail (End record included) was cut off and
    // the user is to be warned before the block is sent.
    bool cut = false;
    std::uint8_t macroId = 0;
};

// Turns macro lines into the byte stream the device plays.
//
// Stream: header 00 01, then per line a press (01 usage), a release
// (81 usage) or a delay record, then the end record 00 00. The low seven
// bits of a press/release event byte are the pause after it in 10 ms units;
// on the mouse a short delay right after such a record is folded into them.
class MacroEncoder
{
public:
    // The encoding depends on the device that is current when it runs:
    // 1 = mouse (20 ms delay units, folding), 0 = keyboard (10 ms units),
    // any other id drops delay lines.
    static QList<uchar> encode(const QStringList &lines, int currentDeviceId);

    // Mouse upload: the play count goes into the header (big-endian 16 bits).
    static MacroBlock mouseBlock(int macroId, const QStringList &lines, uint repeat,
                                 int currentDeviceId);
    // Keyboard upload: the header keeps 00 01.
    static MacroBlock keyboardBlock(int macroId, const QStringList &lines, int currentDeviceId);
};
