#include "device/device_watcher.h"

#include <QSocketNotifier>
#include <libudev.h>

namespace {

// Watches udev for hidraw nodes being added or removed.
class UdevDeviceWatcher final : public DeviceWatcher
{
public:
    explicit UdevDeviceWatcher(QObject *parent) : DeviceWatcher(parent)
    {
        context = udev_new();
        if (!context)
            return;
        monitor = udev_monitor_new_from_netlink(context, "udev");
        if (!monitor ||
            udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
            udev_monitor_enable_receiving(monitor) < 0)
            return;
        const int fd = udev_monitor_get_fd(monitor);
        if (fd < 0)
            return;
        notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this] { drain(); });
    }

    ~UdevDeviceWatcher() override
    {
        delete notifier;
        if (monitor)
            udev_monitor_unref(monitor);
        if (context)
            udev_unref(context);
    }

private:
    void drain()
    {
        bool changed = false;
        while (udev_device *device = udev_monitor_receive_device(monitor)) {
            udev_device_unref(device);
            changed = true;
        }
        if (changed)
            emit deviceChanged();
    }

    struct udev *context = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
};

} // namespace

std::unique_ptr<DeviceWatcher> createPlatformDeviceWatcher(QObject *parent)
{
    return std::make_unique<UdevDeviceWatcher>(parent);
}
