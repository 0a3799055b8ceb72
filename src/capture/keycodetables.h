#pragma once

#include <cstdint>
#include <map>

// The two fixed tables that turn a hook's keyboard record into a USB HID keyboard usage (page
// 0x07, the code space of the key matrix and the macros). A key missing from a table looks up
// as 0, which means "no key".

// Key = scan code × 256 + extended bit (the hook's LLKHF_EXTENDED flag); value = Windows
// virtual-key code.
std::map<std::uint16_t, std::uint8_t> buildScanToVk();

// Virtual-key code → usage. ukLayout decides VK_OEM_5 (0xDC): the key left of Enter on a UK
// keyboard (usage 0x32, "non-US #") and the one above it on an ANSI keyboard (usage 0x31, "\").
std::map<std::uint8_t, std::uint8_t> buildVkToUsage(bool ukLayout);
