#pragma once

#include <QList>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>

// The HID layer the device link talks to. Semantics follow hidapi, so the
// real implementation is a thin wrapper and the virtual one can stand in for
// the mouse on machines without it:
//  - Output and feature reports are passed with the report id (always 0
//    here) in byte 0; the length includes that byte.
//  - Input reports are returned without a report id.
//  - Every call returns the number of bytes moved, or -1 on failure. A
//    failure never throws and leaves the handle open (the caller closes it).
//  - Calls on one handle come from one thread at a time; different handles
//    may be used from different threads at once.

struct HidInterfaceInfo
{
    QString path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    int interfaceNumber = -1;
};

class HidHandle
{
public:
    virtual ~HidHandle() = default; // closes the handle

    virtual void setNonBlocking(bool nonBlocking) = 0;
    // Sends a feature report; data[0] is the report id.
    virtual int sendFeatureReport(const uint8_t *data, size_t length) = 0;
    // Reads a feature report; data[0] holds the report id on entry.
    virtual int getFeatureReport(uint8_t *data, size_t length) = 0;
    // Sends an output report; data[0] is the report id.
    virtual int write(const uint8_t *data, size_t length) = 0;
    // Reads one input report (without report id) into data. With timeoutMs
    // < 0 it blocks until a report arrives or the device goes; 0 returns at
    // once. Returns 0 when the time-out passed without a report.
    virtual int read(uint8_t *data, size_t length, int timeoutMs) = 0;
};

class HidBus
{
public:
    virtual ~HidBus() = default;

    // Interfaces with this vendor and product id (0 matches any), in the
    // order the platform reports them.
    virtual QList<HidInterfaceInfo> enumerate(uint16_t vendorId, uint16_t productId) = 0;
    // Opens an interface by the path enumerate() gave; null on failure.
    virtual std::unique_ptr<HidHandle> open(const QString &path) = 0;
    // The interface at path is there, but this user may not open it (a
    // device node without read and write permission for them).
    virtual bool accessDenied(const QString &path) const
    {
        Q_UNUSED(path)
        return false;
    }
};
