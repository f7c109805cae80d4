#include "app/app_options.h"
#include "app/device_setup.h"

bool setUpVirtualDevices(const AppOptions &, DeviceSetup &, QString *error)
{
    *error = QStringLiteral("--demo and --virtual-bus need Unix sockets, which this build lacks");
    return false;
}
