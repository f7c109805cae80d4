#include "app/app_options.h"
#include "app/device_setup.h"
#include "device/device_watcher.h"
#include "device/virtual_bus.h"
#include "sim/virtual_mouse.h"

#include <QFileInfo>

bool setUpVirtualDevices(const AppOptions &options, DeviceSetup &setup, QString *error)
{
    QString busDir = options.virtualBusDir;
    if (options.demo) {
        auto mouse = std::make_shared<VirtualMouse>();
        if (!mouse->start(error))
            return false;
        busDir = mouse->busDirectory();
        setup.demoMouse = mouse;
    }
    if (!QFileInfo(busDir).isDir()) {
        *error = QStringLiteral("the virtual bus directory \"%1\" does not exist").arg(busDir);
        return false;
    }
    setup.bus = std::make_unique<VirtualBus>(busDir);
    setup.watcher = std::make_unique<VirtualBusWatcher>(busDir);
    return true;
}
