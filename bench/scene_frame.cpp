// A full scene frame (background plus N pictures, drawn by layer and pushed
// to the display) against plain SDL blits of the same pictures followed by
// one full update, the two by turns in the same loop: the iteration's time
// is the scene's, x_sdl the median scene frame over the median plain one
// and the label the path the blend rows took; a frame with nothing to
// redraw; and registering N drawables; and the same frame with one more
// object drawn through a filter (rotated and zoomed anew every frame,
// faded, or both; or a 640 x 480 picture zoomed anew every frame, by the
// same factor or by one that changes).
#include <SDL/SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <vector>

#include "foundation/random.h"
#include "foundation/sanitizer_defaults.h"
#include "graphics/blend_rows.h"
#include "graphics/filter.h"
#include "graphics/graph_api.h"
#include "graphics/obraz.h"
#include "graphics/stage.h"
#include "pixel_path_env.h"
#include "platform/input_state.h"
#include "scene/scene.h"

namespace {

constexpr int kW = 800, kH = 600, kSide = 64;

void OpenScreen() {
    static bool open = false;
    if (open) return;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_Init(SDL_INIT_VIDEO);
    GraphAPI::EnterScreen(SDL_SetVideoMode(kW, kH, 32, 0), kW, kH, 32);
    open = true;
}

// The background and n pictures, as the engine's drawables and as records.
struct Playfield {
    Playfield(int n, bool alpha) {
        OpenScreen();
        SeedRandom(7);
        GraphAPI::CreateImage(&background, kW, kH, 0);
        GraphAPI::FillImageRGBA(&background, 30, 60, 90, 255);
        pictures.resize(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            Image& p = pictures[static_cast<size_t>(i)];
            GraphAPI::CreateImage(&p, kSide, kSide, alpha ? 1 : 0);
            GraphAPI::FillImageRGBA(&p, NextRandom() & 255, NextRandom() & 255, 128, alpha ? 128 : 255);
            p.x = NextRandom() % (kW - kSide);
            p.y = NextRandom() % (kH - kSide);
        }
    }
    Image background;
    std::vector<Image> pictures;
};

// The background and the pictures straight through SDL's blit, then one
// full update: what the scene's frame is measured against.
void PlainBlits(const Playfield& field) {
    SDL_Surface* screen = GraphAPI::CurrentVideo().Screen;
    SDL_Rect at{0, 0, 0, 0};
    SDL_BlitSurface(field.background.surface, nullptr, screen, &at);
    for (const Image& p : field.pictures) {
        SDL_Rect to{static_cast<Sint16>(p.x), static_cast<Sint16>(p.y), 0, 0};
        SDL_BlitSurface(p.surface, nullptr, screen, &to);
    }
    SDL_UpdateRect(screen, 0, 0, 0, 0);
}

double Median(std::vector<double>& v) {
    if (v.empty()) return 0;
    std::nth_element(v.begin(), v.begin() + static_cast<ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

void BM_SceneFrame(benchmark::State& state, bool alpha) {
    using Clock = std::chrono::steady_clock;
    Playfield field(static_cast<int>(state.range(0)), alpha);
    ddScene scene;
    ScopedScene staged(scene);
    std::vector<std::unique_ptr<Obraz>> objects;
    objects.push_back(std::make_unique<Obraz>(&field.background));
    for (const Image& p : field.pictures) objects.push_back(std::make_unique<Obraz>(&p));
    for (auto& o : objects) scene.AddDrawable(o.get());
    scene.Flags().BlitAfterRedraw = 1;
    std::vector<double> frames, plain;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        PlainBlits(field);
        const auto t1 = Clock::now();
        SetRedraw();
        scene.Frame();
        const auto t2 = Clock::now();
        plain.push_back(std::chrono::duration<double>(t1 - t0).count());
        frames.push_back(std::chrono::duration<double>(t2 - t1).count());
        state.SetIterationTime(frames.back());
    }
    objects.clear();
    const double sdl = Median(plain);
    state.counters["median_us"] = Median(frames) * 1e6;
    state.counters["sdl_us"] = sdl * 1e6;
    state.counters["x_sdl"] = sdl > 0 ? Median(frames) / sdl : 0;
    state.SetLabel(GraphAPI::PixelPathName(GraphAPI::ChosenPixelPath()));
}

void BM_SceneFrameNothingToRedraw(benchmark::State& state) {
    Playfield field(static_cast<int>(state.range(0)), false);
    ddScene scene;
    ScopedScene staged(scene);
    std::vector<std::unique_ptr<Obraz>> objects;
    objects.push_back(std::make_unique<Obraz>(&field.background));
    for (const Image& p : field.pictures) objects.push_back(std::make_unique<Obraz>(&p));
    for (auto& o : objects) scene.AddDrawable(o.get());
    scene.Frame();
    CurrentInputState().MouseMoved = 0;
    for (auto _ : state) scene.Frame();
    objects.clear();
}

void BM_RegisterDrawables(benchmark::State& state) {
    OpenScreen();
    const int n = static_cast<int>(state.range(0));
    std::vector<std::unique_ptr<Obraz>> objects;
    SeedRandom(11);
    for (int i = 0; i < n; ++i) {
        objects.push_back(std::make_unique<Obraz>());
        objects.back()->SetLayer(NextRandom() % 16);
    }
    for (auto _ : state) {
        ddScene scene;
        ScopedScene staged(scene);  // the scene goes first; the objects stay
        for (auto& o : objects) scene.AddDrawable(o.get());
        benchmark::DoNotOptimize(scene.DrawableAt(0));  // in order, ready to draw
    }
    state.SetComplexityN(n);
}

// What the filter does to the linked object every frame.
enum FilterWork { kLinkedOnly, kRotozoom, kOpacity, kRotozoomOpacity, kZoomLarge, kZoomLargeChanging };

void BM_SceneFrameFiltered(benchmark::State& state, FilterWork work) {
    Playfield field(static_cast<int>(state.range(0)), false);
    ddScene scene;
    ScopedScene staged(scene);
    std::vector<std::unique_ptr<Obraz>> objects;
    objects.push_back(std::make_unique<Obraz>(&field.background));
    for (const Image& p : field.pictures) objects.push_back(std::make_unique<Obraz>(&p));
    auto lamp = std::make_unique<Obraz>();
    if (work == kZoomLarge || work == kZoomLargeChanging) {
        lamp->Create(640, 480, 250, 220, 40, 255);
        lamp->SetPos(80, 60);
    } else {
        lamp->Create(128, 128, 250, 220, 40, 255);
        lamp->SetPos(336, 236);
    }
    lamp->SetLayer(1);
    for (auto& o : objects) scene.AddDrawable(o.get());
    scene.AddDrawable(lamp.get());
    ddFilter filter;
    filter.Link(lamp.get());
    if (work == kOpacity || work == kRotozoomOpacity) filter.SetOpacity(160);
    double angle = 0;
    int frame = 0;
    for (auto _ : state) {
        if (work == kRotozoom || work == kRotozoomOpacity) {
            angle += 3;
            filter.SetAngleZoom(angle, 1.25);
        } else if (work == kZoomLarge) {
            filter.SetZoom(1.25);
        } else if (work == kZoomLargeChanging) {
            filter.SetZoom(1.2 + 0.01 * (frame++ % 10));  // 1.20, 1.21, ... 1.29, and again
        }
        SetRedraw();
        scene.Frame();
    }
    filter.Unlink();
    lamp.reset();
    objects.clear();
}

// The frames' object counts: every count, or the two small ones for the
// filtered frames.
void AllCounts(benchmark::internal::Benchmark* b) {
    b->Arg(10)->Arg(100)->Arg(1000)->Arg(5000)->UseManualTime()->Unit(benchmark::kMicrosecond);
}
void SmallCounts(benchmark::internal::Benchmark* b) { b->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond); }

BENCHMARK_CAPTURE(BM_SceneFrame, opaque, false)->Apply(AllCounts);
BENCHMARK_CAPTURE(BM_SceneFrame, alpha, true)->Apply(AllCounts);
BENCHMARK_CAPTURE(BM_SceneFrameFiltered, linked_only, kLinkedOnly)->Apply(SmallCounts);
BENCHMARK_CAPTURE(BM_SceneFrameFiltered, rotozoom, kRotozoom)->Apply(SmallCounts);
BENCHMARK_CAPTURE(BM_SceneFrameFiltered, opacity, kOpacity)->Apply(SmallCounts);
BENCHMARK_CAPTURE(BM_SceneFrameFiltered, rotozoom_opacity, kRotozoomOpacity)->Apply(SmallCounts);
BENCHMARK_CAPTURE(BM_SceneFrameFiltered, zoom_large, kZoomLarge)->Apply(SmallCounts);
BENCHMARK_CAPTURE(BM_SceneFrameFiltered, zoom_large_changing, kZoomLargeChanging)->Apply(SmallCounts);
BENCHMARK(BM_SceneFrameNothingToRedraw)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RegisterDrawables)
    ->RangeMultiplier(4)
    ->Range(256, 16384)
    ->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    PinPixelPathFromEnvironment();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
