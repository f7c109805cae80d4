#pragma once

#include "app/no_device_notice.h"
#include "device/hid_thread.h"

#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWidget>

class DataLocations;
class HidBus;

class Ui_Controler;
class myQQuickView;

// The frameless host window. It owns the device link and the controller of
// the QML view, and turns device-change notifications into one debounced
// re-detection.
class Widget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHotPlugDelayMs = 2048;

    Widget(HidBus *bus, const DataLocations &locations, const QUrl &qmlSource = {});
    ~Widget() override;

    Hid_Thread &deviceLink() { return hidThread; }
    Ui_Controler *controller() const { return uiControler; }
    myQQuickView *view() const;

    // Queues the QML "initUI", then posts the event whose handling queues
    // "run".
    void startUI();

    // With no device at start, tells the user that the window opens when a
    // mouse is plugged in, and opens it when a later detection connects one.
    void waitForDevice();
    bool isStarted() const { return started; }
    // The last device check found the mouse and it can be opened.
    bool isConnected() const { return connected; }
    // The notice shown while waiting, if any (tests look at its text).
    NoDeviceNotice *waitingNotice() const { return noDeviceNotice; }

    // Shows this program to the user again (a second start asked for it):
    // the window, or the notice while no mouse is there.
    void bringToFront();

public slots:
    void checkDevice();
    // Restarts the single-shot hot-plug timer.
    void deviceChangeNotified();

signals:
    void deviceChecked(bool connected);

protected:
    void customEvent(QEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void showAndStart();
    // The current device's interface that is there but may not be opened by
    // this user, or "".
    QString deniedPath() const;

    QTimer hotPlugTimer;
    Ui_Controler *uiControler = nullptr;
    Hid_Thread hidThread;
    bool started = false;
    bool waitingForDevice = false;
    bool connected = false;
    QPointer<NoDeviceNotice> noDeviceNotice;
};
