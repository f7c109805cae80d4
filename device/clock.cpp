#include "device/clock.h"

#include <QThread>

namespace {

class SystemLinkClock final : public LinkClock
{
public:
    void sleepMs(int ms) override { QThread::msleep(static_cast<unsigned long>(ms)); }
};

} // namespace

LinkClock &systemLinkClock()
{
    static SystemLinkClock clock;
    return clock;
}
