#include "view/effects/effectintervals.h"

#include <array>

namespace
{
using Row = std::array<int, 7>;

// Indexed by type 0x00 .. 0x0B, then by speed value 1 .. 7.
constexpr std::array<Row, 12> intervals{{
    {600, 900, 1200, 1500, 1800, 2100, 2400},
    {16, 48, 64, 96, 112, 144, 160},
    {10, 15, 20, 25, 30, 35, 40},
    {22, 66, 88, 132, 154, 198, 220},
    {15, 30, 45, 60, 75, 90, 105},
    {10, 20, 25, 35, 40, 50, 55},
    {7, 21, 28, 42, 49, 63, 70},
    {15, 20, 25, 30, 35, 40, 45},
    {30, 40, 50, 60, 70, 80, 90},
    {10, 20, 25, 35, 40, 50, 55},
    {7, 21, 28, 42, 49, 63, 70},
    {10, 15, 20, 25, 30, 35, 40},
}};
} // namespace

int effectInterval(int type, int speedLV)
{
    if (speedLV < 1 || speedLV > 7)
        return 0;
    const int row = type >= EffectType::breathing && type <= EffectType::vortex
                        ? type
                        : EffectType::staticLight;
    return intervals[row][speedLV - 1];
}
