#include "sim/keyboard_firmware.h"

#include "device/command_blocks.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

using namespace keyboardblock;
// Blocks announced as a count of reports.
constexpr int reports(int bytes)
{
    return bytes / kAnnouncedReportBytes;
}

QByteArray defaultKeyMatrix()
{
    // Entry i sends keyboard usage i (kind 00H, one key).
    QByteArray matrix(kKeyMatrixBytes, '\0');
    for (int i = 0; i < kKeyMatrixBytes / 4; ++i)
        matrix[4 * i + 2] = char(i);
    return matrix;
}

} // namespace

KeyboardFirmware::KeyboardFirmware(const KeyboardFirmwareOptions &options)
    : StatefulFirmware("keyboard", options)
{
    restoreState();
}

void KeyboardFirmware::resetDeviceState()
{
    optionBytes = {};
    sensitivity = {};
    sensitivityByIndex.clear();
    indicatorLight = {};
    ledType = {0, 1, 3, 10, 0, 0};
    mode = 0;
    keyMatrix = defaultKeyMatrix();
    keyOnOff = QByteArray(kKeyOnOffBytes, '\xFF');
    macros.clear();
    pictures.clear();
    pictureOptions.clear();
    colours.clear();
}

bool KeyboardFirmware::ignoresChecksum(uint8_t code) const
{
    // The host sends 8DH with 00H in the checksum byte, and the keyboard
    // has always taken it.
    return code == 0x8D;
}

Firmware::FrameOutcome KeyboardFirmware::handleFrame(const Frame &f)
{
    const uint8_t p1 = f.p(1);
    switch (f.code()) {
    case 0x03:
        if (!f.usesOnly({1, 2, 3, 4}))
            return unknown();
        optionBytes = {p1, f.p(2), f.p(3), f.p(4)};
        return set(f);
    case 0x04:
        if (!f.usesOnly({1, 2, 3, 4, 5}))
            return unknown();
        sensitivity = {p1, f.p(2), f.p(3), f.p(4)};
        sensitivityByIndex[f.p(5)] = sensitivity;
        return set(f);
    case 0x07:
        if (!f.usesOnly({1, 2}))
            return unknown();
        indicatorLight = {p1, f.p(2)};
        return set(f);
    case 0x08:
        ledType = {p1, f.p(2), f.p(3), f.p(4), f.p(5), f.p(6)};
        return set(f);
    case 0x09:
        if (!f.usesOnly({1}))
            return unknown();
        mode = p1;
        return set(f);
    case 0x0D:
        if (!f.usesOnly({3}) || f.p(3) != reports(kKeyMatrixBytes))
            return unknown();
        return set(f, kKeyMatrixBytes);
    case 0x0E:
        if (!f.usesOnly({3}) || f.p(3) != kKeyOnOffBytes)
            return unknown();
        return set(f, kKeyOnOffBytes);
    case 0x11:
        if (!f.usesOnly({2, 3}) || f.p(3) != reports(kMacroBytes))
            return unknown();
        return set(f, kMacroBytes);
    case 0x12:
        if (!f.usesOnly({2, 3, 4}) || f.p(3) != reports(kPictureBytes))
            return unknown();
        return set(f, kPictureBytes);
    case 0x13:
        if (!f.usesOnly({1}) || p1 != 0xFF)
            return unknown();
        resetState();
        return set(f);
    case 0x14:
        if (!f.usesOnly({2, 3, 4, 5}))
            return unknown();
        colours[f.p(2)] = {f.p(3), f.p(4), f.p(5)};
        return set(f);
    case 0x83:
        return answerPlain(f, {optionBytes[0], optionBytes[1], optionBytes[2], optionBytes[3]});
    case 0x84:
        return answerPlain(f, {sensitivity[0], sensitivity[1], sensitivity[2], sensitivity[3]});
    case 0x88:
        return answerPlain(
            f, {ledType[0], ledType[1], ledType[2], ledType[3], ledType[4], ledType[5]});
    case 0x89:
        return answerPlain(f, {mode});
    case 0x8D:
        return answerPlain(f, {}, keyMatrix);
    case 0x8E:
        return answerPlain(f, {}, keyOnOff);
    case 0x91:
        if (!f.usesOnly({2}))
            return unknown();
        return answer(f, {}, macros.value(f.p(2), QByteArray(kMacroBytes, '\0')));
    case 0x92:
        if (!f.usesOnly({2}))
            return unknown();
        return answer(f, {}, pictures.value(f.p(2), QByteArray(kPictureBytes, '\0')));
    case 0x94: {
        if (!f.usesOnly({2}))
            return unknown();
        const std::array<uint8_t, 3> rgb = colours.value(f.p(2));
        return answer(f, {0, f.p(2), rgb[0], rgb[1], rgb[2]});
    }
    default:
        return unknown();
    }
}

