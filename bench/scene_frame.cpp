// A full scene frame (background plus N pictures, drawn by layer and pushed
// to the display) against plain SDL blits of the same pictures followed by
// one full update; a frame with nothing to redraw; and registering N
// drawables; and the same frame with one more object drawn through a
// filter (rotated and zoomed anew every frame, faded, or both).
#include <SDL/SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "foundation/random.h"
#include "foundation/sanitizer_defaults.h"
#include "graphics/filter.h"
#include "graphics/graph_api.h"
#include "graphics/obraz.h"
#include "graphics/stage.h"
#include "platform/input_state.h"
#include "scene/scene.h"

namespace {

constexpr int kW = 800, kH = 600, kSide = 64;

void OpenScreen() {
    static bool open = false;
    if (open) return;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_Init(SDL_INIT_VIDEO);
    GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    video.Screen = SDL_SetVideoMode(kW, kH, 32, 0);
    video.ScreenWidth = kW;
    video.ScreenHeight = kH;
    video.BitsPerPixel = 32;
    video.ScreenImage.ViewSurface(video.Screen);
    video.ScreenImage.w = kW;
    video.ScreenImage.h = kH;
    GraphAPI::SetAppSize(kW, kH);
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

void BM_SceneFrame(benchmark::State& state, bool alpha) {
    Playfield field(static_cast<int>(state.range(0)), alpha);
    ddScene scene;
    ScopedScene staged(scene);
    std::vector<std::unique_ptr<Obraz>> objects;
    objects.push_back(std::make_unique<Obraz>(&field.background));
    for (const Image& p : field.pictures) objects.push_back(std::make_unique<Obraz>(&p));
    for (auto& o : objects) scene.AddDrawable(o.get());
    for (auto _ : state) {
        SetRedraw();
        scene.Frame();
    }
    objects.clear();
}

void BM_PlainBlits(benchmark::State& state, bool alpha) {
    Playfield field(static_cast<int>(state.range(0)), alpha);
    SDL_Surface* screen = GraphAPI::CurrentVideo().Screen;
    for (auto _ : state) {
        SDL_Rect at{0, 0, 0, 0};
        SDL_BlitSurface(field.background.surface, nullptr, screen, &at);
        for (const Image& p : field.pictures) {
            SDL_Rect to{static_cast<Sint16>(p.x), static_cast<Sint16>(p.y), 0, 0};
            SDL_BlitSurface(p.surface, nullptr, screen, &to);
        }
        SDL_UpdateRect(screen, 0, 0, 0, 0);
    }
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
    MouseMoved = 0;
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
enum FilterWork { kLinkedOnly, kRotozoom, kOpacity, kRotozoomOpacity };

void BM_SceneFrameFiltered(benchmark::State& state, FilterWork work) {
    Playfield field(static_cast<int>(state.range(0)), false);
    ddScene scene;
    ScopedScene staged(scene);
    std::vector<std::unique_ptr<Obraz>> objects;
    objects.push_back(std::make_unique<Obraz>(&field.background));
    for (const Image& p : field.pictures) objects.push_back(std::make_unique<Obraz>(&p));
    auto lamp = std::make_unique<Obraz>();
    lamp->Create(128, 128, 250, 220, 40, 255);
    lamp->SetPos(336, 236);
    lamp->SetLayer(1);
    for (auto& o : objects) scene.AddDrawable(o.get());
    scene.AddDrawable(lamp.get());
    ddFilter filter;
    filter.Link(lamp.get());
    if (work == kOpacity || work == kRotozoomOpacity) filter.SetOpacity(160);
    double angle = 0;
    for (auto _ : state) {
        if (work == kRotozoom || work == kRotozoomOpacity) {
            angle += 3;
            filter.SetAngleZoom(angle, 1.25);
        }
        SetRedraw();
        scene.Frame();
    }
    filter.Unlink();
    lamp.reset();
    objects.clear();
}

BENCHMARK_CAPTURE(BM_SceneFrame, opaque, false)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlainBlits, opaque, false)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SceneFrame, alpha, true)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlainBlits, alpha, true)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SceneFrameFiltered, linked_only, kLinkedOnly)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SceneFrameFiltered, rotozoom, kRotozoom)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SceneFrameFiltered, opacity, kOpacity)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SceneFrameFiltered, rotozoom_opacity, kRotozoomOpacity)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SceneFrameNothingToRedraw)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RegisterDrawables)
    ->RangeMultiplier(4)
    ->Range(256, 16384)
    ->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
