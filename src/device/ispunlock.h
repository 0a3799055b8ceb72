#pragma once

#include <array>

// The seven bytes the keyboard's boot loader wants after command 0FH before it takes over.
inline constexpr std::array<unsigned char, 7> ispUnlockSequence{0x5A, 0xA5, 0x3C, 0xC3,
                                                                0x69, 0x96, 0x0F};
