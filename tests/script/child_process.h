// Runs a piece of code in a child process and reports what it wrote to
// standard output and how it ended; for checking fatal messages exactly.
#pragma once

#include <functional>
#include <string>

struct ChildOutcome {
    bool exited = false;  // ended through exit() rather than a signal
    int exitCode = -1;
    std::string out;  // everything written to standard output
};

// The child runs `body`; when body returns, the child exits with code 0.
ChildOutcome RunInChild(const std::function<void()>& body);
