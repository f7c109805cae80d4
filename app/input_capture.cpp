#include "app/input_capture.h"

#include "app/widget.h"
#include "backend/bridge/my_qquick_view.h"
#include "macro/capture/capture_log.h"
#include "macro/capture/input_hook.h"

namespace {

void keyCallback(std::uint8_t usage, std::uint8_t isDown, void *context)
{
    if (!context)
        return;
    static_cast<Widget *>(context)->view()->detectKeyboard(isDown != 0, usage);
}

void mouseCallback(std::uint8_t code, std::uint8_t isDown, int x, int y, void *context)
{
    if (!context)
        return;
    static_cast<Widget *>(context)->view()->detectMouse(isDown != 0, code, uint(x), uint(y));
}

} // namespace

void connectInputHook(InputHook &hook, Widget &host)
{
    hook.setKeyboardHookCallback(keyCallback, &host);
    hook.setMouseHookCallback(mouseCallback, &host);
    qCDebug(lcCapture, "Key capture through %s: %s", hook.sourceName(),
            hook.isInstalled() ? "on" : "failed");
}
