// The one way the engine ends on a fatal error: the message goes to standard
// output exactly as given, standard output is flushed, and the process exits
// with the given code (running the exit handlers).
#pragma once

#include <string_view>

[[noreturn]] void FatalExit(std::string_view message, int code);

// A harness that must outlive fatal errors (the fuzz targets) installs a
// handler that FatalExit calls first, with the message and code; it ends
// the failed work by throwing. Null (the default) restores plain exiting.
using FatalHandler = void (*)(std::string_view message, int code);
void SetFatalHandler(FatalHandler handler);
