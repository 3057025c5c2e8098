#include "regeln.h"

#include <algorithm>
#include <cmath>

int drawDoor(float r, int doorCount)
{
    const float product = r * static_cast<float>(doorCount);
    // For r below 1 the single-precision product stays below N; the bound only keeps a
    // caller's out-of-range r from naming a door that does not exist.
    return std::clamp(static_cast<int>(std::floor(product)), 0, doorCount - 1);
}
