#pragma once

// The fixed pauses of the device link (8 ms polls and pauses, 64 ms
// acknowledge waits) go through this seam so that tests can make them
// instant while keeping their order and count.
class LinkClock
{
public:
    virtual ~LinkClock() = default;
    virtual void sleepMs(int ms) = 0;
};

// The clock that really sleeps (QThread::msleep).
LinkClock &systemLinkClock();
