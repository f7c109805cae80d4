#include "sim/firmware_factory.h"

#include "sim/keyboard_firmware.h"
#include "sim/mouse_firmware.h"
#include "sim/stateful_firmware.h"

#include <algorithm>

std::unique_ptr<Firmware> createFirmware(const SimOptions &options)
{
    // Options set in code are not checked by the parser: an unreadable
    // version keeps the default, counts are brought into range.
    uint8_t major = 0x01;
    uint8_t minor = 0x0A;
    if (!parseFirmwareVersion(options.firmwareVersion, major, minor)) {
        major = 0x01;
        minor = 0x0A;
    }

    if (options.keyboard) {
        KeyboardFirmwareOptions keyboard;
        keyboard.fwMajor = major;
        keyboard.fwMinor = minor;
        keyboard.stateFile = options.stateFile;
        return std::make_unique<KeyboardFirmware>(keyboard);
    }
    MouseFirmwareOptions mouse;
    mouse.sensorType = uint8_t(std::clamp(options.sensorType, 0, 3));
    mouse.stageCount = uint8_t(std::clamp(options.stageCount, 1, 8));
    mouse.logoLedWorks = options.logoLed;
    mouse.fwMajor = major;
    mouse.fwMinor = minor;
    mouse.stateFile = options.stateFile;
    return std::make_unique<MouseFirmware>(mouse);
}
