#include <cstdio>

#include "app/startup.h"
#include "foundation/sanitizer_defaults.h"

int main() {
    // Each line reaches standard output when its end of line is written,
    // whatever it is (a terminal, a pipe, a log file): not only when a
    // buffer fills or the program ends, nor lost to a crash or a kill.
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
    int result = RunProgram();
    std::fflush(stdout);
    return result;
}
