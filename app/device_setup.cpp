#include "app/device_setup.h"

#include "app/app_options.h"
#include "device/device_watcher.h"
#include "device/hidapi_bus.h"

bool setUpDevices(const AppOptions &options, DeviceSetup &setup, QString *error)
{
    if (options.demo || !options.virtualBusDir.isEmpty())
        return setUpVirtualDevices(options, setup, error);
    setup.bus = std::make_unique<HidapiBus>();
    setup.watcher = createPlatformDeviceWatcher();
    return true;
}
