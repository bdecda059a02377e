#include <cstdio>

#include "foundation/sanitizer_defaults.h"
#include "app/startup.h"

int main() {
    int result = RunProgram();
    std::fflush(stdout);
    return result;
}
