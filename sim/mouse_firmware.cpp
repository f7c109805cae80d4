#include "sim/mouse_firmware.h"

#include "device/command_blocks.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

using namespace mouseblock;

QByteArray defaultPalette()
{
    // Red, green, blue, magenta, cyan, yellow, white, orange.
    static const uint8_t rgb[kColourBytes] = {255, 0,   0,   0,   255, 0,   0,   0,
                                              255, 255, 0,   255, 0,   255, 255, 255,
                                              255, 0,   255, 255, 255, 255, 127, 0};
    return QByteArray(reinterpret_cast<const char *>(rgb), sizeof rgb);
}

QByteArray defaultKeyMatrix()
{
    // Left, right, middle, backward, forward, DPI cycle; the rest disabled.
    QByteArray matrix(kKeyMatrixBytes, '\0');
    const uint8_t entries[6][4] = {{0x01, 0, 0xF0, 0}, {0x01, 0, 0xF1, 0}, {0x01, 0, 0xF2, 0},
                                   {0x01, 0, 0xF3, 0}, {0x01, 0, 0xF4, 0}, {0x07, 0, 0x03, 0}};
    for (int i = 0; i < 6; ++i)
        for (int b = 0; b < 4; ++b)
            matrix[4 * i + b] = char(entries[i][b]);
    return matrix;
}

} // namespace

MouseFirmware::MouseFirmware(const MouseFirmwareOptions &options)
    : StatefulFirmware("mouse", options), options(options)
{
    restoreState();
}

void MouseFirmware::resetDeviceState()
{
    option1 = 0;
    option2 = 0;
    dpiStage = 1;
    ledEffect = {1, 10, 2};
    ledInstruct.clear();
    pressGun.clear();
    colours[0] = defaultPalette();
    colours[1] = defaultPalette();
    colours[2] = QByteArray::fromHex("10325476");
    stageBytes = QByteArray::fromHex("020406080a0c0e10");
    for (QByteArray &matrix : keyMatrices)
        matrix = defaultKeyMatrix();
    for (QByteArray &macro : macros)
        macro = QByteArray(kMacroBytes, '\0');
}

Firmware::FrameOutcome MouseFirmware::handleFrame(const Frame &f)
{
    const uint8_t p1 = f.p(1);
    switch (f.code()) {
    case 0x03:
        // The sensor type is the hardware's; the host only echoes it back.
        if (!f.usesOnly({1, 2, 3, 4}))
            return unknown();
        reportRate = f.p(2);
        option1 = f.p(3);
        option2 = f.p(4);
        return set(f);
    case 0x04:
        if (!f.usesOnly({1, 2, 3, 4, 5}))
            return unknown();
        pressGun[f.p(5)] = {p1, f.p(2), f.p(3), f.p(4)};
        return set(f);
    case 0x07:
        if (!f.usesOnly({1, 2, 3, 4}))
            return unknown();
        ledInstruct[p1] = {f.p(2), f.p(3), f.p(4)};
        return set(f);
    case 0x0B:
        if (!f.usesOnly({1}))
            return unknown();
        dpiStage = p1;
        return set(f);
    case 0x0D:
        if (!f.usesOnly({1, 2, 3}))
            return unknown();
        ledEffect = {p1, f.p(2), f.p(3)};
        return set(f);
    case 0x10:
        if (!f.usesOnly({1, 2}) || p1 > 2 || f.p(2) != colourBytes(p1))
            return unknown();
        return set(f, colourBytes(p1));
    case 0x11:
        if (!f.usesOnly({1, 2}) || f.p(2) != kStageBytes)
            return unknown();
        return set(f, kStageBytes);
    case 0x12:
        if (!f.usesOnly({1, 2, 3}) || p1 < 1 || p1 > kKeyMatrices || f.p(2) != kKeyMatrixBytes ||
            f.p(3) != 0x08)
            return unknown();
        return set(f, kKeyMatrixBytes);
    case 0x13:
        if (!f.usesOnly({1, 2}) || p1 < 1 || p1 > kMacros || f.p(2) != kMacroBytes)
            return unknown();
        return set(f, kMacroBytes);
    case 0x83:
        return answerPlain(f, {options.sensorType, reportRate, option1, option2});
    case 0x87: {
        if (!f.usesOnly({1}))
            return unknown();
        std::array<uint8_t, 3> values = ledInstruct.value(p1);
        // Type 0's first option tells whether the logo LED is fitted and
        // working (0) or not.
        if (p1 == 0)
            values[0] = options.logoLedWorks ? 0 : 1;
        return answer(f, {p1, values[0], values[1], values[2]});
    }
    case 0x8B:
        return answerPlain(f, {dpiStage});
    case 0x8D:
        return answerPlain(f, {ledEffect[0], ledEffect[1], ledEffect[2]});
    case 0x90:
        if (!f.usesOnly({1}) || p1 > 2)
            return unknown();
        return answer(f, {}, colours[p1]);
    case 0x91:
        return answerPlain(f, {options.stageCount}, stageBytes);
    case 0x92:
        if (!f.usesOnly({1}) || p1 < 1 || p1 > kKeyMatrices)
            return unknown();
        return answer(f, {}, keyMatrices[p1 - 1]);
    case 0x93:
        if (!f.usesOnly({1}) || p1 < 1 || p1 > kMacros)
            return unknown();
        return answer(f, {}, macros[p1 - 1]);
    default:
        return unknown();
    }
}

