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

public slots:
    void onMinimize();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();

private:
    QWidget *hostWidget;
    QPointer<myQQuickView> view; // a child of the host, which may delete it first
};
