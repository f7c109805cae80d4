#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>

class DataLocations;
class QWidget;
class Hid_Thread;
class myQQuickView;

// Sets up the frameless host window, creates the view, and gives the QML the
// window operations (drag, close, busy lock) as "ui_Ctl".
class Ui_Controler : public QObject
{
    Q_OBJECT

public:
    static QUrl defaultSource() { return QUrl(QStringLiteral("qrc:modules/qml/main.qml")); }

    // The view is created as a child of hostWidget, keeps its files where
    // `locations` says and loads source; hid is published to the QML as "hid"
    // and used by the view for every device operation.
    Ui_Controler(QWidget *hostWidget, Hid_Thread *hid, const DataLocations &locations,
                 const QUrl &source = defaultSource());
    ~Ui_Controler() override;

    myQQuickView *quickView() const { return view; }

    // A press in the view starts a new drag.
    bool eventFilter(QObject *watched, QEvent *event) override;

public slots:
    void onMinimize();
    // Drag steps of the frameless window. Where the platform can move the
    // window itself (Wayland, where a window cannot place itself, and X11
    // window managers), the first step of a drag hands the drag to it and
    // later steps are ignored; elsewhere each step moves the window.
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();

private:
    static void useSoftwareRendererByDefault();
    bool movedBySystem();

    QWidget *hostWidget;
    bool systemMoveStarted = false;
    QPointer<myQQuickView> view; // a child of the host, which may delete it first
};
