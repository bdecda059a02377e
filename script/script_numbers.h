// Number rules shared by the script values and the assembler: text to real
// the way the C runtime's atof reads it, number to text with "%d"/"%f", and
// 32-bit integer arithmetic that wraps instead of overflowing. Text to int is
// foundation's TextToInt and real to int its SatTrunc (both saturating).
#pragma once

#include <cstdint>
#include <limits>

namespace ScriptNumbers {

// atof narrowed to float; values beyond the float range become infinities.
float TextToReal(const char* s);

// Narrows a double to float; out-of-range values become infinities.
inline float NarrowToFloat(double x) {
    constexpr double kMax = static_cast<double>(std::numeric_limits<float>::max());
    if (x > kMax) {
        // Values that round down to the largest float still narrow to it.
        return x < kMax * (1.0 + 0x1p-25) ? std::numeric_limits<float>::max()
                                          : std::numeric_limits<float>::infinity();
    }
    if (x < -kMax) {
        return x > -kMax * (1.0 + 0x1p-25) ? -std::numeric_limits<float>::max()
                                           : -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(x);
}

inline int WrapAdd(int a, int b) {
    return static_cast<int>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int WrapSub(int a, int b) {
    return static_cast<int>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int WrapMul(int a, int b) {
    return static_cast<int>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
// Quotient toward zero; the smallest int divided by -1 gives itself.
inline int WrapDiv(int a, int b) {
    if (b == -1) return WrapSub(0, a);
    return a / b;
}
// Remainder with the sign of the dividend; anything modulo -1 is 0.
inline int WrapRem(int a, int b) {
    if (b == -1) return 0;
    return a % b;
}

// The difference a - b when it fits an int, otherwise the nearest int, so
// that the sign is always right.
inline int CompareDiff(int a, int b) {
    int64_t d = static_cast<int64_t>(a) - static_cast<int64_t>(b);
    if (d > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (d < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(d);
}

// -1, 0 or 1; an unordered pair (a NaN) gives 1.
inline int CompareReal(double a, double b) {
    if (a == b) return 0;
    if (a < b) return -1;
    return 1;
}

// "%d" and "%f" into a caller's buffer of at least kTextSize bytes.
constexpr int kTextSize = 64;
void FormatInt(char* buf, int value);
void FormatReal(char* buf, float value);

}  // namespace ScriptNumbers
