#include "capture/keyrecord_linux.h"

#include "capture/inputhook.h"

#include <linux/input-event-codes.h>

namespace
{

struct LinuxKey {
    unsigned code;
    ScanCode scanCode;
};

// Linux key codes 1-88 are the set-1 scan codes themselves. These are the keys that are not:
// the extended keys carry the flag where Windows sets it (keypad Enter and "/", right Ctrl and
// Alt, Print Screen, the arrow and editing block, the Windows and menu keys, and right Shift and
// Num Lock as Windows reports them), Pause is the plain 0x45, and F13-F24 have their own codes.
constexpr LinuxKey irregularKeys[] = {
    {KEY_RIGHTSHIFT, {0x36, true}}, {KEY_NUMLOCK, {0x45, true}},   {KEY_KPENTER, {0x1C, true}},
    {KEY_RIGHTCTRL, {0x1D, true}},  {KEY_KPSLASH, {0x35, true}},   {KEY_SYSRQ, {0x37, true}},
    {KEY_RIGHTALT, {0x38, true}},   {KEY_HOME, {0x47, true}},      {KEY_UP, {0x48, true}},
    {KEY_PAGEUP, {0x49, true}},     {KEY_LEFT, {0x4B, true}},      {KEY_RIGHT, {0x4D, true}},
    {KEY_END, {0x4F, true}},        {KEY_DOWN, {0x50, true}},      {KEY_PAGEDOWN, {0x51, true}},
    {KEY_INSERT, {0x52, true}},     {KEY_DELETE, {0x53, true}},    {KEY_PAUSE, {0x45, false}},
    {KEY_LEFTMETA, {0x5B, true}},   {KEY_RIGHTMETA, {0x5C, true}}, {KEY_COMPOSE, {0x5D, true}},
    {KEY_F13, {0x64, false}},       {KEY_F14, {0x65, false}},      {KEY_F15, {0x66, false}},
    {KEY_F16, {0x67, false}},       {KEY_F17, {0x68, false}},      {KEY_F18, {0x69, false}},
    {KEY_F19, {0x6A, false}},       {KEY_F20, {0x6B, false}},      {KEY_F21, {0x6C, false}},
    {KEY_F22, {0x6D, false}},       {KEY_F23, {0x6E, false}},      {KEY_F24, {0x76, false}},
};

constexpr unsigned lastSet1Code = KEY_F12;

} // namespace

ScanCode scanCodeForLinuxKey(unsigned linuxCode)
{
    for (const LinuxKey &key : irregularKeys) {
        if (key.code == linuxCode)
            return key.scanCode;
    }
    if (linuxCode <= lastSet1Code)
        return {static_cast<std::uint8_t>(linuxCode), false};
    return {0, false};
}

KeyRecord KeyRecordBuilder::record(unsigned linuxCode, bool down)
{
    if (linuxCode == KEY_LEFTALT)
        leftAltDown = down;
    else if (linuxCode == KEY_RIGHTALT)
        rightAltDown = down;
    const bool altDown = leftAltDown || rightAltDown;

    const ScanCode scanCode = scanCodeForLinuxKey(linuxCode);
    std::uint32_t flags = scanCode.extended ? InputHook::LlkhfExtended : 0;
    if (altDown)
        flags |= InputHook::LlkhfAltDown;
    // Windows sends the "system" messages while Alt is held.
    const std::uint32_t message = down ? (altDown ? InputHook::WmSysKeyDown : InputHook::WmKeyDown)
                                       : (altDown ? InputHook::WmSysKeyUp : InputHook::WmKeyUp);
    return {message, scanCode.scan, flags};
}
