#pragma once

#include <QDialog>

class QLabel;

// Shown instead of the window while no mouse is connected: it says so, keeps
// a busy bar running to show that it is still looking, and offers Close.
// When the mouse is plugged in but this user may not open it, it says that
// instead and names the udev rule that grants access. It has no parent, so
// that it never inherits the host window's transparent style.
class NoDeviceNotice : public QDialog
{
    Q_OBJECT

public:
    NoDeviceNotice(const QString &title, const QString &rulePath);

    // Empty: nothing found; otherwise the device node this user cannot open.
    void setDeniedPath(const QString &path);
    QString text() const;

    static QString waitingText();
    static QString deniedText(const QString &path, const QString &rulePath);

private:
    QLabel *label;
    QString rule;
};
