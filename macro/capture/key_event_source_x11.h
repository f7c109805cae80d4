#pragma once

#include "macro/capture/evdev_scan_codes.h"
#include "macro/capture/key_event_source.h"

#include <QObject>
#include <QString>

class QSocketNotifier;
struct _XDisplay;

// Global key and button events on X11: XInput2 raw events selected on the
// root window over a connection of our own. Raw events are copies sent to
// every client that asks; selecting them grabs nothing and changes nothing
// for the window that has the focus. Key codes arrive as Linux input codes
// + 8.
class X11KeyEventSource final : public QObject, public KeyEventSource
{
    Q_OBJECT

public:
    // displayName: an X display ("" for $DISPLAY). The connection is opened
    // here; isAvailable() says whether it exists and speaks XInput 2.
    explicit X11KeyEventSource(const QString &displayName = QString());
    ~X11KeyEventSource() override;

    bool isAvailable() const { return display && xiOpcode >= 0; }

    bool start(KeyEventSink &sink) override;
    void stop() override;
    const char *name() const override { return "x11"; }

    // Reads whatever events have arrived; the socket notifier calls it.
    void readEvents();

private:
    _XDisplay *display = nullptr;
    int xiOpcode = -1;
    QSocketNotifier *notifier = nullptr;
    KeyEventSink *sink = nullptr;
    EvdevKeyTranslator translator;
};
