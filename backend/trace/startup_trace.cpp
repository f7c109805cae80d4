#include "backend/trace/startup_trace.h"

#include <QMetaObject>
#include <QQuickWindow>
#include <chrono>
#include <cstdio>
#include <memory>

namespace startuptrace {

namespace {

qint64 nowNs()
{
    // steady_clock is CLOCK_MONOTONIC on Linux, the clock the bench uses.
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

struct State
{
    bool on = false;
    bool frames = !qgetenv("Z4_FRAME_TRACE").isNull();
    qint64 originNs = 0;

    State()
    {
        const QByteArray value = qgetenv("Z4_STARTUP_TRACE");
        if (value.isNull())
            return;
        on = true;
        bool ok = false;
        originNs = value.toLongLong(&ok);
        if (!ok || originNs <= 0)
            originNs = nowNs();
    }
};

State &state()
{
    static State s;
    return s;
}

} // namespace

bool enabled()
{
    return state().on;
}

void mark(const char *label)
{
    const State &s = state();
    if (!s.on)
        return;
    std::fprintf(stderr, "startup-trace %.1f %s\n", double(nowNs() - s.originNs) / 1e6, label);
    std::fflush(stderr);
}

void markAfterQueued(QObject *context, const char *label)
{
    if (!enabled())
        return;
    QMetaObject::invokeMethod(
        context, [label] { mark(label); }, Qt::QueuedConnection);
}

void markNextFrame(QQuickWindow *window, const char *label)
{
    if (!enabled() || !window)
        return;
    QObject::connect(
        window, &QQuickWindow::afterRendering, window, [label] { mark(label); },
        Qt::ConnectionType(Qt::DirectConnection | Qt::SingleShotConnection));
}

void traceFrames(QQuickWindow *window)
{
    if (!enabled() || !state().frames || !window)
        return;
    // Both signals come from the thread that renders (the GUI thread, for a
    // Quick widget).
    auto start = std::make_shared<qint64>(0);
    QObject::connect(
        window, &QQuickWindow::beforeSynchronizing, window, [start] { *start = nowNs(); },
        Qt::DirectConnection);
    QObject::connect(
        window, &QQuickWindow::afterRendering, window,
        [start] {
            const qint64 end = nowNs();
            std::fprintf(stderr, "frame-trace %.1f %.2f\n", double(end - state().originNs) / 1e6,
                         double(end - *start) / 1e6);
        },
        Qt::DirectConnection);
}

} // namespace startuptrace
