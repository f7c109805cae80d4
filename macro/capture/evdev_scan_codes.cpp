#include "macro/capture/evdev_scan_codes.h"

#include "macro/capture/key_event_source.h"

#include <array>

namespace {

// Linux key codes (linux/input-event-codes.h) used below.
enum : unsigned
{
    KeyLeftCtrl = 29,
    KeyLeftAlt = 56,
    KeyRightCtrl = 97,
    KeySysRq = 99,
    KeyRightAlt = 100,
    KeyPause = 119,
};

struct Code
{
    std::uint8_t scan;
    bool extended;
};

// Codes 1..88 are the set-1 codes themselves, with the E0 exceptions of the
// Windows hook: Num Lock is E0 45 (plain 45 is Pause) and the right Shift is
// reported as extended.
constexpr std::array<Code, 256> buildTable()
{
    std::array<Code, 256> t{};
    for (unsigned c = 1; c <= 88; ++c)
        t[c] = {std::uint8_t(c), false};
    t[54] = {0x36, true};   // right Shift
    t[69] = {0x45, true};   // Num Lock
    t[84] = {0, false};     // unused code
    t[85] = {0x76, false};  // Zenkaku/Hankaku
    t[89] = {0x73, false};  // Ro
    t[92] = {0x79, false};  // Henkan
    t[94] = {0x7B, false};  // Muhenkan
    t[96] = {0x1C, true};   // keypad Enter
    t[97] = {0x1D, true};   // right Ctrl
    t[98] = {0x35, true};   // keypad /
    t[99] = {0x37, true};   // Print Screen
    t[100] = {0x38, true};  // right Alt
    t[102] = {0x47, true};  // Home
    t[103] = {0x48, true};  // Up
    t[104] = {0x49, true};  // Page Up
    t[105] = {0x4B, true};  // Left
    t[106] = {0x4D, true};  // Right
    t[107] = {0x4F, true};  // End
    t[108] = {0x50, true};  // Down
    t[109] = {0x51, true};  // Page Down
    t[110] = {0x52, true};  // Insert
    t[111] = {0x53, true};  // Delete
    t[117] = {0x59, false}; // keypad =
    t[119] = {0x45, false}; // Pause
    t[121] = {0x7E, false}; // keypad ,
    t[124] = {0x7D, false}; // Yen
    t[125] = {0x5B, true};  // left Meta
    t[126] = {0x5C, true};  // right Meta
    t[127] = {0x5D, true};  // Menu
    // F13..F24
    constexpr std::uint8_t fKeys[] = {0x64, 0x65, 0x66, 0x67, 0x68, 0x69,
                                      0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x76};
    for (unsigned i = 0; i < 12; ++i)
        t[183 + i] = {fKeys[i], false};
    return t;
}

constexpr std::array<Code, 256> evdevToSet1 = buildTable();

} // namespace

bool EvdevKeyTranslator::set1Code(unsigned evdevCode, std::uint8_t &scanCode, bool &extended)
{
    if (evdevCode >= evdevToSet1.size() || evdevToSet1[evdevCode].scan == 0)
        return false;
    scanCode = evdevToSet1[evdevCode].scan;
    extended = evdevToSet1[evdevCode].extended;
    return true;
}

bool EvdevKeyTranslator::translate(unsigned evdevCode, bool isDown, Set1Key &out)
{
    switch (evdevCode) {
    case KeyLeftCtrl:
        leftCtrl = isDown;
        break;
    case KeyRightCtrl:
        rightCtrl = isDown;
        break;
    case KeyLeftAlt:
        leftAlt = isDown;
        break;
    case KeyRightAlt:
        rightAlt = isDown;
        break;
    default:
        break;
    }
    if (!set1Code(evdevCode, out.scanCode, out.extended))
        return false;
    out.altDown = leftAlt || rightAlt;
    if (evdevCode == KeyPause && (leftCtrl || rightCtrl)) {
        out.scanCode = 0x46;
        out.extended = true;
    } else if (evdevCode == KeySysRq && out.altDown) {
        out.scanCode = 0x54;
        out.extended = false;
    }
    return true;
}

std::uint32_t EvdevKeyTranslator::mouseMessageForX11Button(unsigned button, bool isDown)
{
    switch (button) {
    case 1:
        return isDown ? MouseMessage::LButtonDown : MouseMessage::LButtonUp;
    case 2:
        return isDown ? MouseMessage::MButtonDown : MouseMessage::MButtonUp;
    case 3:
        return isDown ? MouseMessage::RButtonDown : MouseMessage::RButtonUp;
    default:
        return 0;
    }
}
