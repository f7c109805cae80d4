#include "backend/bridge/my_qquick_view.h"

#include "backend/prompts/user_prompts.h"
#include "device/hid_thread.h"

#include <QQuickItem>

myQQuickView::myQQuickView(QWidget *parent, Hid_Thread *hidThread)
    : QQuickWidget(parent), hidThread(hidThread), userPrompts(std::make_unique<WidgetPrompts>(this))
{
    setResizeMode(QQuickWidget::SizeViewToRootObject);
    setAttribute(Qt::WA_AlwaysStackOnTop);
    setClearColor(Qt::transparent);
}

myQQuickView::~myQQuickView() = default;

void myQQuickView::setPrompts(std::unique_ptr<UserPrompts> prompts)
{
    userPrompts = std::move(prompts);
}

QString myQQuickView::windowTitleSetting() const
{
    return {};
}

void myQQuickView::invokeRoot(const char *function, QVariant a, QVariant b, QVariant c, QVariant d,
                              int argc)
{
    QQuickItem *root = rootObject();
    if (!root)
        return;
    switch (argc) {
    case 0:
        QMetaObject::invokeMethod(root, function, Qt::QueuedConnection);
        break;
    case 2:
        QMetaObject::invokeMethod(root, function, Qt::QueuedConnection, Q_ARG(QVariant, a),
                                  Q_ARG(QVariant, b));
        break;
    default:
        QMetaObject::invokeMethod(root, function, Qt::QueuedConnection, Q_ARG(QVariant, a),
                                  Q_ARG(QVariant, b), Q_ARG(QVariant, c), Q_ARG(QVariant, d));
        break;
    }
}

void myQQuickView::initUI()
{
    invokeRoot("initUI");
}

void myQQuickView::runUI()
{
    invokeRoot("run");
}

void myQQuickView::detectKeyboard(bool isDown, uchar usbCode)
{
    invokeRoot("detectKeyboard", isDown, int(usbCode), {}, {}, 2);
}

void myQQuickView::detectMouse(bool isDown, uint code, uint x, uint y)
{
    invokeRoot("detectMouse", isDown, code, x, y, 4);
}

void myQQuickView::syncFW() {}
