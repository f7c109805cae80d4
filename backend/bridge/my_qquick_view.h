#pragma once

#include <QQuickWidget>
#include <QStringList>
#include <QVariant>
#include <memory>

class Hid_Thread;
class UserPrompts;

using uchar = unsigned char;

// The QML's backend API ("ui_View"). Each slot is a thin hand-over to a
// focused class that can be used without a window; the slots keep the names
// and argument lists the QML calls them by.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT

public:
    myQQuickView(QWidget *parent, Hid_Thread *hidThread);
    ~myQQuickView() override;

    Hid_Thread *hidThread;

    // Replaces the dialogs and message boxes (tests answer them).
    void setPrompts(std::unique_ptr<UserPrompts> prompts);
    UserPrompts &prompts() const { return *userPrompts; }

    // "common/name" of the application settings: the host window's title.
    QString windowTitleSetting() const;

    // Called by the global input capture; forwarded to the QML root, queued.
    void detectKeyboard(bool isDown, uchar usbCode);
    void detectMouse(bool isDown, uint code, uint x, uint y);

public slots:
    void syncFW();
    void initUI();
    void runUI();

private:
    void invokeRoot(const char *function, QVariant a = {}, QVariant b = {}, QVariant c = {},
                    QVariant d = {}, int argc = 0);

    std::unique_ptr<UserPrompts> userPrompts;
};
