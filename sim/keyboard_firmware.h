#pragma once

#include "sim/stateful_firmware.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <array>
#include <cstdint>

using KeyboardFirmwareOptions = StatefulFirmwareOptions;

// The keyboard's side of the command set (z4sim --keyboard):
//   01/81 report rate      02/82 profile          80 firmware version
//   03/83 option bytes     04/84 sensitivities    07 indicator light
//   08/88 LED type         09/89 keyboard mode    0D/8D key matrix (512)
//   0E/8E key on/off (21)  11/91 macro (192)      12/92 user picture (512)
//   13 recovery (back to the state of a new keyboard)  14/94 colour by index
class KeyboardFirmware : public StatefulFirmware
{
public:
    explicit KeyboardFirmware(const KeyboardFirmwareOptions &options = {});

protected:
    void saveDeviceState(QJsonObject &state) const override;
    void loadDeviceState(const QJsonObject &state) override;
    void resetDeviceState() override;
    bool ignoresChecksum(uint8_t code) const override;
    FrameOutcome handleFrame(const Frame &frame) override;
    bool handleBlock(const std::array<uint8_t, 9> &setFrame, const QByteArray &block) override;

private:
    std::array<uint8_t, 4> optionBytes{};
    std::array<uint8_t, 4> sensitivity{}; // of the last 04H, whatever its index
    QMap<uint8_t, std::array<uint8_t, 4>> sensitivityByIndex;
    std::array<uint8_t, 2> indicatorLight{};
    std::array<uint8_t, 6> ledType{}; // option, effect, speed, light, color, direction
    uint8_t mode = 0;
    QByteArray keyMatrix;               // 512
    QByteArray keyOnOff;                // 21
    QMap<uint8_t, QByteArray> macros;   // 192 each
    QMap<uint8_t, QByteArray> pictures; // 512 each
    QMap<uint8_t, uint8_t> pictureOptions;
    QMap<uint8_t, std::array<uint8_t, 3>> colours;
};
