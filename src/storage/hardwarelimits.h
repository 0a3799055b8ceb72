#pragma once

#include <QString>

// The keyboard model's limits from its hardware definition file.
struct HardwareLimits {
    uchar kbLayoutType = 0;
    uchar maxMacro = 0;   // at most 255
    uchar maxProfile = 0; // at most 10
};

// Missing keys, a missing file and values that are not unsigned numbers read as 0.
HardwareLimits readHardwareLimits(const QString &path);
