#pragma once

// Milestones of the program's start, written to stderr when the environment
// variable Z4_STARTUP_TRACE is set, one line each:
//   startup-trace <ms since start> <label>
// The start is the value of the variable when it is a steady-clock time
// in nanoseconds (bench_startup passes the moment it launched the program),
// else the first mark. Without the variable every call is a cheap no-op.
class QObject;
class QQuickWindow;

namespace startuptrace {

bool enabled();
void mark(const char *label);
// Marks once the event loop reaches what is queued now (for example a QML
// function invoked with a queued call) and has run it.
void markAfterQueued(QObject *context, const char *label);
// Marks when the window has rendered its next frame.
void markNextFrame(QQuickWindow *window, const char *label);
// With Z4_FRAME_TRACE set as well, writes a line for every frame the window
// renders from now on:
//   frame-trace <ms since start> <ms from synchronising to rendered>
void traceFrames(QQuickWindow *window);

} // namespace startuptrace
