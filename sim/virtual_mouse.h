#pragma once

#include "sim/bus_server.h"
#include "sim/sim_options.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

// The virtual mouse in-process (for z4config --demo and for tests): a bus
// server with the firmware of createFirmware(), on a private bus directory
// unless the options name one. Use the directory with a VirtualBus (and a
// VirtualBusWatcher) to reach it.
//
//     VirtualMouse mouse;
//     mouse.start();                  // plugged in
//     VirtualBus bus(mouse.busDirectory());
//     ...
//     mouse.stop();                   // unplugged (also done by the destructor)
class VirtualMouse
{
public:
    explicit VirtualMouse(SimOptions options = {}, std::unique_ptr<Firmware> firmware = nullptr);
    ~VirtualMouse();

    bool start(QString *error = nullptr);
    void stop();
    bool isRunning() const { return server->isRunning(); }

    QString busDirectory() const { return directory; }
    QString socketPath() const { return server->socketPath(); }
    QStringList logLines() const { return server->logLines(); }
    BusServer &busServer() { return *server; }

private:
    std::unique_ptr<QTemporaryDir> privateDirectory;
    QString directory;
    std::unique_ptr<BusServer> server;
};
