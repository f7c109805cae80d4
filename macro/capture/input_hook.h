#pragma once

#include "macro/capture/key_event_source.h"

#include <array>
#include <cstdint>
#include <memory>

// Global key and mouse-button capture for the pages that learn a key by
// having the user press it. Events of the platform source are translated in
// two fixed stages (set-1 scan code -> virtual-key code -> USB HID usage),
// auto-repeats are dropped, and presses and releases go to the registered
// callbacks. Nothing here ever holds back an event from other applications.
//
// Everything runs on the GUI thread; the callbacks must return quickly.
class InputHook final : public KeyEventSink
{
public:
    using KeyboardCallback = void (*)(std::uint8_t usage, std::uint8_t isDown, void *context);
    using MouseCallback = void (*)(std::uint8_t code, std::uint8_t isDown, int x, int y,
                                   void *context);

    // Captures through the platform's source (createKeyEventSource()).
    InputHook();
    // Captures through the given source; null leaves only the translation
    // entry points (handleKey, handleMouseMessage).
    explicit InputHook(std::unique_ptr<KeyEventSource> source);
    ~InputHook() override;

    InputHook(const InputHook &) = delete;
    InputHook &operator=(const InputHook &) = delete;

    // (Re)starts the source; false when it could not be started, in which
    // case nothing is captured.
    bool installHooks();
    void removeHooks();
    bool isInstalled() const { return installed; }
    const char *sourceName() const;

    // May be called before or after installation; a null callback drops the
    // events of its kind.
    void setKeyboardHookCallback(KeyboardCallback callback, void *context);
    void setMouseHookCallback(MouseCallback callback, void *context);

    // Translation entry points, fed by the source (and by tests).
    void handleKey(std::uint8_t scanCode, bool extended, bool altDown, bool isDown) override;
    void handleMouseMessage(std::uint32_t message, int x, int y) override;

    // Stage 1 with its two overrides (Ctrl+Break, Alt+Print Screen); 0 when
    // the key has no row.
    static std::uint8_t virtualKeyFor(std::uint8_t scanCode, bool extended, bool altDown);
    // Stage 2; 0 for virtual-key codes without a row.
    static std::uint8_t usageForVirtualKey(std::uint8_t vk);
    // Number of rows of stage 1 (without the overrides).
    static int scanTableRows();

    bool isKeyDown(std::uint8_t usage) const { return keyDownState[usage] != 0; }

private:
    std::unique_ptr<KeyEventSource> source;
    bool installed = false;
    KeyboardCallback keyboardCallback = nullptr;
    void *keyboardContext = nullptr;
    MouseCallback mouseCallback = nullptr;
    void *mouseContext = nullptr;
    // Last state reported per usage; never reset while the program runs.
    std::array<std::uint8_t, 256> keyDownState{};
};
