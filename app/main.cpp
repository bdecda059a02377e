#include <cstdio>

#include "app/startup.h"
#include "foundation/sanitizer_defaults.h"

int main() {
    int result = RunProgram();
    std::fflush(stdout);
    return result;
}
