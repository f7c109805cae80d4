#include "backend/settings/keyboard_settings.h"

#include "device/hid_thread.h"

#include <array>

using namespace settingvalues;

namespace {

const QString kKeydefineKey = QStringLiteral("keydefine/");
const QString kLedTypeKey = QStringLiteral("color/ledType");
const QString kColourKey = QStringLiteral("color/");

constexpr int kKeyMatrixBytes = 512;
// The profile keeps keys 0..125; the last two entries of the block are sent
// but not recorded.
constexpr int kRecordedKeys = 126;
constexpr int kKeyOnOffBytes = 21;
constexpr int kMacroBytes = 192;
constexpr int kPictureBytes = 512;
constexpr int kLedTypeValues = 5; // effect, speed, light, colour, direction
constexpr int kRgb = 3;
// A picture with this option is only kept in the profile.
constexpr uchar kPictureOnlyRecorded = 0xFF;

} // namespace

KeyboardSettings::KeyboardSettings(Hid_Thread &hid, std::function<QSettings &()> liveProfile)
    : hid(hid), liveProfile(std::move(liveProfile))
{
}

QString KeyboardSettings::userPictureKey(int index)
{
    return QStringLiteral("userPicture/") + QString::number(index);
}

// ------------------------------------------------------------------ sets

void KeyboardSettings::ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    hid.hid_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

void KeyboardSettings::ui_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3,
                                                   uchar sens4, uchar index)
{
    hid.hid_04H_SetButtonSensitivity(sens1, sens2, sens3, sens4, index);
}

void KeyboardSettings::ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
{
    hid.hid_07H_SetControlIndicatorLight(effect, frequenty);
}

void KeyboardSettings::ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light,
                                         uchar color, uchar direction)
{
    live().setValue(kLedTypeKey,
                    QVariantList{int(effect), int(speed), int(light), int(color), int(direction)});

    hid.hid_08H_SetLEDType(option, effect, speed, light, color, direction);
}

void KeyboardSettings::ui_09H_SetKeyboardMode(uchar mode)
{
    hid.hid_09H_SetKeyboardMode(mode);
}

void KeyboardSettings::ui_0DH_SetKeyMatrix(const QVariantList &src512)
{
    recordKeys(live(), kKeydefineKey, src512, kRecordedKeys);

    std::vector<uchar> block = bytesOf(src512, kKeyMatrixBytes);
    hid.hid_0DH_SetKeyMatrix(block.data());
}

void KeyboardSettings::ui_0EH_SetKeyOnOff(const QVariantList &src21)
{
    std::vector<uchar> block = bytesOf(src21, kKeyOnOffBytes);
    hid.hid_0EH_SetKeyOnOff(block.data());
}

void KeyboardSettings::ui_12H_SetUserPicture(uchar index, uchar option, const QVariantList &src512)
{
    live().setValue(userPictureKey(index), src512);

    if (option == kPictureOnlyRecorded)
        return;
    std::vector<uchar> block = bytesOf(src512, kPictureBytes);
    hid.hid_12H_SetUserPicture(index, option, block.data());
}

void KeyboardSettings::ui_13H_SetRecoveryData()
{
    hid.hid_13H_SetRecoveryData();
}

void KeyboardSettings::ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    live().setValue(kColourKey + QString::number(index),
                    QVariantList{int(rValue), int(gValue), int(bValue)});

    hid.hid_14H_SetColor(index, rValue, gValue, bValue);
}

// ---------------------------------------------------------- device reads
// The commands hand back the caller's own values when the exchange fails,
// so every output starts at 0.

QVariantList KeyboardSettings::ui_83H_GetKeyboardoption()
{
    std::array<uchar, 4> b{};
    hid.hid_83H_GetKeyboardoption(b[0], b[1], b[2], b[3]);
    return intList(b.data(), int(b.size()));
}

QVariantList KeyboardSettings::ui_84H_GetButtonSensitivity()
{
    std::array<uchar, 4> s{};
    hid.hid_84H_GetButtonSensitivity(s[0], s[1], s[2], s[3]);
    return intList(s.data(), int(s.size()));
}

QVariant KeyboardSettings::ui_89H_GetKeyboardMode()
{
    uchar mode = 0;
    hid.hid_89H_GetKeyboardMode(mode);
    return int(mode);
}

QVariantList KeyboardSettings::ui_8DH_GetKeyMatrix()
{
    std::array<uchar, kKeyMatrixBytes> block{};
    hid.hid_8DH_GetKeyMatrix(block.data());
    return intList(block.data(), int(block.size()));
}

QVariantList KeyboardSettings::ui_8EH_GetKeyOnOff()
{
    std::array<uchar, kKeyOnOffBytes> block{};
    hid.hid_8EH_GetKeyOnOff(block.data());
    return intList(block.data(), int(block.size()));
}

QVariantList KeyboardSettings::ui_91H_GetMacroKey(uchar macroId)
{
    std::array<uchar, kMacroBytes> block{};
    hid.hid_91H_GetMacroKey(macroId, block.data());
    return intList(block.data(), int(block.size()));
}

// --------------------------------------------------------- profile reads

QVariantList KeyboardSettings::ui_88H_GetLEDType()
{
    return storedList(live(), kLedTypeKey, kLedTypeValues);
}

QVariantList KeyboardSettings::ui_92H_GetUserPicture(uchar index)
{
    return storedList(live(), userPictureKey(index), kPictureBytes);
}

QVariantList KeyboardSettings::ui_94H_GetColor(uchar index)
{
    return storedList(live(), kColourKey + QString::number(index), kRgb);
}
