#pragma once

#include "capture/hookbackend.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>

// System-wide key and mouse-button observer. Every physical key press and release is turned,
// through the scan code and the Windows virtual-key code, into a USB HID keyboard usage and
// reported when its state changes; left, right and middle button presses and releases are
// reported with the pointer's screen position. Events are only watched: each one goes on to the
// focused application untouched.
//
// The procedures, the tables and the callbacks all run on the GUI thread, the thread that
// installed the hooks; nothing here is shared with another thread.
class InputHook
{
public:
    using KeyCallback = void (*)(std::uint8_t usage, bool down, void *userData);
    using MouseCallback = void (*)(std::uint8_t code, bool down, std::int32_t x, std::int32_t y,
                                   void *userData);

    // The record fields a low-level hook receives.
    static constexpr std::uint32_t WmKeyDown = 0x0100;
    static constexpr std::uint32_t WmKeyUp = 0x0101;
    static constexpr std::uint32_t WmSysKeyDown = 0x0104;
    static constexpr std::uint32_t WmSysKeyUp = 0x0105;
    static constexpr std::uint32_t WmLButtonDown = 0x0201;
    static constexpr std::uint32_t WmLButtonUp = 0x0202;
    static constexpr std::uint32_t WmRButtonDown = 0x0204;
    static constexpr std::uint32_t WmRButtonUp = 0x0205;
    static constexpr std::uint32_t WmMButtonDown = 0x0207;
    static constexpr std::uint32_t WmMButtonUp = 0x0208;
    static constexpr std::uint32_t WmMouseWheel = 0x020A;
    static constexpr std::uint32_t WmXButtonDown = 0x020B;
    static constexpr std::uint32_t WmXButtonUp = 0x020C;
    static constexpr std::uint32_t WmMouseHWheel = 0x020E;
    static constexpr std::uint32_t LlkhfExtended = 0x01;
    static constexpr std::uint32_t LlkhfAltDown = 0x20;

    // Builds the tables and installs the hooks of this platform; whether that worked does not
    // matter to the caller (without hooks the program simply gets no reports).
    explicit InputHook(bool isUkLayout);
    // The same with another event source; nullptr means none, the procedures are then fed by
    // whoever owns the object.
    InputHook(bool isUkLayout, std::unique_ptr<HookBackend> source);
    ~InputHook();

    InputHook(const InputHook &) = delete;
    InputHook &operator=(const InputHook &) = delete;

    bool installHooks();
    void removeHooks();
    void setKeyCallback(KeyCallback callback, void *userData);
    void setMouseCallback(MouseCallback callback, void *userData);

    // The keyboard procedure: one low-level keyboard record (hook code, message, scan code,
    // flags). Reports the key's usage when its state changed.
    void keyboardProcedure(int hookCode, std::uint32_t message, std::uint32_t scanCode,
                           std::uint32_t flags);
    // The mouse procedure: one low-level mouse message with the pointer's screen position.
    void mouseProcedure(std::uint32_t message, std::int32_t x, std::int32_t y);

private:
    // VK_OEM_5 (0xDC) is the UK keyboard's "non-US #" key rather than "\\".
    const bool ukLayout;
    const std::map<std::uint16_t, std::uint8_t> scanToVk;
    const std::map<std::uint8_t, std::uint8_t> vkToUsage;
    // Last reported state per usage, 1 = down. Never reset: a key already held at start is
    // first reported when pressed again.
    std::array<std::uint8_t, 256> keyState{};
    KeyCallback keyCallback = nullptr;
    void *keyUserData = nullptr;
    MouseCallback mouseCallback = nullptr;
    void *mouseUserData = nullptr;
    std::unique_ptr<HookBackend> backend;
};
