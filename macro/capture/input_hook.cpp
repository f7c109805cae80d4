#include "macro/capture/input_hook.h"

#include "macro/capture/capture_log.h"

#include <map>

namespace {

struct Row
{
    std::uint16_t key; // (scan code << 8) | E0 flag
    std::uint8_t vk;
    std::uint8_t usage;
};

constexpr std::uint16_t k(std::uint8_t scan)
{
    return std::uint16_t(scan << 8);
}
constexpr std::uint16_t e0(std::uint8_t scan)
{
    return std::uint16_t((scan << 8) | 1);
}

// Keypad Enter goes through the otherwise unused virtual-key code 0E so
// that it stays apart from the main Enter.
constexpr Row rows[] = {
    {k(0x01), 0x1B, 0x29},  {k(0x02), 0x31, 0x1E},  {k(0x03), 0x32, 0x1F},  {k(0x04), 0x33, 0x20},
    {k(0x05), 0x34, 0x21},  {k(0x06), 0x35, 0x22},  {k(0x07), 0x36, 0x23},  {k(0x08), 0x37, 0x24},
    {k(0x09), 0x38, 0x25},  {k(0x0A), 0x39, 0x26},  {k(0x0B), 0x30, 0x27},  {k(0x0C), 0xBD, 0x2D},
    {k(0x0D), 0xBB, 0x2E},  {k(0x0E), 0x08, 0x2A},  {k(0x0F), 0x09, 0x2B},  {k(0x10), 0x51, 0x14},
    {k(0x11), 0x57, 0x1A},  {k(0x12), 0x45, 0x08},  {k(0x13), 0x52, 0x15},  {k(0x14), 0x54, 0x17},
    {k(0x15), 0x59, 0x1C},  {k(0x16), 0x55, 0x18},  {k(0x17), 0x49, 0x0C},  {k(0x18), 0x4F, 0x12},
    {k(0x19), 0x50, 0x13},  {k(0x1A), 0xDB, 0x2F},  {k(0x1B), 0xDD, 0x30},  {k(0x1C), 0x0D, 0x28},
    {e0(0x1C), 0x0E, 0x58}, {k(0x1D), 0xA2, 0xE0},  {e0(0x1D), 0xA3, 0xE4}, {k(0x1E), 0x41, 0x04},
    {k(0x1F), 0x53, 0x16},  {k(0x20), 0x44, 0x07},  {k(0x21), 0x46, 0x09},  {k(0x22), 0x47, 0x0A},
    {k(0x23), 0x48, 0x0B},  {k(0x24), 0x4A, 0x0D},  {k(0x25), 0x4B, 0x0E},  {k(0x26), 0x4C, 0x0F},
    {k(0x27), 0xBA, 0x33},  {k(0x28), 0xDE, 0x34},  {k(0x29), 0xC0, 0x35},  {k(0x2A), 0xA0, 0xE1},
    {k(0x2B), 0xDC, 0x31},  {k(0x2C), 0x5A, 0x1D},  {k(0x2D), 0x58, 0x1B},  {k(0x2E), 0x43, 0x06},
    {k(0x2F), 0x56, 0x19},  {k(0x30), 0x42, 0x05},  {k(0x31), 0x4E, 0x11},  {k(0x32), 0x4D, 0x10},
    {k(0x33), 0xBC, 0x36},  {k(0x34), 0xBE, 0x37},  {k(0x35), 0xBF, 0x38},  {e0(0x35), 0x6F, 0x54},
    {e0(0x36), 0xA1, 0xE5}, {k(0x37), 0x6A, 0x55},  {e0(0x37), 0x2C, 0x46}, {k(0x38), 0xA4, 0xE2},
    {e0(0x38), 0xA5, 0xE6}, {k(0x39), 0x20, 0x2C},  {k(0x3A), 0x14, 0x39},  {k(0x3B), 0x70, 0x3A},
    {k(0x3C), 0x71, 0x3B},  {k(0x3D), 0x72, 0x3C},  {k(0x3E), 0x73, 0x3D},  {k(0x3F), 0x74, 0x3E},
    {k(0x40), 0x75, 0x3F},  {k(0x41), 0x76, 0x40},  {k(0x42), 0x77, 0x41},  {k(0x43), 0x78, 0x42},
    {k(0x44), 0x79, 0x43},  {k(0x45), 0x13, 0x48},  {e0(0x45), 0x90, 0x53}, {k(0x46), 0x91, 0x47},
    {k(0x47), 0x67, 0x5F},  {e0(0x47), 0x24, 0x4A}, {k(0x48), 0x68, 0x60},  {e0(0x48), 0x26, 0x52},
    {k(0x49), 0x69, 0x61},  {e0(0x49), 0x21, 0x4B}, {k(0x4A), 0x6D, 0x56},  {k(0x4B), 0x64, 0x5C},
    {e0(0x4B), 0x25, 0x50}, {k(0x4C), 0x65, 0x5D},  {k(0x4D), 0x66, 0x5E},  {e0(0x4D), 0x27, 0x4F},
    {k(0x4E), 0x6B, 0x57},  {k(0x4F), 0x61, 0x59},  {e0(0x4F), 0x23, 0x4D}, {k(0x50), 0x62, 0x5A},
    {e0(0x50), 0x28, 0x51}, {k(0x51), 0x63, 0x5B},  {e0(0x51), 0x22, 0x4E}, {k(0x52), 0x60, 0x62},
    {e0(0x52), 0x2D, 0x49}, {k(0x53), 0x6E, 0x63},  {e0(0x53), 0x2E, 0x4C}, {k(0x56), 0xE2, 0x64},
    {k(0x57), 0x7A, 0x44},  {k(0x58), 0x7B, 0x45},  {e0(0x5B), 0x5B, 0xE3}, {e0(0x5D), 0x5D, 0x65},
    {k(0x6E), 0x86, 0x72},
};

constexpr std::uint8_t vkPause = 0x13;
constexpr std::uint8_t vkSnapshot = 0x2C;

struct Tables
{
    std::map<std::uint16_t, std::uint8_t> scanCodeToVk;
    std::map<std::uint8_t, std::uint8_t> vkToUsage;
};

const Tables &tables()
{
    static const Tables t = [] {
        Tables built;
        for (const Row &row : rows) {
            built.scanCodeToVk.emplace(row.key, row.vk);
            built.vkToUsage.emplace(row.vk, row.usage);
        }
        return built;
    }();
    return t;
}

template <typename Map> typename Map::mapped_type lookup(const Map &map, typename Map::key_type key)
{
    const auto it = map.find(key);
    return it == map.end() ? 0 : it->second;
}

} // namespace

