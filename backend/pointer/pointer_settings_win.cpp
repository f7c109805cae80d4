#include "backend/pointer/pointer_settings.h"

#include <cstdint>
#include <windows.h>

namespace {

constexpr UINT kStoreAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

class WindowsPointerSettings final : public PointerSettings
{
public:
    bool setMouseSpeed(unsigned speed) override
    {
        // This action takes the speed itself in pvParam, not a pointer to it.
        return SystemParametersInfoW(SPI_SETMOUSESPEED, 0,
                                     reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(speed)),
                                     kStoreAndBroadcast) != FALSE;
    }

    bool setWheelScrollLines(unsigned lines) override
    {
        return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, kStoreAndBroadcast) !=
               FALSE;
    }

    bool setDoubleClickTime(unsigned ms) override
    {
        return SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, ms, nullptr, kStoreAndBroadcast) !=
               FALSE;
    }

    bool getMouse(MouseParams &params) override
    {
        int values[3] = {};
        if (!SystemParametersInfoW(SPI_GETMOUSE, 0, values, 0)) {
            return false;
        }
        params = {values[0], values[1], values[2]};
        return true;
    }

    bool setMouse(const MouseParams &params) override
    {
        int values[3] = {params[0], params[1], params[2]};
        return SystemParametersInfoW(SPI_SETMOUSE, 0, values, kStoreAndBroadcast) != FALSE;
    }
};

} // namespace

std::unique_ptr<PointerSettings> createSystemPointerSettings()
{
    return std::make_unique<WindowsPointerSettings>();
}
