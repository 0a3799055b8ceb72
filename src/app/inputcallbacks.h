#pragma once

#include <cstdint>

// What the input hook calls on every key or button change. The user data is the main window;
// both pass the event on to the view, which hands it to the QML root.
void keyCallback(std::uint8_t usbCode, bool isDown, void *userData);
void mouseCallback(std::uint8_t code, bool isDown, std::int32_t x, std::int32_t y, void *userData);
