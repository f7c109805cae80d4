#include "app/widget.h"

#include "app/native_event.h"
#include "app/user_event.h"
#include "backend/bridge/my_qquick_view.h"
#include "backend/bridge/ui_controler.h"
#include "device/device_table.h"

#include <QCoreApplication>
#include <QMessageBox>

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
    view()->syncFW();

    const bool connected = deviceConnected.load();
    emit deviceChecked(connected);
    if (connected && waitingForDevice)
        showAndStart();
}

void Widget::deviceChangeNotified()
{
    hotPlugTimer.start();
}

void Widget::startUI()
{
    started = true;
    view()->initUI();
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::kStartRun));
}

void Widget::waitForDevice()
{
    waitingForDevice = true;
    if (noDeviceNotice)
        return;
    auto *box = new QMessageBox(QMessageBox::Information, windowTitle(),
                                tr("No Z4 mouse was found.\n\n"
                                   "Plug it in: this window opens by itself when it is "
                                   "connected."),
                                QMessageBox::Close);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Closing the notice while waiting ends the program: there is no other
    // window to reach it from.
    connect(box, &QMessageBox::finished, this, [this] {
        if (waitingForDevice)
            QCoreApplication::quit();
    });
    noDeviceNotice = box;
    box->show();
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
    if (userEvent && userEvent->code == UserEvent::kStartRun)
        view()->runUI();
}

bool Widget::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    if (isDeviceChangeMessage(eventType, message))
        deviceChangeNotified();
    return QWidget::nativeEvent(eventType, message, result);
}
