// The sets a full apply sends (four key matrices, DPI stages, colours, LED
// effect, report rate, DPI stage), one after the other as the pages send
// them, against the in-process virtual mouse with the real clock.
//
// Reports per pass:
//  - the time from the first call until the last transaction has ended,
//    against the protocol's floor: the sum of the acknowledge waits and 8 ms
//    report pauses the commands must take (aim: ratio <= 1.05);
//  - the longest time the calling thread went without processing events
//    while the sets ran (aim: <= 10 ms), and the longest single call.
//
// Usage: bench_device_apply [--passes N] [--watcher]
//   --watcher  runs the device watcher, so that acknowledge waits end after
//              64 ms instead of 128 ms.
#include "device/device_table.h"
#include "device/hid_thread.h"
#include "device/virtual_bus.h"
#include "sim/virtual_mouse.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Step
{
    const char *name;
    int reports;   // output reports of 32 bytes
    bool waitsAck; // both acknowledge waits (after the frame, after the data)
    std::function<void(Hid_Thread &)> send;
};

std::vector<Step> applySteps()
{
    static std::array<std::array<uchar, 64>, 4> matrices{};
    static std::array<uchar, 8> stages{0x02, 0x04, 0x06, 0x08, 0x0A, 0x0C, 0x0E, 0x10};
    static std::array<uchar, 24> colours{};
    for (size_t m = 0; m < matrices.size(); ++m)
        for (size_t i = 0; i < 64; ++i)
            matrices[m][i] = uchar(m * 16 + i);
    for (size_t i = 0; i < colours.size(); ++i)
        colours[i] = uchar(i * 10);

    std::vector<Step> steps;
    for (uchar index = 1; index <= 4; ++index) {
        steps.push_back({"12H", 2, true, [index](Hid_Thread &h) {
                             h.hid_12H_SetKeyMatrix(matrices[index - 1].data(), index);
                         }});
    }
    steps.push_back({"11H", 1, true, [](Hid_Thread &h) { h.hid_11H_SetDPISet(8, stages.data()); }});
    steps.push_back(
        {"10H", 1, true, [](Hid_Thread &h) { h.hid_10H_SetLED8StageColor(0, colours.data()); }});
    steps.push_back({"0DH", 0, true, [](Hid_Thread &h) { h.hid_0DH_SetRGBLedEffect(1, 10, 2); }});
    steps.push_back({"01H", 0, true, [](Hid_Thread &h) { h.hid_01H_SetReportRate(1); }});
    steps.push_back({"0BH", 0, true, [](Hid_Thread &h) { h.hid_0BH_SetCurrentDPIStage(2); }});
    return steps;
}

int floorMs(const std::vector<Step> &steps, int ackMs)
{
    int total = 0;
    for (const Step &s : steps) {
        total += s.reports * 8;
        if (s.waitsAck)
            total += ackMs * (s.reports > 0 ? 2 : 1);
    }
    return total;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOptions({{QStringLiteral("passes"), QStringLiteral("Passes (3)."),
                        QStringLiteral("N"), QStringLiteral("3")},
                       {QStringLiteral("watcher"), QStringLiteral("Run the device watcher.")}});
    parser.process(app);
    const int passes = std::max(1, parser.value(QStringLiteral("passes")).toInt());
    const bool watcher = parser.isSet(QStringLiteral("watcher"));

    VirtualMouse mouse;
    QString error;
    if (!mouse.start(&error)) {
        std::fprintf(stderr, "bench: virtual mouse: %s\n", qPrintable(error));
        return 1;
    }
    VirtualBus bus(mouse.busDirectory());
    Hid_Thread link(&bus);
    const DeviceTable table = readDeviceTable({});
    isEncode = table.isEncode;
    link.scanDevices(table.rows);
    link.connectDevice();
    if (!link.isDeviceConnected()) {
        std::fprintf(stderr, "bench: the virtual mouse was not found\n");
        return 1;
    }
    if (watcher)
        link.startWatch(kMouseRow);

    const std::vector<Step> steps = applySteps();
    // With the watcher an acknowledge that comes in time ends the wait after
    // 64 ms; without it every wait lasts 128 ms.
    const int floor = floorMs(steps, watcher ? 64 : 128);

    QElapsedTimer clock;
    clock.start();
    qint64 lastTurn = 0;
    qint64 longestGap = 0;
    QTimer turn;
    turn.setInterval(0);
    QObject::connect(&turn, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTurn);
        lastTurn = now;
    });

    std::printf("apply: %zu sets, cipher %s, watcher %s, floor %d ms\n", steps.size(),
                isEncode ? "on" : "off", watcher ? "on" : "off", floor);
    double worstRatio = 0;
    double worstGapMs = 0;
    for (int pass = 1; pass <= passes; ++pass) {
        longestGap = 0;
        qint64 longestCall = 0;
        const char *longestCallName = "";
        turn.start();
        const qint64 start = clock.nsecsElapsed();
        lastTurn = start;
        for (const Step &s : steps) {
            const qint64 before = clock.nsecsElapsed();
            // The gap up to the call counts as the call's.
            s.send(link);
            const qint64 took = clock.nsecsElapsed() - before;
            if (took > longestCall) {
                longestCall = took;
                longestCallName = s.name;
            }
        }
        // The last gap inside the sets ends with the last call; from here on
        // the bench only waits for the last transaction.
        const qint64 gapInSets = std::max(longestGap, clock.nsecsElapsed() - lastTurn);
        while (!link.isLinkIdle())
            QThread::usleep(100);
        const qint64 end = clock.nsecsElapsed();
        turn.stop();

        const double ms = double(end - start) / 1e6;
        const double ratio = ms / floor;
        const double gapMs = double(gapInSets) / 1e6;
        worstRatio = std::max(worstRatio, ratio);
        worstGapMs = std::max(worstGapMs, gapMs);
        std::printf("pass %d: %.1f ms, ratio %.3f, longest block %.2f ms, longest call %.1f ms "
                    "(%s, waiting for the link while processing events)\n",
                    pass, ms, ratio, gapMs, double(longestCall) / 1e6, longestCallName);
    }
    std::printf("worst: ratio %.3f (aim <= 1.05), longest block %.2f ms (aim <= 10)\n", worstRatio,
                worstGapMs);

    link.stopWatch();
    link.shutdownLink();
    mouse.stop();
    return 0;
}
