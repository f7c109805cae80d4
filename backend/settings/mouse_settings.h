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
// rate, profile switch, key definitions).
//
// A setter records the page's value in the live profile first and only then
// starts the device command, so the profile holds the value even when the
// device is gone. Getters of recorded settings read the profile; the
// getters here that read the device give what a failed read leaves.
class MouseSettings
{
public:
    // prompts may be null: the left-button question then answers Cancel.
    // msgStrings gives the six message strings of the current language.
    MouseSettings(Hid_Thread &hid, ProfileAccess profile, SlotRecordSource slotRecords,
                  UserPrompts *prompts = nullptr, std::function<QStringList()> msgStrings = {});

    // --- both devices
    // Only the mouse's rate is a profile value; the keyboard keeps its own.
    void setReportRate(uchar rate);
    QVariant reportRate();
    // Makes another of the ten profiles the live one. The mouse keeps no
    // profiles of its own; the keyboard is told.
    void selectProfile(int index);
    // The recorded entry of one key of the current device.
    QVariantList keyDefinition(const QVariant &key);

    // --- mouse
    // The logo LED is fitted and working.
    bool logoLedWorks();
    // How many DPI stages the mouse offers; 8 when it does not say.
    uchar stageCount();
    // Asks before the left button's function is given away (message
    // strings 4 and 5); false keeps the assignment.
    bool confirmLeftButtonChange();
    // Records the swap, then sends it with the mouse's other options as
    // read back; false (nothing sent) when that read failed.
    bool setScrollSwap(bool isSwap);
    bool scrollSwap();
    void setCurrentDpiStage(uchar stage);
    QVariant currentDpiStage();
    // pageValues: what the lighting page shows (effect, brightness, speed).
    void setLedEffect(uchar effect, uchar option1, uchar option2, const QVariantList &pageValues);
    QVariantList ledEffect();
    // Type 0 the lighting palette, 1 the stage colours (RGB), 2 the stage
    // colour indices.
    void setColours(uchar type, const QVariantList &values);
    QVariantList colours(uchar type);
    // stageBytes go to the mouse; dpiValues, as the page shows them, to the
    // profile.
    void setDpiStages(uchar stageCount, const QVariantList &stageBytes,
                      const QVariantList &dpiValues);
    QVariantList dpiValues();
    // The button page's 16 entries, and the press-gun matrices they need.
    void setKeyMatrix(const QVariantList &page);

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
