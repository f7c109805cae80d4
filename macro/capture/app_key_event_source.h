#pragma once

#include "macro/capture/evdev_scan_codes.h"
#include "macro/capture/key_event_source.h"

#include <QObject>

// The fallback source where no global one exists (Wayland without an X
// server, the offscreen platform): key and button events that reach this
// application's own windows. It filters the application's events and never
// consumes one.
//
// The native scan code of a key event is taken as the X key code (Linux
// input code + 8), which is what both the xcb and the Wayland platform
// plugins report.
class AppKeyEventSource final : public QObject, public KeyEventSource
{
    Q_OBJECT

public:
    AppKeyEventSource();
    ~AppKeyEventSource() override;

    bool start(KeyEventSink &sink) override;
    void stop() override;
    const char *name() const override { return "application"; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyEventSink *sink = nullptr;
    EvdevKeyTranslator translator;
};
