#pragma once

#include <QList>
#include <QString>
#include <cstdint>

// One row of the device table ":/DevInfo.ini".
struct DevInfo
{
    int type = -1; // 0 keyboard, 1 mouse
    uint16_t vid = 0;
    uint16_t pid = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t usagePage2 = 0;
    uint16_t usage2 = 0;
    QString productName;
    unsigned reportLength = 0;
};

// One element of the device list: present when both paths are non-empty.
struct HidDevice
{
    int id = 0;
    QString productName;
    int type = -1;
    QString path;  // command interface
    QString path2; // second interface (acknowledge reports)
    int reportLength = 0;

    bool present() const { return !path.isEmpty() && !path2.isEmpty(); }
};

// Where the device link gets the settings it needs from the application
// configuration: product names by table row and secrecy codes by device id.
class DeviceConfigSource
{
public:
    virtual ~DeviceConfigSource() = default;
    virtual QStringList productNames() const = 0;
    // The stored text under "common/sCode<index>", or the default "740352".
    virtual QString secrecyCode(int index) const = 0;
};
