#include "capture/mousemessage_linux.h"

#include "capture/inputhook.h"

#include <linux/input-event-codes.h>

namespace
{

std::uint32_t pick(bool down, std::uint32_t downMessage, std::uint32_t upMessage)
{
    return down ? downMessage : upMessage;
}

} // namespace

std::uint32_t mouseMessageForX11Button(unsigned button, bool down)
{
    switch (button) {
    case 1:
        return pick(down, InputHook::WmLButtonDown, InputHook::WmLButtonUp);
    case 2:
        return pick(down, InputHook::WmMButtonDown, InputHook::WmMButtonUp);
    case 3:
        return pick(down, InputHook::WmRButtonDown, InputHook::WmRButtonUp);
    case 4:
    case 5:
        return pick(down, InputHook::WmMouseWheel, 0);
    case 6:
    case 7:
        return pick(down, InputHook::WmMouseHWheel, 0);
    case 8:
    case 9:
        return pick(down, InputHook::WmXButtonDown, InputHook::WmXButtonUp);
    default:
        return 0;
    }
}

std::uint32_t mouseMessageForEvdevButton(unsigned code, bool down)
{
    switch (code) {
    case BTN_LEFT:
        return pick(down, InputHook::WmLButtonDown, InputHook::WmLButtonUp);
    case BTN_MIDDLE:
        return pick(down, InputHook::WmMButtonDown, InputHook::WmMButtonUp);
    case BTN_RIGHT:
        return pick(down, InputHook::WmRButtonDown, InputHook::WmRButtonUp);
    case BTN_SIDE:
    case BTN_EXTRA:
        return pick(down, InputHook::WmXButtonDown, InputHook::WmXButtonUp);
    default:
        return 0;
    }
}
