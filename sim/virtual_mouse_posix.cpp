#include "sim/virtual_mouse.h"

#include "sim/firmware_factory.h"

#include <QDir>

VirtualMouse::VirtualMouse(SimOptions options, std::unique_ptr<Firmware> firmware)
{
    if (options.busDirectory.isEmpty()) {
        // Short and under /tmp: a Unix socket path has to fit in 108 bytes.
        privateDirectory = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/z4bus-XXXXXX"));
        options.busDirectory = privateDirectory->path();
    }
    directory = QDir(options.busDirectory).absolutePath();
    if (!firmware)
        firmware = createFirmware(options);
    server = std::make_unique<BusServer>(options, std::move(firmware));
}

VirtualMouse::~VirtualMouse()
{
    stop();
}

bool VirtualMouse::start(QString *error)
{
    return server->start(error);
}

void VirtualMouse::stop()
{
    server->stop();
}
