#include "device/device_watcher.h"

// WM_DEVICECHANGE reaches the host window's nativeEvent, which calls
// notify(); there is nothing to watch here.
std::unique_ptr<DeviceWatcher> createPlatformDeviceWatcher(QObject *parent)
{
    return std::make_unique<DeviceWatcher>(parent);
}
