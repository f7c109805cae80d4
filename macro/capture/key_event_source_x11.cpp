#include "macro/capture/key_event_source_x11.h"

#include <QSocketNotifier>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace {

constexpr unsigned xKeyCodeOffset = 8;

void selectRawEvents(Display *display, bool enable)
{
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (enable) {
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
    }
    XIEventMask mask;
    // Master devices only: each physical event then arrives once, whichever
    // keyboard or mouse it came from.
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = sizeof bits;
    mask.mask = bits;
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XFlush(display);
}

} // namespace

X11KeyEventSource::X11KeyEventSource(const QString &displayName)
{
    const QByteArray name = displayName.toLocal8Bit();
    display = XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
    if (!display)
        return;
    int event = 0;
    int error = 0;
    int opcode = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error))
        return;
    int major = 2;
    int minor = 0;
    if (XIQueryVersion(display, &major, &minor) != Success)
        return;
    xiOpcode = opcode;
}

X11KeyEventSource::~X11KeyEventSource()
{
    stop();
    if (display)
        XCloseDisplay(display);
}

bool X11KeyEventSource::start(KeyEventSink &eventSink)
{
    if (!isAvailable())
        return false;
    stop();
    sink = &eventSink;
    selectRawEvents(display, true);
    notifier = new QSocketNotifier(ConnectionNumber(display), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &X11KeyEventSource::readEvents);
    readEvents();
    return true;
}

void X11KeyEventSource::stop()
{
    if (!sink)
        return;
    delete notifier;
    notifier = nullptr;
    selectRawEvents(display, false);
    sink = nullptr;
}

void X11KeyEventSource::readEvents()
{
    // XPending reads the socket; without it the notifier would fire again
    // for data Xlib has already buffered.
    while (display && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        XGenericEventCookie *cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != xiOpcode ||
            !XGetEventData(display, cookie))
            continue;
        const auto *raw = static_cast<const XIRawEvent *>(cookie->data);
        const int type = cookie->evtype;
        if (sink && (type == XI_RawKeyPress || type == XI_RawKeyRelease) &&
            unsigned(raw->detail) >= xKeyCodeOffset) {
            const bool isDown = type == XI_RawKeyPress;
            Set1Key key;
            if (translator.translate(unsigned(raw->detail) - xKeyCodeOffset, isDown, key))
                sink->handleKey(key.scanCode, key.extended, key.altDown, isDown);
        } else if (sink && (type == XI_RawButtonPress || type == XI_RawButtonRelease)) {
            const std::uint32_t message = EvdevKeyTranslator::mouseMessageForX11Button(
                unsigned(raw->detail), type == XI_RawButtonPress);
            if (message != 0) {
                // Raw events carry no position; ask for the pointer's.
                Window root = 0;
                Window child = 0;
                int rootX = 0;
                int rootY = 0;
                int winX = 0;
                int winY = 0;
                unsigned int buttons = 0;
                XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY,
                              &winX, &winY, &buttons);
                sink->handleMouseMessage(message, rootX, rootY);
            }
        }
        XFreeEventData(display, cookie);
    }
}
