#include "script/script_numbers.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace ScriptNumbers {

float TextToReal(const char* s) {
    if (!s) return 0.0f;
    return NarrowToFloat(std::strtod(s, nullptr));
}

void FormatInt(char* buf, int value) {
    // The same digits as "%d", without the cost of a format string.
    char* end = std::to_chars(buf, buf + kTextSize - 1, value).ptr;
    *end = '\0';
}

void FormatReal(char* buf, float value) {
    // The largest float needs 46 characters with "%f"; the buffer holds 64.
    std::snprintf(buf, kTextSize, "%f", static_cast<double>(value));
}

}  // namespace ScriptNumbers
