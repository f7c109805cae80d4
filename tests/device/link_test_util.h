#pragma once

#include "device/dev_info.h"
#include "device/hid_thread.h"

#include <QList>

// The shipped device table's two rows, with a chosen report length.
inline QList<DevInfo> testDeviceTable(unsigned mouseReportLength = 32)
{
    DevInfo keyboard{0, 0x2f76, 0x0b01, 0xff01, 0x0001, 0xff02, 0x0001, QStringLiteral("KB"), 64};
    DevInfo mouse{
        1, 0x2f76, 0x0c14, 0xff00, 0xff00, 0xff01, 0xff01, QStringLiteral("Z4"), mouseReportLength};
    return {keyboard, mouse};
}

// Opens the link's protected primitives to the tests.
class TestLink : public Hid_Thread
{
public:
    using Hid_Thread::acquireLink;
    using Hid_Thread::buildFrame;
    using Hid_Thread::data;
    using Hid_Thread::frame;
    using Hid_Thread::Hid_Thread;
    using Hid_Thread::readTransaction;
    using Hid_Thread::reply;
    using Hid_Thread::startWriteTask;
};

class MapConfig final : public DeviceConfigSource
{
public:
    QStringList productNames() const override { return names; }
    QString secrecyCode(int index) const override
    {
        return codes.value(index, QStringLiteral("740352"));
    }
    QStringList names;
    QMap<int, QString> codes;
};
