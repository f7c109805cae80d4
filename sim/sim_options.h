#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Options of the virtual device (z4sim's command line, or set directly by
// the in-process VirtualMouse).
struct SimOptions
{
    QString busDirectory; // --bus DIR: where the device socket is made
    QString logFile;      // --log FILE: JSON lines, appended; empty = none
    QString secrecyCode = QStringLiteral("740352"); // --code XXXXXX
    bool keyboard = false; // --keyboard: row 0 of the device table instead of row 1
    // --cipher on|off overrides common/isEncode of the device table.
    std::optional<bool> cipher;

    // The device (see docs/virtual-devices.md).
    int sensorType = 0;  // --sensor-type 0..3: what 83H reports as the sensor
    int stageCount = 8;  // --stages 1..8: the DPI stage count 91H reports
    bool logoLed = true; // --logo-led 1|0: whether 87H type 0 reports a working logo LED
    QString firmwareVersion = QStringLiteral("1.0A"); // --fw: major.minor in hex (80H)
    QString stateFile; // --state FILE: device state kept across restarts (JSON)

    // Faults.
    bool refuseOpen = false; // --refuse-open: every open is refused
    int dropAfter = -1;      // --drop-after N: after N host reports, drop each connection
    bool muteInput = false;  // --mute-input: no input report at all (polls, acknowledges)
    int delayMs = 0;         // --delay MS: every answer comes this much later
    int shortReports = -1;   // --short-reports N: input reports cut to N bytes

    // The device socket's file name in the bus directory.
    QString socketName() const;
};

// Parses z4sim's arguments (args[0] is the program). On a bad argument
// returns nothing and sets *error to a message for the user; --help sets
// *error to the help text and *helpShown.
std::optional<SimOptions> parseSimOptions(const QStringList &args, QString *error,
                                          bool *helpShown = nullptr);
