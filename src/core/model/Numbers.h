#pragma once

#include <cmath>

namespace kestrava::model {

// The integer nearest to x, a tie going to the even integer (120.5 -> 120,
// 121.5 -> 122). Used wherever a pixel size comes from a division.
inline int nearest(double x)
{
    const double lower = std::floor(x);
    const double diff = x - lower;
    double r = lower;
    if (diff > 0.5)
        r = lower + 1;
    else if (diff == 0.5)
        r = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1;
    return static_cast<int>(r);
}

} // namespace kestrava::model
