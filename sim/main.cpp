// z4sim: the virtual mouse (or keyboard) on a virtual HID bus. It serves
// until SIGINT or SIGTERM and removes its socket on the way out.
#include "sim/bus_server.h"
#include "sim/firmware_factory.h"
#include "sim/sim_options.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <pthread.h>

int main(int argc, char *argv[])
{
    // Blocked before any thread starts, so every thread inherits the mask and
    // the signals wait for sigwait below.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication app(argc, argv);
    QString error;
    bool helpShown = false;
    const auto options = parseSimOptions(app.arguments(), &error, &helpShown);
    if (!options) {
        std::fprintf(helpShown ? stdout : stderr, "%s%s\n",
                     helpShown ? "" : "z4sim: ", qPrintable(error));
        return helpShown ? 0 : 2;
    }

    BusServer server(*options, createFirmware(*options));
    if (!server.start(&error)) {
        std::fprintf(stderr, "z4sim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("z4sim: listening on %s\n", qPrintable(server.socketPath()));
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.stop();
    return 0;
}
