#pragma once

#include "backend/settings/setting_values.h"

#include <QVariant>
#include <QVariantList>
#include <functional>

class Hid_Thread;

// The keyboard's setting operations that keep a value in the live profile:
// a setter records first, then sends; a getter reads the profile. Keyboard
// keys carry no product suffix ("keydefine/", "color/", "userPicture/").
// The keyboard's other commands pass their values straight through and its
// device reads need nothing but the command, so they have no operation
// here.
class KeyboardSettings
{
public:
    KeyboardSettings(Hid_Thread &hid, std::function<QSettings &()> liveProfile);

    // option is sent but not recorded.
    void setLedType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                    uchar direction);
    QVariantList ledType();
    // Records keys 0..125 and sends the whole block.
    void setKeyMatrix(const QVariantList &page);
    // Records nothing; converts the page's list for the device.
    void setKeyOnOff(const QVariantList &page);
    // Option FFH only records the picture.
    void setUserPicture(uchar index, uchar option, const QVariantList &picture);
    QVariantList userPicture(uchar index);
    void setColour(uchar index, uchar red, uchar green, uchar blue);
    QVariantList colour(uchar index);

    // The key "userPicture/<index>" that syncFW also fills.
    static QString userPictureKey(int index);
    // Keyboard key i is recorded under this followed by i.
    static QString keyDefinitionPrefix() { return QStringLiteral("keydefine/"); }

private:
    QSettings &live() { return liveProfile(); }

    Hid_Thread &hid;
    std::function<QSettings &()> liveProfile;
};
