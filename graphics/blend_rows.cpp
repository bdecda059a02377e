// Which row set the blends use: the processor is asked once per process,
// and a test may pin a path for the calls that follow.
#include "graphics/blend_rows.h"

#include <atomic>

namespace GraphAPI {

namespace {

PixelPath BestPath() {
#if defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) return PixelPath::kAvx2;
    return PixelPath::kSse2;  // every x86-64 has SSE2
#else
    return PixelPath::kScalar;
#endif
}

PixelPath Best() {
    static const PixelPath best = BestPath();
    return best;
}

// -1 while no path is forced.
std::atomic<int> g_forced{-1};

}  // namespace

PixelPath ChosenPixelPath() {
    const int forced = g_forced.load(std::memory_order_relaxed);
    return forced < 0 ? Best() : static_cast<PixelPath>(forced);
}

const BlendRows* ChosenBlendRows() {
    switch (ChosenPixelPath()) {
#if defined(__x86_64__)
    case PixelPath::kAvx2:
        return &kAvx2BlendRows;
    case PixelPath::kSse2:
        return &kSse2BlendRows;
#endif
    default:
        return nullptr;
    }
}

const char* PixelPathName(PixelPath path) {
    switch (path) {
    case PixelPath::kAvx2:
        return "avx2";
    case PixelPath::kSse2:
        return "sse2";
    default:
        return "scalar";
    }
}

PixelPath ForcePixelPath(PixelPath path) {
    const PixelPath used = static_cast<int>(path) <= static_cast<int>(Best()) ? path : Best();
    g_forced.store(static_cast<int>(used), std::memory_order_relaxed);
    return used;
}

void UnforcePixelPath() { g_forced.store(-1, std::memory_order_relaxed); }

}  // namespace GraphAPI
