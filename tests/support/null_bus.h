#pragma once

#include "device/hid_bus.h"

// A bus with nothing on it: every enumeration is empty, every open fails.
class NullBus : public HidBus
{
public:
    QList<HidInterfaceInfo> enumerate(uint16_t, uint16_t) override { return {}; }
    std::unique_ptr<HidHandle> open(const QString &) override { return nullptr; }
};
