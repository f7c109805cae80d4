#pragma once

#include "sim/stateful_firmware.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <array>
#include <cstdint>

// What the virtual mouse is built with (z4sim's options).
struct MouseFirmwareOptions : StatefulFirmwareOptions
{
    uint8_t sensorType = 0;   // --sensor-type: R2 of 83H, whatever 03H sends
    uint8_t stageCount = 8;   // --stages: R2 of 91H
    bool logoLedWorks = true; // --logo-led: 87H type 0 answers option1 = 0
};

// The mouse's side of the command set: keeps what each set writes and gives
// it back on the matching get.
//   01/81 report rate         02/82 profile           80 firmware version
//   03/83 function options    04 press-gun slot       07/87 LED instruct by type
//   0B/8B current DPI stage   0D/8D LED effect        10/90 colour block by type
//   11/91 DPI stage bytes     12/92 key matrix 1..4   13/93 macro block 1..12
class MouseFirmware : public StatefulFirmware
{
public:
    static constexpr int kKeyMatrices = 4;
    static constexpr int kMacros = 12;

    explicit MouseFirmware(const MouseFirmwareOptions &options = {});

    // The last 04H of a slot: P1..P4 (pointer return, times, x, y); the
    // mouse has no command that reads them back.
    std::array<uint8_t, 4> pressGunSlot(uint8_t slot) const { return pressGun.value(slot); }

protected:
    void saveDeviceState(QJsonObject &state) const override;
    void loadDeviceState(const QJsonObject &state) override;
    void resetDeviceState() override;
    FrameOutcome handleFrame(const Frame &frame) override;
    bool handleBlock(const std::array<uint8_t, 9> &setFrame, const QByteArray &block) override;

private:
    MouseFirmwareOptions options;

    uint8_t option1 = 0;
    uint8_t option2 = 0;
    uint8_t dpiStage = 1;
    std::array<uint8_t, 3> ledEffect{};
    QMap<uint8_t, std::array<uint8_t, 3>> ledInstruct;
    QMap<uint8_t, std::array<uint8_t, 4>> pressGun;
    std::array<QByteArray, 3> colours;                // by type: 24, 24, 4 bytes
    QByteArray stageBytes;                            // 8
    std::array<QByteArray, kKeyMatrices> keyMatrices; // index 1..4, 64 each
    std::array<QByteArray, kMacros> macros;           // id 1..12, 128 each
};
