// libFuzzer target for the ".zel" and ".z16" readers: any bytes must decode
// cleanly, never past the room given or the data.
#include <SDL/SDL.h>

#include <cstddef>
#include <cstdint>

#include "graphics/picture_files.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SDL_Init(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr int kRoom = 4;
    for (auto decode : {GraphAPI::DecodeZel, GraphAPI::DecodeZ16}) {
        Image* images[kRoom + 1] = {};
        const int n = decode(data, size, images, kRoom);
        if (n < 0 || n > kRoom || images[kRoom]) __builtin_trap();
        for (int i = 0; i < n; ++i) {
            if (!images[i] || !images[i]->surface || images[i]->imgtype != FIRST) __builtin_trap();
            delete images[i];
        }
    }
    return 0;
}
