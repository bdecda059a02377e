#include "foundation/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace {
FatalHandler g_handler = nullptr;
}

void SetFatalHandler(FatalHandler handler) { g_handler = handler; }

void FatalExit(std::string_view message, int code) {
    if (g_handler) g_handler(message, code);
    std::fwrite(message.data(), 1, message.size(), stdout);
    std::fflush(stdout);
    std::exit(code);
}
