#include "backend/settings/keyboard_settings.h"

#include "device/hid_thread.h"

using namespace settingvalues;

namespace {

const QString kLedTypeKey = QStringLiteral("color/ledType");
const QString kColourKey = QStringLiteral("color/");

// The profile keeps keys 0..125; the last two entries of the block are sent
// but not recorded.
constexpr int kRecordedKeys = 126;
// Lengths of the stored lists a page reads back.
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

void KeyboardSettings::setLedType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                                  uchar direction)
{
    live().setValue(kLedTypeKey,
                    QVariantList{int(effect), int(speed), int(light), int(color), int(direction)});

    hid.hid_08H_SetLEDType(option, effect, speed, light, color, direction);
}

QVariantList KeyboardSettings::ledType()
{
    return storedList(live(), kLedTypeKey, kLedTypeValues);
}

void KeyboardSettings::setKeyMatrix(const QVariantList &page)
{
    recordKeys(live(), keyDefinitionPrefix(), page, kRecordedKeys);

    std::vector<uchar> block = bytesOf(page, keyboardblock::kKeyMatrixBytes);
    hid.hid_0DH_SetKeyMatrix(block.data());
}

void KeyboardSettings::setKeyOnOff(const QVariantList &page)
{
    std::vector<uchar> block = bytesOf(page, keyboardblock::kKeyOnOffBytes);
    hid.hid_0EH_SetKeyOnOff(block.data());
}

void KeyboardSettings::setUserPicture(uchar index, uchar option, const QVariantList &picture)
{
    live().setValue(userPictureKey(index), picture);

    if (option == kPictureOnlyRecorded)
        return;
    std::vector<uchar> block = bytesOf(picture, keyboardblock::kPictureBytes);
    hid.hid_12H_SetUserPicture(index, option, block.data());
}

QVariantList KeyboardSettings::userPicture(uchar index)
{
    return storedList(live(), userPictureKey(index), keyboardblock::kPictureBytes);
}

void KeyboardSettings::setColour(uchar index, uchar red, uchar green, uchar blue)
{
    live().setValue(kColourKey + QString::number(index),
                    QVariantList{int(red), int(green), int(blue)});

    hid.hid_14H_SetColor(index, red, green, blue);
}

QVariantList KeyboardSettings::colour(uchar index)
{
    return storedList(live(), kColourKey + QString::number(index), kRgb);
}
