#pragma once

#include "fake_hid_bus.h"
#include "link_test_util.h"

// A link that has scanned a recording bus holding `interfaces` (the mouse's
// two by default), with a clock that takes no real time.
struct ScannedLink
{
    explicit ScannedLink(QList<HidInterfaceInfo> interfaces = mouseInterfaces(),
                         unsigned reportLength = 32)
        : clock(log, 0), bus(log), link(&bus, &clock)
    {
        bus.interfaces = std::move(interfaces);
        link.scanDevices(testDeviceTable(reportLength));
    }

    EventLog log;
    FakeClock clock;
    FakeHidBus bus;
    TestLink link;
};
