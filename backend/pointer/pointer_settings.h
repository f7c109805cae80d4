#pragma once

#include <array>
#include <memory>

// The operating system's pointer preferences, in the units of the Windows
// SystemParametersInfo calls (the page's scale is translated by
// PointerSettingsService). One implementation per platform, chosen by CMake:
//  - Windows: SystemParametersInfoW, each change stored in the user's profile
//    and broadcast (SPIF_UPDATEINIFILE | SPIF_SENDCHANGE).
//  - Linux: the desktop's own settings where it has them (GNOME's GSettings);
//    a setting the desktop lacks reports failure.
// Every call returns false when the system refused it or has no such
// setting; nothing throws. Kept free of Qt so the Windows file builds with a
// plain Win32 toolchain.
class PointerSettings
{
public:
    // The SPI_GETMOUSE/SPI_SETMOUSE array: two thresholds, then acceleration
    // (non-zero = on).
    using MouseParams = std::array<int, 3>;

    virtual ~PointerSettings() = default;

    // Pointer speed 1 … 20 (SPI_SETMOUSESPEED).
    virtual bool setMouseSpeed(unsigned speed) = 0;
    // Lines scrolled per wheel notch (SPI_SETWHEELSCROLLLINES).
    virtual bool setWheelScrollLines(unsigned lines) = 0;
    // Double-click time in milliseconds (SPI_SETDOUBLECLICKTIME).
    virtual bool setDoubleClickTime(unsigned ms) = 0;
    virtual bool getMouse(MouseParams &params) = 0;
    virtual bool setMouse(const MouseParams &params) = 0;
};

// The platform's implementation.
std::unique_ptr<PointerSettings> createSystemPointerSettings();
