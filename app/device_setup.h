#pragma once

#include "device/device_watcher.h"
#include "device/hid_bus.h"

#include <QString>
#include <memory>

struct AppOptions;

// Where the program finds its device: the hidapi bus and the platform's
// notifications, or a virtual bus (given with --virtual-bus, or private to
// the mouse that --demo embeds).
struct DeviceSetup
{
    std::shared_ptr<void> demoMouse; // runs as long as this holds it
    std::unique_ptr<HidBus> bus;
    std::unique_ptr<DeviceWatcher> watcher;
};

// The virtual bus of --demo or --virtual-bus; one file per OS (the virtual
// devices are Unix sockets).
bool setUpVirtualDevices(const AppOptions &options, DeviceSetup &setup, QString *error);
