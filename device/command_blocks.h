#pragma once

// The devices a command can address and the data blocks their commands
// carry. Everything above the device layer takes these facts from here.

// Rows of the device table; the link addresses one of them at a time.
constexpr int kKeyboardDevice = 0;
constexpr int kMouseDevice = 1;

// The mouse's data blocks.
namespace mouseblock {

constexpr int kStageBytes = 8;       // 11H, 91H: one stage byte per DPI stage
constexpr int kColourBytes = 24;     // 10H, 90H types 0 and 1: 8 colours R, G, B
constexpr int kColourIndexBytes = 4; // type 2: 8 colour indices of 4 bits
constexpr int kKeyMatrixBytes = 64;  // 12H, 92H: 16 entries of 4 bytes
constexpr int kMacroBytes = 128;     // 13H, 93H

// The colour block of a type: indices for type 2, RGB triples otherwise.
constexpr int colourBytes(int type)
{
    return type == 2 ? kColourIndexBytes : kColourBytes;
}

} // namespace mouseblock

// The keyboard's data blocks.
namespace keyboardblock {

constexpr int kKeyMatrixBytes = 512; // 0DH, 8DH: 128 entries of 4 bytes
constexpr int kKeyOnOffBytes = 21;   // 0EH, 8EH
constexpr int kMacroBytes = 192;     // 11H, 91H
constexpr int kPictureBytes = 512;   // 12H, 92H
// Most of the keyboard's data commands announce their block as a count of
// reports of this size, whatever the report length of the device addressed.
constexpr int kAnnouncedReportBytes = 64;

} // namespace keyboardblock
