#pragma once

#include "backend/settings/setting_values.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <functional>

class Hid_Thread;
class UserPrompts;

// The mouse's setting operations, and those both devices share (report
// rate, profile switch, firmware version, current profile, key definitions).
//
// A setter records the page's value in the live profile first and only then
// starts the device command, so the profile holds the value even when the
// device is gone. Getters of recorded settings read the profile; getters of
// device-only data read the device and give zeros when the read fails.
class MouseSettings
{
public:
    static constexpr int kKeyboard = 0;
    static constexpr int kMouse = 1;

    // prompts may be null: the fool-proofing question then answers Cancel.
    // msgStrings gives the six message strings of the current language.
    MouseSettings(Hid_Thread &hid, ProfileAccess profile, SlotRecordSource slotRecords,
                  UserPrompts *prompts = nullptr, std::function<QStringList()> msgStrings = {});

    // --- both devices
    void ui_01H_SetReportRate(uchar rate);
    void ui_02H_SetCurrentProfile(int profile);
    QString ui_80H_GetFWVersion();
    QVariant ui_81H_GetReportRate();
    QVariant ui_82H_GetCurrentProfile();
    QVariantList getKeydefine(const QVariant &matrixId);

    // --- mouse
    QVariant getSensorType();
    bool chkIsLogoLedWork();
    bool getMsgAns_FoolProofing();
    // Records the swap, then sends it with the mouse's other options as
    // read back; false (nothing sent) when that read failed.
    bool setScrollPinSwap(bool isSwap);
    bool getScrollPinSwap();
    void ui_0BH_SetCurrentDPIStage(uchar dpiStage);
    void ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2,
                                const QVariantList &configs);
    void ui_10H_SetLED8StageColor(uchar type, const QVariantList &src24);
    void ui_11H_SetDPISet(uchar dpiStage, const QVariantList &src8,
                          const QVariantList &valueForIndex);
    void ui_12H_SetKeyMatrix(const QVariantList &src64);
    QVariant ui_8BH_GetCurrentDPIStage();
    QVariantList ui_8DH_GetRGBLedEffect();
    QVariantList ui_90H_GetLED8StageColor(uchar type);
    uchar ui_91H_SyncDPI();
    QVariantList ui_91H_GetDPISet();
    QVariantList ui_92H_GetKeyMatrix();
    QVariantList ui_93H_GetMacroKey(uchar macroId);

private:
    QSettings &live() { return profile.live(); }
    bool onKeyboard() const;
    bool onMouse() const;

    Hid_Thread &hid;
    ProfileAccess profile;
    SlotRecordSource slotRecords;
    UserPrompts *prompts;
    std::function<QStringList()> msgStrings;
};
