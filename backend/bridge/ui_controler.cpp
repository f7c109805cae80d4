#include "backend/bridge/ui_controler.h"

#include "backend/bridge/my_qquick_view.h"
#include "backend/trace/startup_trace.h"
#include "device/hid_thread.h"

#include <QEvent>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QWidget>
#include <QWindow>

Ui_Controler::Ui_Controler(QWidget *hostWidget, Hid_Thread *hid, const DataLocations &locations,
                           const QUrl &source)
    : hostWidget(hostWidget)
{
    if (hostWidget->objectName().isEmpty())
        hostWidget->setObjectName(QStringLiteral("Widget"));
    hostWidget->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    hostWidget->setWindowOpacity(1.0);
    hostWidget->setAttribute(Qt::WA_TranslucentBackground);
    hostWidget->setStyleSheet(QStringLiteral("background:transparent;"));

    useSoftwareRendererByDefault();
    startuptrace::mark("host window");
    view = new myQQuickView(hostWidget, hid, locations);
    startuptrace::mark("view and backend");
    view->setObjectName(QStringLiteral("ui_View"));
    view->installEventFilter(this);

    // The scene's bindings refer to these names while it is being created,
    // so they are registered before the source is loaded.
    QQmlContext *context = view->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), view);
    context->setContextProperty(QStringLiteral("hid"), hid);
    context->setContextProperty(QStringLiteral("ui_Ctl"), this);

    view->setSource(source);
    startuptrace::mark("scene created");
    hostWidget->resize(view->size());
    hostWidget->setWindowTitle(view->windowTitleSetting());
}

Ui_Controler::~Ui_Controler() = default;

void Ui_Controler::useSoftwareRendererByDefault()
{
    // The scene is pictures and text in a 1000 x 600 window. Qt Quick's
    // software renderer draws it within a frame, starts the window sooner
    // and needs half the memory of an OpenGL context (on a software
    // rasteriser far more than half): bench_startup has the figures.
    // QT_QUICK_BACKEND or QSG_RHI_BACKEND still choose another renderer.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") &&
        qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

void Ui_Controler::onMinimize()
{
    if (hostWidget)
        hostWidget->close();
}

bool Ui_Controler::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        systemMoveStarted = false;
    return QObject::eventFilter(watched, event);
}

bool Ui_Controler::movedBySystem()
{
    if (!systemMoveStarted) {
        QWindow *window = hostWidget->windowHandle();
        systemMoveStarted = window && window->startSystemMove();
    }
    return systemMoveStarted;
}

void Ui_Controler::onXChanged(int x)
{
    if (hostWidget && !movedBySystem())
        hostWidget->move(hostWidget->x() + x, hostWidget->y());
}

void Ui_Controler::onYChanged(int y)
{
    if (hostWidget && !movedBySystem())
        hostWidget->move(hostWidget->x(), hostWidget->y() + y);
}

void Ui_Controler::setBusy(int busyTime)
{
    if (!view)
        return;
    if (QQuickItem *root = view->rootObject())
        QMetaObject::invokeMethod(root, "setProtectUI", Qt::DirectConnection,
                                  Q_ARG(QVariant, QVariant(busyTime)));
}

void Ui_Controler::setBusy()
{
    setBusy(0);
}
