// Throughput of the picture code on 1024 x 768 pictures: every blend,
// alpha scaling, duplication, zoom and the ".zel"/".z16" decoders, next to
// SDL's own opaque and alpha blits and memcpy of the same bytes.
//
// The blends, SDL's blits and the alpha scaling each time a memcpy of the
// picture's bytes (3 MiB) in the same loop, one after the other, and
// report x_memcpy: the median of their own times over the median memcpy.
// The label names the path the blend rows took (avx2, sse2, scalar; see
// pixel_path_env.h to pin one).
#include <SDL/SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "graphics/alpha_blit.h"
#include "graphics/blend_rows.h"
#include "graphics/graph_api.h"
#include "graphics/picture_files.h"
#include "pixel_path_env.h"

namespace {

constexpr int kW = 1024, kH = 768;
constexpr int64_t kPixels = int64_t{kW} * kH;

SDL_Surface* NewSurface(bool alpha) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, kW, kH, 32, 0x00FF0000, 0x0000FF00, 0x000000FF,
                                alpha ? 0xFF000000 : 0);
}

// Game-like content: a quarter fully transparent, a quarter opaque, the
// rest of random alpha over random colours.
void Fill(SDL_Surface* s, uint32_t seed) {
    std::mt19937 rng(seed);
    for (int y = 0; y < s->h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < s->w; ++x) {
            uint32_t v = rng();
            switch (v % 4) {
            case 0:
                v &= 0x00FFFFFF;
                break;
            case 1:
                v |= 0xFF000000;
                break;
            default:
                break;
            }
            row[x] = s->format->Amask ? v : (v & 0x00FFFFFF);
        }
    }
}

struct Pictures {
    Image pristine, destination, source, mask;
    Pictures() {
        pristine.AdoptSurface(NewSurface(true));
        GraphAPI::ResetFromSurface(pristine.surface, &pristine);
        Fill(pristine.surface, 1);
        destination.AdoptSurface(NewSurface(true));
        GraphAPI::ResetFromSurface(destination.surface, &destination);
        source.AdoptSurface(NewSurface(true));
        GraphAPI::ResetFromSurface(source.surface, &source);
        Fill(source.surface, 2);
        mask.AdoptSurface(NewSurface(true));
        GraphAPI::ResetFromSurface(mask.surface, &mask);
        Fill(mask.surface, 3);
    }
    void Restore() {
        std::memcpy(destination.surface->pixels, pristine.surface->pixels, static_cast<size_t>(kPixels) * 4);
    }
};

Pictures& Shared() {
    static Pictures pictures;
    return pictures;
}

