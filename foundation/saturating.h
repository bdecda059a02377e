// Saturating integer arithmetic for positions, sizes and offsets that come
// from scripts or files: the work is done in 64 bits and the result is cut
// to the int range, so no sum, difference or scaled value of such numbers
// can overflow. Every layer that adds coordinates uses these. Also the small
// int helpers (larger, smaller, magnitude), which never overflow either.
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

// v cut to the int range.
constexpr int SaturateInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// a + b and a - b for operands in the int range (or sums of a few ints),
// saturated.
constexpr int SatAdd(int64_t a, int64_t b) { return SaturateInt(a + b); }
constexpr int SatSub(int64_t a, int64_t b) { return SaturateInt(a - b); }

// Conversion toward zero; NaN gives 0, values beyond the int range saturate.
inline int SatTrunc(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT_MAX;
    if (v <= -2147483648.0) return INT_MIN;
    return static_cast<int>(v);
}

inline int MaxInt(int a, int b) { return a > b ? a : b; }
inline int MinInt(int a, int b) { return a < b ? a : b; }
// |a|; the most negative int stays as it is instead of overflowing.
inline int AbsInt(int a) { return a < 0 ? static_cast<int>(0u - static_cast<unsigned>(a)) : a; }
