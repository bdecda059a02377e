// The one way the engine ends on a fatal error: the message goes to standard
// output exactly as given, standard output is flushed, and the process exits
// with the given code (running the exit handlers).
#pragma once

#include <string_view>

[[noreturn]] void FatalExit(std::string_view message, int code);
