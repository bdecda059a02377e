#include "foundation/fatal.h"

#include <cstdio>
#include <cstdlib>

void FatalExit(std::string_view message, int code) {
    std::fwrite(message.data(), 1, message.size(), stdout);
    std::fflush(stdout);
    std::exit(code);
}