bool KeyboardFirmware::handleBlock(const std::array<uint8_t, 9> &setFrame, const QByteArray &block)
{
    switch (setFrame[1]) {
    case 0x0D:
        keyMatrix = block;
        return true;
    case 0x0E:
        keyOnOff = block;
        return true;
    case 0x11:
        macros[setFrame[3]] = block;
        return true;
    case 0x12:
        pictures[setFrame[3]] = block;
        pictureOptions[setFrame[3]] = setFrame[5];
        return true;
    default:
        return false;
    }
}

void KeyboardFirmware::saveDeviceState(QJsonObject &state) const
{
    using namespace statejson;
    const auto byteArray = [](const auto &bytes) { return bytesToJson(bytes); };
    const auto hex = [](const QByteArray &block) { return blockToHex(block); };

    state.insert(QLatin1String("options"), bytesToJson(optionBytes));
    state.insert(QLatin1String("sensitivity"), bytesToJson(sensitivity));
    state.insert(QLatin1String("sensitivityByIndex"), writeMap(sensitivityByIndex, byteArray));
    state.insert(QLatin1String("indicatorLight"), bytesToJson(indicatorLight));
    state.insert(QLatin1String("ledType"), bytesToJson(ledType));
    state.insert(QLatin1String("mode"), mode);
    state.insert(QLatin1String("keyMatrix"), blockToHex(keyMatrix));
    state.insert(QLatin1String("keyOnOff"), blockToHex(keyOnOff));
    state.insert(QLatin1String("macros"), writeMap(macros, hex));
    state.insert(QLatin1String("pictures"), writeMap(pictures, hex));
    state.insert(QLatin1String("pictureOptions"),
                 writeMap(pictureOptions, [](uint8_t option) { return QJsonValue(option); }));
    state.insert(QLatin1String("colours"), writeMap(colours, byteArray));
}

void KeyboardFirmware::loadDeviceState(const QJsonObject &state)
{
    using namespace statejson;
    const auto byteArray = [](const QJsonValue &value, auto &bytes) {
        return readBytes(value, bytes);
    };
    const auto blockOf = [](int length) {
        return [length](const QJsonValue &value, QByteArray &block) {
            block = blockFromHex(value, length);
            return !block.isEmpty();
        };
    };

    readBytes(state.value(QLatin1String("options")), optionBytes);
    readBytes(state.value(QLatin1String("sensitivity")), sensitivity);
    readMap(state.value(QLatin1String("sensitivityByIndex")), sensitivityByIndex, byteArray);
    readBytes(state.value(QLatin1String("indicatorLight")), indicatorLight);
    readBytes(state.value(QLatin1String("ledType")), ledType);
    readByte(state, "mode", mode);
    readBlock(state.value(QLatin1String("keyMatrix")), keyMatrix);
    readBlock(state.value(QLatin1String("keyOnOff")), keyOnOff);
    readMap(state.value(QLatin1String("macros")), macros, blockOf(kMacroBytes));
    readMap(state.value(QLatin1String("pictures")), pictures, blockOf(kPictureBytes));
    readMap(state.value(QLatin1String("pictureOptions")), pictureOptions,
            [](const QJsonValue &value, uint8_t &option) {
                const int v = value.toInt(-1);
                option = uint8_t(v);
                return v >= 0 && v <= 255;
            });
    readMap(state.value(QLatin1String("colours")), colours, byteArray);
}
