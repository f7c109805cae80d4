#include "backend/settings/press_gun_operation.h"

#include "device/hid_thread.h"

namespace {

constexpr uchar kPressGunEnabledBit = 0x08;

} // namespace

void PressGunOperation::z4_0CH_SetPressGun(uchar xOffset, uchar yOffset, uchar times, uchar enable,
                                           uchar cursorBack, uchar slot)
{
    // The four-value 83H keeps its outputs when the read fails: start them at
    // 0 so a failed read cannot send stray option bits back with 03H.
    uchar type = 0, rate = 0, option1 = 0, option2 = 0;
    hid.hid_83H_GetKeyboardoption(type, rate, option1, option2);

    if (enable != 0)
        option2 |= kPressGunEnabledBit;
    else
        option2 &= uchar(~kPressGunEnabledBit);
    hid.hid_03H_SetKeyboardoption(type, rate, option1, option2);

    // Whenever option1 is not 0 the mouse expects the vertical offset
    // negated (two's complement).
    const uchar vertical = option1 != 0 ? uchar(-yOffset) : yOffset;
    hid.hid_04H_SetButtonSensitivity(cursorBack, times, xOffset, vertical, slot);
}
