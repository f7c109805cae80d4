#pragma once

#include <QByteArray>

// Whether a native window message tells of an added or removed device
// (WM_DEVICECHANGE on Windows; never elsewhere, where a DeviceWatcher tells).
bool isDeviceChangeMessage(const QByteArray &eventType, void *message);
