#pragma once

#include "device/hid_bus.h"

// The real HID layer: hidapi (the hidraw backend on Linux). hid_init runs once
// per process, on the first HidapiBus made.
class HidapiBus final : public HidBus
{
public:
    HidapiBus();

    QList<HidInterfaceInfo> enumerate(uint16_t vendorId, uint16_t productId) override;
    std::unique_ptr<HidHandle> open(const QString &path) override;
    // On Linux the path is a device node (/dev/hidrawN) whose permissions
    // say it; elsewhere paths are not files and nothing is denied here.
    bool accessDenied(const QString &path) const override;
};
