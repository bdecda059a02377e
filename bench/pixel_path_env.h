// Lets a benchmark run pin the path of the blend rows, to measure each one:
// ENGINE_PIXEL_PATH=scalar, sse2 or avx2 (a path the processor lacks falls
// back to the best below it). Unset, the processor's best runs.
#pragma once

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "graphics/blend_rows.h"

inline void PinPixelPathFromEnvironment() {
    const char* name = std::getenv("ENGINE_PIXEL_PATH");
    if (!name) return;
    for (GraphAPI::PixelPath path :
         {GraphAPI::PixelPath::kScalar, GraphAPI::PixelPath::kSse2, GraphAPI::PixelPath::kAvx2})
        if (std::strcmp(name, GraphAPI::PixelPathName(path)) == 0) GraphAPI::ForcePixelPath(path);
}
