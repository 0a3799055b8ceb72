#pragma once

#include <QtGlobal>

#include <utility>

// Matrix positions 61 and 76 are the second switches of the two wide keys whose first switches
// are 60 and 75: the keyboard must see them act as 60 and 75, whatever the pages gave. The
// profile files keep what the pages gave. `perPosition` holds `bytesPerPosition` bytes for each
// of the 128 positions.
inline void copySecondSwitches(uchar *perPosition, int bytesPerPosition)
{
    for (const auto &[from, to] : {std::pair{60, 61}, std::pair{75, 76}})
        for (int b = 0; b < bytesPerPosition; ++b)
            perPosition[to * bytesPerPosition + b] = perPosition[from * bytesPerPosition + b];
}