double Median(std::vector<double>& v) {
    if (v.empty()) return 0;
    std::nth_element(v.begin(), v.begin() + static_cast<ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// Times a memcpy of the picture's bytes and op (after prepare, untimed) by
// turns; the iteration's time is op's.
template <class Prepare, class Op>
void TimeAgainstMemcpy(benchmark::State& state, const char* path, Prepare prepare, Op op) {
    using Clock = std::chrono::steady_clock;
    static std::vector<uint8_t> from(static_cast<size_t>(kPixels) * 4, 7), to(from.size());
    std::vector<double> own, copies;
    for (auto _ : state) {
        prepare();
        // The copy is timed warm, as it runs on its own: its first pass only
        // brings its bytes into the cache.
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::ClobberMemory();
        const auto t0 = Clock::now();
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::ClobberMemory();
        const auto t1 = Clock::now();
        op();
        benchmark::ClobberMemory();
        const auto t2 = Clock::now();
        copies.push_back(std::chrono::duration<double>(t1 - t0).count());
        own.push_back(std::chrono::duration<double>(t2 - t1).count());
        state.SetIterationTime(own.back());
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
    const double copy = Median(copies);
    state.counters["median_us"] = Median(own) * 1e6;
    state.counters["x_memcpy"] = copy > 0 ? Median(own) / copy : 0;
    state.SetLabel(path);
}

template <class Op>
void RunBlend(benchmark::State& state, Op op) {
    Pictures& p = Shared();
    TimeAgainstMemcpy(
        state, GraphAPI::PixelPathName(GraphAPI::ChosenPixelPath()), [&] { p.Restore(); }, [&] { op(p); });
}

void BM_BlendOver(benchmark::State& s) {
    RunBlend(s, [](Pictures& p) { GraphAPI::BlendOver(&p.destination, &p.source); });
}
void BM_BlendAlpha255(benchmark::State& s) {
    RunBlend(s, [](Pictures& p) { GraphAPI::BlendAlpha(&p.destination, &p.source, 255); });
}
void BM_BlendAlpha128(benchmark::State& s) {
    RunBlend(s, [](Pictures& p) { GraphAPI::BlendAlpha(&p.destination, &p.source, 128); });
}
void BM_BlendAdd(benchmark::State& s) {
    RunBlend(s, [](Pictures& p) { GraphAPI::BlendAdd(&p.destination, &p.source); });
}
void BM_BlendAdd256(benchmark::State& s) {
    RunBlend(s, [](Pictures& p) { GraphAPI::BlendAdd256(&p.destination, &p.source, 200); });
}
void BM_MaskAlpha(benchmark::State& s) {
    RunBlend(s, [](Pictures& p) { GraphAPI::MaskAlpha(&p.destination, &p.mask, 1); });
}
void BM_ClearWhereOpaque(benchmark::State& s) {
    RunBlend(s, [](Pictures& p) { GraphAPI::ClearWhereOpaque(&p.destination, &p.source); });
}
void BM_BlendMasked(benchmark::State& s) {
    RunBlend(s, [](Pictures& p) { GraphAPI::BlendMasked(&p.destination, &p.source, &p.mask, 200, 1); });
}
void BM_BlendThroughMask(benchmark::State& s) {
    RunBlend(s, [](Pictures& p) { GraphAPI::BlendThroughMask(&p.destination, &p.source, &p.mask); });
}
void BM_BlendThroughMaskRGB(benchmark::State& s) {
    RunBlend(s, [](Pictures& p) { GraphAPI::BlendThroughMaskRGB(&p.destination, &p.source, &p.mask); });
}
void BM_CopyThroughMask(benchmark::State& s) {
    RunBlend(s, [](Pictures& p) { GraphAPI::CopyThroughMask(&p.destination, &p.source, &p.mask); });
}
void BM_CutOutMask(benchmark::State& s) {
    RunBlend(s, [](Pictures& p) { GraphAPI::CutOutMask(&p.destination, &p.source); });
}
void BM_ScaleAlpha(benchmark::State& s) {
    RunBlend(s, [](Pictures& p) { GraphAPI::ScaleAlpha(&p.destination, 180); });
}

// The same blend onto a destination without alpha (the screen's kind).
void BM_BlendAlpha128_ToRGB(benchmark::State& state) {
    Pictures& p = Shared();
    Image screen, pristine;
    for (Image* i : {&screen, &pristine}) {
        i->AdoptSurface(NewSurface(false));
        GraphAPI::ResetFromSurface(i->surface, i);
    }
    Fill(pristine.surface, 4);
    TimeAgainstMemcpy(
        state, GraphAPI::PixelPathName(GraphAPI::ChosenPixelPath()),
        [&] {
            std::memcpy(screen.surface->pixels, pristine.surface->pixels, static_cast<size_t>(kPixels) * 4);
        },
        [&] { GraphAPI::BlendAlpha(&screen, &p.source, 128); });
}

void BM_DuplicateImage(benchmark::State& state) {
    Pictures& p = Shared();
    for (auto _ : state) {
        Image copy;
        GraphAPI::DuplicateImage(&p.source, &copy);
        benchmark::DoNotOptimize(copy.surface);
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}

void BM_Zoom(benchmark::State& state) {
    Pictures& p = Shared();
    const float factor = static_cast<float>(state.range(0)) / 10.0f;
    for (auto _ : state) {
        state.PauseTiming();
        Image copy;
        GraphAPI::DuplicateImage(&p.source, &copy);
        state.ResumeTiming();
        GraphAPI::ScaleImage(&copy, factor, factor);
        benchmark::DoNotOptimize(copy.surface);
        state.PauseTiming();
        copy.Free();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}

// SDL's own blits of the same size: opaque, and per-pixel alpha onto a
// destination with and without alpha; and the engine's blit of per-pixel
// alpha (the screen's, and a snapshot's into a picture with alpha). An
// opacity below 255 is given to a source without alpha (a translucent
// picture in a snapshot).
void SdlBlit(benchmark::State& state, bool sourceAlpha, bool destinationAlpha, bool engine = false,
             Uint8 opacity = 255) {
    SDL_Surface* src = NewSurface(sourceAlpha);
    SDL_Surface* dst = NewSurface(destinationAlpha);
    Fill(src, 2);
    Fill(dst, 1);
    if (sourceAlpha || opacity < 255) SDL_SetAlpha(src, SDL_SRCALPHA, opacity);
    SDL_Rect at{0, 0, 0, 0};
    TimeAgainstMemcpy(
        state, engine ? GraphAPI::PixelPathName(GraphAPI::ChosenPixelPath()) : "sdl", [] {},
        [&] {
            engine ? GraphAPI::UpperBlit(src, nullptr, dst, &at)
                   : SDL_BlitSurface(src, nullptr, dst, nullptr);
        });
    SDL_FreeSurface(src);
    SDL_FreeSurface(dst);
}
void BM_SdlBlitOpaque(benchmark::State& s) { SdlBlit(s, false, false); }
void BM_SdlBlitAlpha_ToRGB(benchmark::State& s) { SdlBlit(s, true, false); }
void BM_SdlBlitAlpha_ToRGBA(benchmark::State& s) { SdlBlit(s, true, true); }
void BM_EngineBlitAlpha_ToRGB(benchmark::State& s) { SdlBlit(s, true, false, true); }
void BM_EngineBlitAlpha_ToRGBA(benchmark::State& s) { SdlBlit(s, true, true, true); }
void BM_SdlBlitOpacity_ToRGBA(benchmark::State& s) { SdlBlit(s, false, true, false, 128); }
void BM_EngineBlitOpacity_ToRGBA(benchmark::State& s) { SdlBlit(s, false, true, true, 128); }

void BM_Memcpy(benchmark::State& state) {
    std::vector<uint8_t> from(static_cast<size_t>(kPixels) * 4, 7), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
    state.SetBytesProcessed(state.iterations() * kPixels * 4);
}

// The same copy from memory rather than the caches, to set beside the warm
// reference the blends are measured against: 128 MiB, more than this
// kind of processor caches, is written between copies.
void BM_MemcpyCold(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    std::vector<uint8_t> from(static_cast<size_t>(kPixels) * 4, 7), to(from.size()), evict(size_t{128} << 20);
    std::vector<double> copies;
    for (auto _ : state) {
        for (size_t i = 0; i < evict.size(); i += 64) ++evict[i];
        benchmark::ClobberMemory();
        const auto t0 = Clock::now();
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::ClobberMemory();
        copies.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
        state.SetIterationTime(copies.back());
    }
    state.counters["median_us"] = Median(copies) * 1e6;
    state.SetBytesProcessed(state.iterations() * kPixels * 4);
}

// A sprite-like picture for the decoders: transparent margins round a body
// whose colour changes every few pixels.
const Image& DecodeSource() {
    static Image image = [] {
        Image i;
        i.AdoptSurface(NewSurface(true));
        GraphAPI::ResetFromSurface(i.surface, &i);
        std::mt19937 rng(5);
        for (int y = 0; y < kH; ++y) {
            auto* row =
                reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(i.surface->pixels) + y * i.surface->pitch);
            uint32_t colour = 0;
            for (int x = 0; x < kW; ++x) {
                if (x < kW / 5 || x >= kW - kW / 5) {
                    row[x] = 0;
                    continue;
                }
                if (x % 4 == 0) colour = 0xFF000000u | (rng() & 0x00FFFFFF);
                row[x] = colour;
            }
        }
        return i;
    }();
    return image;
}

void Decode(benchmark::State& state, bool zel) {
    const std::string file =
        std::string("\x01\0\0\0", 4) +
        (zel ? GraphAPI::EncodeZelPicture(DecodeSource()) : GraphAPI::EncodeZ16Picture(DecodeSource()));
    const auto* data = reinterpret_cast<const uint8_t*>(file.data());
    for (auto _ : state) {
        Image* out = nullptr;
        const int n = zel ? GraphAPI::DecodeZel(data, file.size(), &out, 1)
                          : GraphAPI::DecodeZ16(data, file.size(), &out, 1);
        if (n != 1) state.SkipWithError("decode failed");
        delete out;
    }
    state.SetBytesProcessed(state.iterations() * kPixels * 4);
    state.counters["file_bytes"] = static_cast<double>(file.size());
}
void BM_DecodeZel(benchmark::State& s) { Decode(s, true); }
void BM_DecodeZ16(benchmark::State& s) { Decode(s, false); }

}  // namespace

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_MemcpyCold)->UseManualTime()->Iterations(20);
BENCHMARK(BM_SdlBlitOpaque)->UseManualTime();
BENCHMARK(BM_SdlBlitAlpha_ToRGB)->UseManualTime();
BENCHMARK(BM_SdlBlitAlpha_ToRGBA)->UseManualTime();
BENCHMARK(BM_EngineBlitAlpha_ToRGB)->UseManualTime();
BENCHMARK(BM_EngineBlitAlpha_ToRGBA)->UseManualTime();
BENCHMARK(BM_SdlBlitOpacity_ToRGBA)->UseManualTime();
BENCHMARK(BM_EngineBlitOpacity_ToRGBA)->UseManualTime();
BENCHMARK(BM_BlendOver)->UseManualTime();
BENCHMARK(BM_BlendAlpha255)->UseManualTime();
BENCHMARK(BM_BlendAlpha128)->UseManualTime();
BENCHMARK(BM_BlendAlpha128_ToRGB)->UseManualTime();
BENCHMARK(BM_BlendAdd)->UseManualTime();
BENCHMARK(BM_BlendAdd256)->UseManualTime();
BENCHMARK(BM_MaskAlpha)->UseManualTime();
BENCHMARK(BM_ClearWhereOpaque)->UseManualTime();
BENCHMARK(BM_BlendMasked)->UseManualTime();
BENCHMARK(BM_BlendThroughMask)->UseManualTime();
BENCHMARK(BM_BlendThroughMaskRGB)->UseManualTime();
BENCHMARK(BM_CopyThroughMask)->UseManualTime();
BENCHMARK(BM_CutOutMask)->UseManualTime();
BENCHMARK(BM_ScaleAlpha)->UseManualTime();
BENCHMARK(BM_DuplicateImage);
BENCHMARK(BM_Zoom)->Arg(5)->Arg(15);
BENCHMARK(BM_DecodeZel);
BENCHMARK(BM_DecodeZ16);

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    video.BitsPerPixel = 32;
    video.Screen = SDL_SetVideoMode(kW, kH, 32, 0);
    if (!video.Screen) return 1;
    PinPixelPathFromEnvironment();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SDL_Quit();
    return 0;
}
