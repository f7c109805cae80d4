#pragma once

#include <cstdint>

// Linux input event codes (as evdev and the X server's "evdev + 8" key codes
// carry them) turned into what a Windows low-level hook reports for the same
// key: the set-1 make code, the E0 flag and the Alt flag.
struct Set1Key
{
    std::uint8_t scanCode = 0;
    bool extended = false;
    bool altDown = false;
};

class EvdevKeyTranslator
{
public:
    // False for keys that have no set-1 code. Keeps track of Ctrl and Alt
    // because two keys change their code with them: Pause with Ctrl is
    // Break (E0 46), Print Screen with Alt is SysRq (54). A release that was
    // never pressed is harmless.
    bool translate(unsigned evdevCode, bool isDown, Set1Key &out);

    // The set-1 code of a key without modifiers; false when there is none.
    static bool set1Code(unsigned evdevCode, std::uint8_t &scanCode, bool &extended);

    // X11 (and evdev BTN_ order) button number -> mouse window message;
    // 0 for buttons that have none (wheel, side buttons).
    static std::uint32_t mouseMessageForX11Button(unsigned button, bool isDown);

private:
    bool leftCtrl = false;
    bool rightCtrl = false;
    bool leftAlt = false;
    bool rightAlt = false;
};