InputHook::InputHook() : InputHook(createKeyEventSource()) {}

InputHook::InputHook(std::unique_ptr<KeyEventSource> eventSource) : source(std::move(eventSource))
{
    tables();
    installHooks();
}

InputHook::~InputHook()
{
    removeHooks();
}

bool InputHook::installHooks()
{
    if (installed)
        removeHooks();
    installed = source && source->start(*this);
    qCDebug(lcCapture, "Key capture through %s: %s", sourceName(), installed ? "on" : "failed");
    return installed;
}

void InputHook::removeHooks()
{
    if (source)
        source->stop();
    installed = false;
}

const char *InputHook::sourceName() const
{
    return source ? source->name() : "none";
}

void InputHook::setKeyboardHookCallback(KeyboardCallback callback, void *context)
{
    keyboardCallback = callback;
    keyboardContext = context;
}

void InputHook::setMouseHookCallback(MouseCallback callback, void *context)
{
    mouseCallback = callback;
    mouseContext = context;
}

std::uint8_t InputHook::virtualKeyFor(std::uint8_t scanCode, bool extended, bool altDown)
{
    if (scanCode == 0x46 && extended)
        return vkPause;
    if (scanCode == 0x54 && altDown)
        return vkSnapshot;
    return lookup(tables().scanCodeToVk, std::uint16_t((scanCode << 8) | (extended ? 1 : 0)));
}

std::uint8_t InputHook::usageForVirtualKey(std::uint8_t vk)
{
    return lookup(tables().vkToUsage, vk);
}

int InputHook::scanTableRows()
{
    return int(tables().scanCodeToVk.size());
}

void InputHook::handleKey(std::uint8_t scanCode, bool extended, bool altDown, bool isDown)
{
    const std::uint8_t vk = virtualKeyFor(scanCode, extended, altDown);
    if (vk == 0)
        return;
    const std::uint8_t usage = usageForVirtualKey(vk);
    const std::uint8_t state = isDown ? 1 : 0;
    // An unchanged state is an auto-repeat, or the release of a key whose
    // press was never seen.
    if (usage == 0 || keyDownState[usage] == state)
        return;
    keyDownState[usage] = state;
    if (keyboardCallback)
        keyboardCallback(usage, state, keyboardContext);
}

void InputHook::handleMouseMessage(std::uint32_t message, int x, int y)
{
    struct Button
    {
        std::uint8_t code;
        std::uint8_t isDown;
    };
    // Indexed by message - WM_LBUTTONDOWN; double clicks report nothing.
    static constexpr Button buttons[] = {
        {0xF0, 1}, {0xF0, 0}, {0, 0}, {0xF1, 1}, {0xF1, 0}, {0, 0}, {0xF2, 1}, {0xF2, 0},
    };
    if (message < MouseMessage::LButtonDown || message > MouseMessage::MButtonUp)
        return;
    const Button &button = buttons[message - MouseMessage::LButtonDown];
    if (button.code == 0)
        return;
    if (mouseCallback)
        mouseCallback(button.code, button.isDown, x, y, mouseContext);
}
