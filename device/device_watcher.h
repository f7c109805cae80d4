#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QFileSystemWatcher;

// Says that a device may have come or gone. The host restarts its 2048 ms
// hot-plug timer on every deviceChanged(); a burst of notifications thus
// leads to one re-detection.
class DeviceWatcher : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // For notifications that reach the host some other way (on Windows,
    // WM_DEVICECHANGE through the window's nativeEvent).
    void notify() { emit deviceChanged(); }

signals:
    void deviceChanged();
};

// The platform's notifier: on Linux a udev monitor of the hidraw subsystem;
// on Windows a watcher that never fires by itself (the host window receives
// WM_DEVICECHANGE and calls notify()). Never null; when the platform gives no
// notifications, the watcher simply stays quiet.
std::unique_ptr<DeviceWatcher> createPlatformDeviceWatcher(QObject *parent = nullptr);

// Fires when a device socket appears in or disappears from a virtual bus
// directory (the directory must exist).
class VirtualBusWatcher : public DeviceWatcher
{
    Q_OBJECT

public:
    explicit VirtualBusWatcher(const QString &busDirectory, QObject *parent = nullptr);
    ~VirtualBusWatcher() override;

private:
    QFileSystemWatcher *watcher;
};
