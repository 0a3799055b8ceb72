#pragma once

#include <cstdint>

// What a Windows low-level keyboard hook would have received for one Linux key event.
struct KeyRecord {
    std::uint32_t message;
    std::uint32_t scanCode;
    std::uint32_t flags;
};

// Set-1 scan code of a Linux key code (linux/input-event-codes.h), with Windows' extended flag.
// Keys without a scan code give scan 0, which no table knows.
struct ScanCode {
    std::uint8_t scan;
    bool extended;
};
ScanCode scanCodeForLinuxKey(unsigned linuxCode);

// Turns the key events of one source into hook records. Linux events carry no modifier state,
// so the builder follows the Alt keys itself for the Alt flag.
class KeyRecordBuilder
{
public:
    KeyRecord record(unsigned linuxCode, bool down);

private:
    bool leftAltDown = false;
    bool rightAltDown = false;
};
