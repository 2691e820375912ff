// The one conversion between the 0..255 colour values users type and the
// 0..1 components Direct3D works with.
#pragma once

#include <cmath>
#include <limits>

// 1/255 as the float the program has always used.
inline constexpr float kByteToUnit = 0.003921569f;

inline float ByteToUnit(int value) { return static_cast<float>(value) * kByteToUnit; }

// Component x 255, truncated toward zero. Components far outside 0..1 (a
// light made brighter than white by typing) saturate at the int range
// rather than overflow.
inline int UnitToByte(float component)
{
    const double scaled = std::trunc(static_cast<double>(component) * 255.0);
    if (std::isnan(scaled)) return 0;
    if (scaled >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (scaled <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(scaled);
}
