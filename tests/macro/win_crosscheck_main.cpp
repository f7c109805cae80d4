// Links the Windows capture source with the translation under MinGW-w64 and,
// when run on Windows (or wine), checks a few translations and that both
// hooks can be installed and removed.
#include "macro/capture/input_hook.h"

#include <cstdio>

namespace {

int lastUsage = -1;

void onKey(std::uint8_t usage, std::uint8_t, void *)
{
    lastUsage = usage;
}

} // namespace

int main()
{
    InputHook hook;
    hook.setKeyboardHookCallback(onKey, nullptr);
    hook.handleKey(0x1C, true, false, true);
    const bool translated = lastUsage == 0x58;
    const bool installed = hook.isInstalled();
    hook.removeHooks();
    std::printf("source %s, installed %d, translated %d\n", hook.sourceName(), installed,
                translated);
    return translated ? 0 : 1;
}
