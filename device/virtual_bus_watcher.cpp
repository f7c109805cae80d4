#include "device/device_watcher.h"

#include <QFileSystemWatcher>

VirtualBusWatcher::VirtualBusWatcher(const QString &busDirectory, QObject *parent)
    : DeviceWatcher(parent), watcher(new QFileSystemWatcher(this))
{
    watcher->addPath(busDirectory);
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, &DeviceWatcher::deviceChanged);
}

VirtualBusWatcher::~VirtualBusWatcher() = default;
