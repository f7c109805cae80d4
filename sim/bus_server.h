#pragma once

#include "device/dev_info.h"
#include "device/packet_socket.h"
#include "sim/firmware.h"
#include "sim/sim_options.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// One virtual device on the virtual bus: listens on "<bus dir>/<socket name>"
// and serves both HID interfaces of the device (0 = command interface,
// 1 = second interface) on that socket, on a thread of its own.
//
// The server owns the transport side of the device: it deciphers command
// frames (when the cipher is on), hands plain frames and whole data blocks to
// the Firmware, enciphers the reply of a get without data phase, slices input
// blocks into reports of the device's report length, sends the acknowledge
// report 04 04 00 00 on every open second-interface connection after an
// acknowledged frame or data block, logs every report as a JSON line, and
// applies the fault options. Frames the firmware does not know are logged
// and not answered. See docs/virtual-bus.md.
class BusServer
{
public:
    BusServer(const SimOptions &options, std::unique_ptr<Firmware> firmware);
    ~BusServer(); // stop()
    BusServer(const BusServer &) = delete;
    BusServer &operator=(const BusServer &) = delete;

    // Reads the device row from the device table (":/DevInfo.ini"; row 0 for
    // the keyboard, 1 for the mouse), creates the socket (the device is
    // plugged in) and starts serving. False with *error set on failure.
    bool start(QString *error = nullptr);
    // Stops serving, closes every connection and removes the socket (the
    // device is unplugged). Safe to call more than once.
    void stop();
    bool isRunning() const;
    // Serves one connected socket (one end of a socket pair) on the calling
    // thread until the host closes it or is dropped, without a listening
    // socket or a thread: whatever was sent on it before is handled when
    // this returns. Not while started. False with *error set when the device
    // cannot be served.
    bool serveConnection(PacketSocket connection, QString *error = nullptr);

    QString socketPath() const;
    const DevInfo &device() const;
    bool cipherOn() const;

    // Every log line so far (also appended to SimOptions::logFile).
    QStringList logLines() const;
    // Runs fn with the firmware while no report is being handled, e.g. to
    // look at or change the device state from a test.
    void withFirmware(const std::function<void(Firmware &)> &fn);

private:
    struct State;
    std::unique_ptr<State> d;
};
