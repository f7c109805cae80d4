#pragma once

#include "backend/settings/setting_values.h"

#include <QVariant>
#include <QVariantList>
#include <functional>

class Hid_Thread;

// The keyboard's setting operations. Same pattern as the mouse's: a setter
// records in the live profile first, then sends; a getter of a recorded
// setting reads the profile; a getter of device-only data reads the device
// (zeros when the read fails). Keyboard keys carry no product suffix
// ("keydefine/", "color/", "userPicture/").
class KeyboardSettings
{
public:
    KeyboardSettings(Hid_Thread &hid, std::function<QSettings &()> liveProfile);

    // Setters.
    void ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void ui_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                     uchar index);
    void ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty);
    void ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                           uchar direction);
    void ui_09H_SetKeyboardMode(uchar mode);
    void ui_0DH_SetKeyMatrix(const QVariantList &src512);
    void ui_0EH_SetKeyOnOff(const QVariantList &src21);
    void ui_12H_SetUserPicture(uchar index, uchar option, const QVariantList &src512);
    void ui_13H_SetRecoveryData();
    void ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue);

    // Device reads.
    QVariantList ui_83H_GetKeyboardoption();
    QVariantList ui_84H_GetButtonSensitivity();
    QVariant ui_89H_GetKeyboardMode();
    QVariantList ui_8DH_GetKeyMatrix();
    QVariantList ui_8EH_GetKeyOnOff();
    QVariantList ui_91H_GetMacroKey(uchar macroId);

    // Profile reads.
    QVariantList ui_88H_GetLEDType();
    QVariantList ui_92H_GetUserPicture(uchar index);
    QVariantList ui_94H_GetColor(uchar index);

    // The key "userPicture/<index>" that syncFW also fills.
    static QString userPictureKey(int index);

private:
    QSettings &live() { return liveProfile(); }

    Hid_Thread &hid;
    std::function<QSettings &()> liveProfile;
};
