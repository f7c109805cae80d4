#include "app/widget.h"

#include "app/native_event.h"
#include "app/no_device_notice.h"
#include "app/user_event.h"
#include "backend/bridge/my_qquick_view.h"
#include "backend/bridge/ui_controler.h"
#include "backend/feedback/device_feedback.h"
#include "backend/trace/startup_trace.h"
#include "device/device_table.h"
#include "device/hid_bus.h"

#include <QCoreApplication>

Widget::Widget(HidBus *bus, const DataLocations &locations, const QUrl &qmlSource) : hidThread(bus)
{
    hidThread.host = this;
    uiControler = new Ui_Controler(this, &hidThread, locations,
                                   qmlSource.isEmpty() ? Ui_Controler::defaultSource() : qmlSource);
    hotPlugTimer.setInterval(kHotPlugDelayMs);
    hotPlugTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early: the debounce is never shorter.
    hotPlugTimer.setTimerType(Qt::PreciseTimer);
    connect(&hotPlugTimer, &QTimer::timeout, this, &Widget::checkDevice);
}

Widget::~Widget()
{
    hidThread.stopWatch();
    // No set may still be running on a pool thread once the link is gone.
    hidThread.shutdownLink();
    delete noDeviceNotice;
    // The view goes before the device link: while its scene is torn down a
    // field that loses the focus may still commit and call the device.
    delete view();
    delete uiControler;
}

myQQuickView *Widget::view() const
{
    return uiControler->quickView();
}

void Widget::checkDevice()
{
    const DeviceConfigSource *config = hidThread.config();
    const QStringList names = config ? config->productNames() : QStringList();
    const DeviceTable table = readDeviceTable(names);
    hidThread.scanDevices(table.rows);
    isEncode = table.isEncode;
    hidThread.swichCurDevice(uint(hidThread.currentDeviceId()));

    const QString denied = deviceConnected.load() ? deniedPath() : QString();
    const bool wasConnected = connected;
    connected = deviceConnected.load() && denied.isEmpty();
    // The watcher is what sees the mouse acknowledge a set (and notices it
    // go): without it a set could only hope that it arrived.
    if (connected)
        hidThread.watchCurrentDevice();
    view()->syncFW();
    view()->feedback().refreshStatus();
    // Back after an unplug: the pages read the mouse again as at start.
    if (connected && !wasConnected && started)
        view()->initUI();

    emit deviceChecked(connected);
    if (connected && waitingForDevice)
        showAndStart();
    else if (noDeviceNotice)
        noDeviceNotice->setDeniedPath(denied);
}

QString Widget::deniedPath() const
{
    const QList<HidDevice> list = hidThread.deviceList();
    const int index = hidThread.currentDeviceId();
    HidBus *bus = hidThread.hidBus();
    if (!bus || index < 0 || index >= list.size())
        return {};
    for (const QString &path : {list.at(index).path, list.at(index).path2})
        if (!path.isEmpty() && bus->accessDenied(path))
            return path;
    return {};
}

void Widget::deviceChangeNotified()
{
    hotPlugTimer.start();
}

void Widget::startUI()
{
    started = true;
    startuptrace::mark("window shown");
    startuptrace::markNextFrame(view()->quickWindow(), "first frame");
    startuptrace::traceFrames(view()->quickWindow());
    view()->initUI();
    startuptrace::markAfterQueued(this, "QML initUI done");
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::kStartRun));
}

void Widget::waitForDevice()
{
    waitingForDevice = true;
    if (noDeviceNotice)
        return;
    auto *notice = new NoDeviceNotice(windowTitle(), QStringLiteral("packaging/70-z4config.rules"));
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->setDeniedPath(deviceConnected.load() ? deniedPath() : QString());
    // Closing the notice while waiting ends the program: there is no other
    // window to reach it from.
    connect(notice, &QDialog::finished, this, [this] {
        if (waitingForDevice)
            QCoreApplication::quit();
    });
    noDeviceNotice = notice;
    notice->show();
}

void Widget::bringToFront()
{
    QWidget *front = this;
    if (waitingForDevice && noDeviceNotice)
        front = noDeviceNotice;
    else if (!isVisible())
        return; // not opened yet: it opens by itself
    front->setWindowState((front->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    front->show();
    front->raise();
    front->activateWindow();
}

void Widget::showAndStart()
{
    waitingForDevice = false;
    if (noDeviceNotice)
        noDeviceNotice->close();
    showNormal();
    startUI();
}

void Widget::customEvent(QEvent *event)
{
    if (event->type() != QEvent::User)
        return;
    const auto *userEvent = dynamic_cast<UserEvent *>(event);
    if (userEvent && userEvent->code == UserEvent::kStartRun) {
        view()->runUI();
        startuptrace::markAfterQueued(this, "QML run done");
    }
}

bool Widget::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    if (isDeviceChangeMessage(eventType, message))
        deviceChangeNotified();
    return QWidget::nativeEvent(eventType, message, result);
}
