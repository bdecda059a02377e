#include <cstdio>

#include "shell/startup.h"

int main() {
    int result = RunProgram();
    std::fflush(stdout);
    return result;
}
