#pragma once

#include <cstdint>

// The Windows low-level mouse message for a Linux button event; 0 for none.

// X11 core buttons: 1 left, 2 middle, 3 right, 4-7 the wheels (one press per notch), 8-9 the
// side buttons.
std::uint32_t mouseMessageForX11Button(unsigned button, bool down);

// evdev button codes (BTN_LEFT ...).
std::uint32_t mouseMessageForEvdevButton(unsigned code, bool down);
