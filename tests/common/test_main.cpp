// The main of every test program: headless media drivers, then GoogleTest.
#include <gtest/gtest.h>

#include <cstdlib>

#include "foundation/sanitizer_defaults.h"

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
