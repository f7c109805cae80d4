#include "macro/capture/app_key_event_source.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// X key codes are Linux input codes shifted by 8.
constexpr quint32 xKeyCodeOffset = 8;

std::uint32_t mouseMessage(Qt::MouseButton button, bool isDown)
{
    switch (button) {
    case Qt::LeftButton:
        return EvdevKeyTranslator::mouseMessageForX11Button(1, isDown);
    case Qt::MiddleButton:
        return EvdevKeyTranslator::mouseMessageForX11Button(2, isDown);
    case Qt::RightButton:
        return EvdevKeyTranslator::mouseMessageForX11Button(3, isDown);
    default:
        return 0;
    }
}

} // namespace

AppKeyEventSource::AppKeyEventSource() = default;

AppKeyEventSource::~AppKeyEventSource()
{
    stop();
}

bool AppKeyEventSource::start(KeyEventSink &eventSink)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    sink = &eventSink;
    app->installEventFilter(this);
    return true;
}

void AppKeyEventSource::stop()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
    sink = nullptr;
}

bool AppKeyEventSource::eventFilter(QObject *watched, QEvent *event)
{
    // A window-system event reaches its QWindow first and is then passed on
    // (to widgets, to a QQuickWidget's offscreen window) without the
    // spontaneous mark; taking only the first delivery sees each event once.
    if (!sink || !event->spontaneous() || !watched->isWindowType())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const quint32 code = key->nativeScanCode();
        Set1Key set1;
        if (code >= xKeyCodeOffset &&
            translator.translate(code - xKeyCodeOffset, event->type() == QEvent::KeyPress, set1))
            sink->handleKey(set1.scanCode, set1.extended, set1.altDown,
                            event->type() == QEvent::KeyPress);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const std::uint32_t message =
            mouseMessage(mouse->button(), event->type() == QEvent::MouseButtonPress);
        const QPoint at = mouse->globalPosition().toPoint();
        if (message != 0)
            sink->handleMouseMessage(message, at.x(), at.y());
        break;
    }
    default:
        break;
    }
    return false;
}
