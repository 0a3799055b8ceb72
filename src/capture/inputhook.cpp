#include "capture/inputhook.h"

#include "capture/hookbackend.h"
#include "capture/keycodetables.h"

#include <utility>

namespace
{

template <typename Map> typename Map::mapped_type lookup(const Map &map, typename Map::key_type key)
{
    const auto it = map.find(key);
    return it == map.end() ? 0 : it->second;
}

struct MouseButton {
    std::uint8_t code;
    bool down;
};

// Messages 0x0201-0x0208 in order; the double clicks (code 0) are not reported.
constexpr MouseButton mouseButtons[] = {
    {0xF0, true},  {0xF0, false}, {0, false},   {0xF1, true},
    {0xF1, false}, {0, false},    {0xF2, true}, {0xF2, false},
};

constexpr std::uint8_t scanPrintScreenWithAlt = 0x54;
constexpr std::uint8_t scanBreak = 0x46;
constexpr std::uint8_t vkPause = 0x13;
constexpr std::uint8_t vkSnapshot = 0x2C;

} // namespace

InputHook::InputHook(bool isUkLayout) : InputHook(isUkLayout, nullptr)
{
    backend = createHookBackend(*this);
    installHooks();
}

InputHook::InputHook(bool isUkLayout, std::unique_ptr<HookBackend> source)
    : ukLayout(isUkLayout), scanToVk(buildScanToVk()), vkToUsage(buildVkToUsage(ukLayout)),
      backend(std::move(source))
{
    if (backend)
        installHooks();
}

InputHook::~InputHook()
{
    removeHooks();
}

bool InputHook::installHooks()
{
    if (!backend)
        return false;
    if (backend->installed())
        removeHooks();
    return backend->install();
}

void InputHook::removeHooks()
{
    if (backend)
        backend->remove();
}

void InputHook::setKeyCallback(KeyCallback callback, void *userData)
{
    keyCallback = callback;
    keyUserData = userData;
}

void InputHook::setMouseCallback(MouseCallback callback, void *userData)
{
    mouseCallback = callback;
    mouseUserData = userData;
}

void InputHook::keyboardProcedure(int hookCode, std::uint32_t message, std::uint32_t scanCode,
                                  std::uint32_t flags)
{
    const bool isDown = hookCode == 0 && (message == WmKeyDown || message == WmSysKeyDown);

    // Scan codes above one byte carry no key of their own; only the extended bit is left.
    const bool extended = (flags & LlkhfExtended) != 0;
    const std::uint8_t scan = scanCode > 0xFF ? 0 : static_cast<std::uint8_t>(scanCode);
    const auto key = static_cast<std::uint16_t>(scan * 256 + (extended ? 1 : 0));

    std::uint8_t vk = lookup(scanToVk, key);
    // Ctrl turns Pause into Break (scan 0x46, extended) and Alt turns Print Screen into SysRq
    // (scan 0x54); the keyboard's matrix knows only the plain keys.
    if (scan == scanBreak && extended)
        vk = vkPause;
    else if (scan == scanPrintScreenWithAlt && (flags & LlkhfAltDown) != 0)
        vk = vkSnapshot;
    if (vk == 0)
        return;

    const std::uint8_t usage = lookup(vkToUsage, vk);
    if (usage == 0)
        return;

    // Auto-repeat sends key-down after key-down: only a change of state is news.
    const std::uint8_t state = isDown ? 1 : 0;
    if (keyState[usage] == state)
        return;
    keyState[usage] = state;
    if (keyCallback)
        keyCallback(usage, isDown, keyUserData);
}

void InputHook::mouseProcedure(std::uint32_t message, std::int32_t x, std::int32_t y)
{
    if (message < WmLButtonDown || message > WmMButtonUp)
        return;
    const MouseButton button = mouseButtons[message - WmLButtonDown];
    if (button.code != 0 && mouseCallback)
        mouseCallback(button.code, button.down, x, y, mouseUserData);
}