bool MouseFirmware::handleBlock(const std::array<uint8_t, 9> &setFrame, const QByteArray &block)
{
    const uint8_t p1 = setFrame[2];
    switch (setFrame[1]) {
    case 0x10:
        colours[p1] = block;
        return true;
    case 0x11:
        stageBytes = block;
        return true;
    case 0x12:
        keyMatrices[p1 - 1] = block;
        return true;
    case 0x13:
        macros[p1 - 1] = block;
        return true;
    default:
        return false;
    }
}

void MouseFirmware::saveDeviceState(QJsonObject &state) const
{
    using namespace statejson;
    const auto blocks = [](const auto &list) {
        QJsonArray array;
        for (const QByteArray &block : list)
            array.append(blockToHex(block));
        return array;
    };
    const auto byteArray = [](const auto &bytes) { return bytesToJson(bytes); };

    state.insert(QLatin1String("option1"), option1);
    state.insert(QLatin1String("option2"), option2);
    state.insert(QLatin1String("dpiStage"), dpiStage);
    state.insert(QLatin1String("ledEffect"), bytesToJson(ledEffect));
    state.insert(QLatin1String("ledInstruct"), writeMap(ledInstruct, byteArray));
    state.insert(QLatin1String("pressGun"), writeMap(pressGun, byteArray));
    state.insert(QLatin1String("colours"), blocks(colours));
    state.insert(QLatin1String("stages"), blockToHex(stageBytes));
    state.insert(QLatin1String("keyMatrices"), blocks(keyMatrices));
    state.insert(QLatin1String("macros"), blocks(macros));
}

void MouseFirmware::loadDeviceState(const QJsonObject &state)
{
    using namespace statejson;
    const auto readBlocks = [](const QJsonValue &value, auto &list) {
        const QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size() && i < qsizetype(list.size()); ++i)
            readBlock(array[i], list[size_t(i)]);
    };
    const auto byteArray = [](const QJsonValue &value, auto &bytes) {
        return readBytes(value, bytes);
    };

    readByte(state, "option1", option1);
    readByte(state, "option2", option2);
    readByte(state, "dpiStage", dpiStage);
    readBytes(state.value(QLatin1String("ledEffect")), ledEffect);
    readMap(state.value(QLatin1String("ledInstruct")), ledInstruct, byteArray);
    readMap(state.value(QLatin1String("pressGun")), pressGun, byteArray);
    readBlocks(state.value(QLatin1String("colours")), colours);
    readBlock(state.value(QLatin1String("stages")), stageBytes);
    readBlocks(state.value(QLatin1String("keyMatrices")), keyMatrices);
    readBlocks(state.value(QLatin1String("macros")), macros);
}
