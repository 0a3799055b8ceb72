#include "capture/hookbackend.h"
#include "capture/inputhook.h"

#include <windows.h>

namespace
{

// Low-level hooks carry no user data, so the procedures find the hooks through this pointer.
// Set and cleared on the GUI thread, the only thread the procedures run on.
class WindowsHooks;
WindowsHooks *activeHooks = nullptr;

LRESULT CALLBACK keyboardHookProc(int code, WPARAM message, LPARAM record);
LRESULT CALLBACK mouseHookProc(int code, WPARAM message, LPARAM record);

class WindowsHooks final : public HookBackend
{
public:
    explicit WindowsHooks(InputHook &owner) : hook(owner) {}
    ~WindowsHooks() override { remove(); }

    bool install() override
    {
        const HMODULE module = GetModuleHandleW(nullptr);
        keyboardHandle = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHookProc, module, 0);
        mouseHandle = SetWindowsHookExW(WH_MOUSE_LL, mouseHookProc, module, 0);
        if (keyboardHandle && mouseHandle) {
            activeHooks = this;
            return true;
        }
        // Half a hook would report keys with nobody able to remove it: take back the one that
        // did install.
        remove();
        return false;
    }

    void remove() override
    {
        if (keyboardHandle)
            UnhookWindowsHookEx(keyboardHandle);
        if (mouseHandle)
            UnhookWindowsHookEx(mouseHandle);
        keyboardHandle = nullptr;
        mouseHandle = nullptr;
        if (activeHooks == this)
            activeHooks = nullptr;
    }

    bool installed() const override { return keyboardHandle || mouseHandle; }

    InputHook &hook;
    HHOOK keyboardHandle = nullptr;
    HHOOK mouseHandle = nullptr;
};

// Both procedures only watch: every event goes on to the next hook and so to the focused
// application. A negative code means the record is not ours to read.
LRESULT CALLBACK keyboardHookProc(int code, WPARAM message, LPARAM record)
{
    if (activeHooks && code >= 0) {
        const auto *key = reinterpret_cast<const KBDLLHOOKSTRUCT *>(record);
        activeHooks->hook.keyboardProcedure(code, static_cast<std::uint32_t>(message),
                                            static_cast<std::uint32_t>(key->scanCode),
                                            static_cast<std::uint32_t>(key->flags));
    }
    return CallNextHookEx(activeHooks ? activeHooks->keyboardHandle : nullptr, code, message,
                          record);
}

LRESULT CALLBACK mouseHookProc(int code, WPARAM message, LPARAM record)
{
    if (activeHooks && code >= 0) {
        const auto *mouse = reinterpret_cast<const MSLLHOOKSTRUCT *>(record);
        activeHooks->hook.mouseProcedure(static_cast<std::uint32_t>(message),
                                         static_cast<std::int32_t>(mouse->pt.x),
                                         static_cast<std::int32_t>(mouse->pt.y));
    }
    return CallNextHookEx(activeHooks ? activeHooks->mouseHandle : nullptr, code, message, record);
}

} // namespace

std::unique_ptr<HookBackend> createHookBackend(InputHook &hook)
{
    return std::make_unique<WindowsHooks>(hook);
}
