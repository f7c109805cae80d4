// Windows low-level hooks. Kept free of Qt so that it can be checked with a
// plain MinGW compiler.
#include "macro/capture/key_event_source.h"

#include <windows.h>

namespace {

KeyEventSink *activeSink = nullptr;
HHOOK keyboardHook = nullptr;
HHOOK mouseHook = nullptr;

LRESULT CALLBACK keyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    // Negative codes must be passed on untouched.
    if (nCode == HC_ACTION && activeSink) {
        const auto *info = reinterpret_cast<const KBDLLHOOKSTRUCT *>(lParam);
        const bool isDown = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        const std::uint8_t scan = info->scanCode > 255 ? 0 : std::uint8_t(info->scanCode);
        activeSink->handleKey(scan, (info->flags & LLKHF_EXTENDED) != 0,
                              (info->flags & LLKHF_ALTDOWN) != 0, isDown);
    }
    return CallNextHookEx(keyboardHook, nCode, wParam, lParam);
}

LRESULT CALLBACK mouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && activeSink && wParam >= MouseMessage::LButtonDown &&
        wParam <= MouseMessage::MButtonUp) {
        const auto *info = reinterpret_cast<const MSLLHOOKSTRUCT *>(lParam);
        activeSink->handleMouseMessage(std::uint32_t(wParam), int(info->pt.x), int(info->pt.y));
    }
    return CallNextHookEx(mouseHook, nCode, wParam, lParam);
}

class WindowsHookSource final : public KeyEventSource
{
public:
    ~WindowsHookSource() override { stop(); }

    bool start(KeyEventSink &sink) override
    {
        stop();
        activeSink = &sink;
        HINSTANCE module = GetModuleHandleW(nullptr);
        keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHookProc, module, 0);
        mouseHook = SetWindowsHookExW(WH_MOUSE_LL, mouseHookProc, module, 0);
        if (keyboardHook && mouseHook)
            return true;
        stop();
        return false;
    }

    void stop() override
    {
        if (keyboardHook)
            UnhookWindowsHookEx(keyboardHook);
        if (mouseHook)
            UnhookWindowsHookEx(mouseHook);
        keyboardHook = nullptr;
        mouseHook = nullptr;
        activeSink = nullptr;
    }

    const char *name() const override { return "windows-hooks"; }
};

} // namespace

std::unique_ptr<KeyEventSource> createKeyEventSource()
{
    return std::make_unique<WindowsHookSource>();
}
