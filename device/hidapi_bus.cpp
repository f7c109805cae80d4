#include "device/hidapi_bus.h"

#include <QFileInfo>
#include <hidapi.h>
#include <mutex>

namespace {

class HidapiHandle final : public HidHandle
{
public:
    explicit HidapiHandle(hid_device *device) : device(device) {}
    ~HidapiHandle() override { hid_close(device); }
    HidapiHandle(const HidapiHandle &) = delete;
    HidapiHandle &operator=(const HidapiHandle &) = delete;

    void setNonBlocking(bool nonBlocking) override { hid_set_nonblocking(device, nonBlocking); }
    int sendFeatureReport(const uint8_t *data, size_t length) override
    {
        return hid_send_feature_report(device, data, length);
    }
    int getFeatureReport(uint8_t *data, size_t length) override
    {
        return hid_get_feature_report(device, data, length);
    }
    int write(const uint8_t *data, size_t length) override
    {
        return hid_write(device, data, length);
    }
    int read(uint8_t *data, size_t length, int timeoutMs) override
    {
        return timeoutMs < 0 ? hid_read(device, data, length)
                             : hid_read_timeout(device, data, length, timeoutMs);
    }

private:
    hid_device *device;
};

} // namespace

HidapiBus::HidapiBus()
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { hid_init(); });
}

QList<HidInterfaceInfo> HidapiBus::enumerate(uint16_t vendorId, uint16_t productId)
{
    QList<HidInterfaceInfo> result;
    hid_device_info *list = hid_enumerate(vendorId, productId);
    for (const hid_device_info *d = list; d; d = d->next) {
        HidInterfaceInfo info;
        info.path = QString::fromLocal8Bit(d->path);
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.usagePage = d->usage_page;
        info.usage = d->usage;
        info.interfaceNumber = d->interface_number;
        result.append(info);
    }
    hid_free_enumeration(list);
    return result;
}

std::unique_ptr<HidHandle> HidapiBus::open(const QString &path)
{
    hid_device *device = hid_open_path(path.toLocal8Bit().constData());
    if (!device)
        return nullptr;
    return std::make_unique<HidapiHandle>(device);
}

bool HidapiBus::accessDenied(const QString &path) const
{
    const QFileInfo node(path);
    return node.exists() && !(node.isReadable() && node.isWritable());
}
