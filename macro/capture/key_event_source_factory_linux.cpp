#include "macro/capture/app_key_event_source.h"
#include "macro/capture/key_event_source.h"

#include <QGuiApplication>

#ifdef Z4_HAVE_XINPUT
#include "macro/capture/key_event_source_x11.h"
#endif

std::unique_ptr<KeyEventSource> createKeyEventSource()
{
#ifdef Z4_HAVE_XINPUT
    // Only when the program itself runs on X: under Wayland an X server
    // (XWayland) would see the keys of X clients alone, missing our window.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        auto x11 = std::make_unique<X11KeyEventSource>();
        if (x11->isAvailable())
            return x11;
    }
#endif
    return std::make_unique<AppKeyEventSource>();
}
