#pragma once

#include <cstdint>
#include <memory>

// The fields of one key or mouse-button event as a Windows low-level hook
// sees them. Every event source on every platform reduces its native events
// to these, so that one translation (InputHook) serves all of them.
class KeyEventSink
{
public:
    virtual ~KeyEventSink() = default;

    // scanCode: set-1 make code; extended: the E0 prefix (LLKHF_EXTENDED);
    // altDown: an Alt key is held (LLKHF_ALTDOWN).
    virtual void handleKey(std::uint8_t scanCode, bool extended, bool altDown, bool isDown) = 0;
    // message: the window message of a button event (0x0201..0x0208);
    // x, y: screen position of the pointer.
    virtual void handleMouseMessage(std::uint32_t message, int x, int y) = 0;
};

namespace MouseMessage {
constexpr std::uint32_t LButtonDown = 0x0201;
constexpr std::uint32_t LButtonUp = 0x0202;
constexpr std::uint32_t LButtonDblClk = 0x0203;
constexpr std::uint32_t RButtonDown = 0x0204;
constexpr std::uint32_t RButtonUp = 0x0205;
constexpr std::uint32_t RButtonDblClk = 0x0206;
constexpr std::uint32_t MButtonDown = 0x0207;
constexpr std::uint32_t MButtonUp = 0x0208;
} // namespace MouseMessage

// A platform's supply of global key and button events. A source only
// observes: it never swallows, delays or alters an event on its way to the
// focused application.
class KeyEventSource
{
public:
    virtual ~KeyEventSource() = default;

    // Starts delivering events to sink; false when the platform refused.
    virtual bool start(KeyEventSink &sink) = 0;
    virtual void stop() = 0;
    virtual const char *name() const = 0;
};

// The one place that picks the source of the running platform: the
// low-level hooks on Windows; on Linux XInput2 raw events on the X root
// window, or the application's own key events where there is no X server.
std::unique_ptr<KeyEventSource> createKeyEventSource();
