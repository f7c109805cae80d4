#include "backend/settings/press_gun_operation.h"

#include "device/hid_thread.h"

namespace {

constexpr uchar kPressGunEnabledBit = 0x08;

} // namespace

bool PressGunOperation::send(uchar xOffset, uchar yOffset, uchar times, uchar enable,
                             uchar cursorBack, uchar slot)
{
    // 03H and the sign of the offset depend on what the mouse holds: without
    // a good read there is nothing true to send.
    uchar type = 0, rate = 0, option1 = 0, option2 = 0;
    hid.hid_83H_GetKeyboardoption(type, rate, option1, option2);
    if (!hid.lastGetOutcome().ok())
        return false;

    if (enable != 0)
        option2 |= kPressGunEnabledBit;
    else
        option2 &= uchar(~kPressGunEnabledBit);
    hid.hid_03H_SetKeyboardoption(type, rate, option1, option2);

    // Whenever option1 is not 0 the mouse expects the vertical offset
    // negated (two's complement).
    const uchar vertical = option1 != 0 ? uchar(-yOffset) : yOffset;
    hid.hid_04H_SetButtonSensitivity(cursorBack, times, xOffset, vertical, slot);
    return true;
}
