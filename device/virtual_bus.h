#pragma once

#include "device/hid_bus.h"

#include <QString>

// A HID layer made of virtual devices: each device listens on a Unix socket
// "<name>.sock" in one bus directory (z4sim, or the in-process VirtualMouse).
// A socket appearing is a plug, its removal an unplug. Interface paths look
// like "<dir>/<name>.sock#<interface number>". The protocol is described in
// docs/virtual-bus.md.
class VirtualBus : public HidBus
{
public:
    explicit VirtualBus(const QString &busDirectory);

    QString directory() const { return busDirectory; }

    // Asks every device socket of the directory for its interfaces; sockets
    // that do not answer within a second are skipped.
    QList<HidInterfaceInfo> enumerate(uint16_t vendorId, uint16_t productId) override;
    std::unique_ptr<HidHandle> open(const QString &path) override;

    // How long a feature or output report waits for the device's answer.
    static constexpr int kAnswerTimeoutMs = 5000;

private:
    QString busDirectory;
};
