// Integer arithmetic on positions, sizes and offsets that come from files
// and scripts: done in 64 bits and brought back into the int range, so a
// coordinate at either end of the range never overflows.
#pragma once

#include <climits>
#include <cstdint>

// v clamped to INT_MIN..INT_MAX.
constexpr int SaturateInt(int64_t v) {
    return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

// a + b and a - b, each held at the int range's ends instead of wrapping.
constexpr int SaturatingAdd(int a, int b) { return SaturateInt(int64_t{a} + b); }
constexpr int SaturatingSub(int a, int b) { return SaturateInt(int64_t{a} - b); }
