// Built only by the Windows cross-check: links the Windows pointer settings
// against user32 to prove the calls and their argument types are right.
#include "backend/pointer/pointer_settings.h"

int main()
{
    const auto settings = createSystemPointerSettings();
    PointerSettings::MouseParams params{};
    if (!settings->getMouse(params)) {
        return 1;
    }
    return settings->setMouse(params) && settings->setMouseSpeed(10) &&
                   settings->setWheelScrollLines(3) && settings->setDoubleClickTime(500)
               ? 0
               : 1;
}
