#pragma once

#include <QtGlobal>

// The firmware the program works with: two known versions, or any version carrying the
// model's code bytes 0x11 0x01.
bool isAcceptedFirmware(ushort version, uchar code0, uchar code1);
