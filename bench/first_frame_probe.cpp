// Preloaded into a program (LD_PRELOAD) by compare_lua.sh to time it from
// outside; nothing of the program is changed for it.
// By default the first screen update ends the process at once, which times
// how long a game takes to show its first frame. With PROBE_DRAWN=1 only an
// update of a screen holding more than one colour counts: the engine shows a
// cleared screen before it reads the game's script, and that is not yet the
// game's first frame.
// With PROBE_TIMES=1 the program runs to its end instead,
// and at the very end the probe writes one line to stderr, in milliseconds:
//   probe: frame F exit E close C
// F: from the probe's loading to the first screen update; E: from main's
// return (the script has ended) to the end of the exit handlers, the
// program's exit; C: how long Mix_CloseAudio took, within E. -1 when a step
// did not happen. What is left of the whole process's time is its start.
#include <SDL/SDL.h>
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {
double Now() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

const bool g_timesOnly = std::getenv("PROBE_TIMES") != nullptr;
const bool g_drawnOnly = std::getenv("PROBE_DRAWN") != nullptr;
double g_loaded = Now();
double g_frame = -1, g_mainReturn = -1, g_closeStart = -1, g_closeEnd = -1;

// The real function the probe stands in front of.
template <typename F>
F Next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// Whether the surface holds more than one colour; false when unreadable.
bool Drawn(SDL_Surface* s) {
    if (!s || (SDL_MUSTLOCK(s) && SDL_LockSurface(s) < 0)) return false;
    const auto* pixels = static_cast<const Uint8*>(s->pixels);
    const int bpp = s->format->BytesPerPixel;
    bool drawn = false;
    for (int y = 0; pixels && y < s->h && !drawn; ++y) {
        const Uint8* row = pixels + y * s->pitch;
        for (int i = 0; i < s->w * bpp && !drawn; ++i) drawn = row[i] != pixels[i % bpp];
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    return drawn;
}

// Ends the process at the first update that counts, or notes the first
// update's time and passes it on.
void FrameShown(SDL_Surface* s) {
    if (g_drawnOnly && !Drawn(s)) return;
    if (!g_timesOnly) {
        std::fflush(stdout);
        _exit(0);
    }
    if (g_frame < 0) g_frame = Now();
}

using Main = int (*)(int, char**, char**);
Main g_main = nullptr;

int TimedMain(int argc, char** argv, char** env) {
    int result = g_main(argc, argv, env);
    g_mainReturn = Now();
    return result;
}

double Since(double from, double to) { return from < 0 || to < 0 ? -1 : to - from; }

// Runs after every exit handler of the program, when its libraries unload.
__attribute__((destructor)) void Report() {
    if (!g_timesOnly) return;
    std::fprintf(stderr, "probe: frame %.1f exit %.1f close %.1f\n", Since(g_loaded, g_frame),
                 Since(g_mainReturn, Now()), Since(g_closeStart, g_closeEnd));
}
}  // namespace

extern "C" {
int SDL_Flip(SDL_Surface* s) {
    FrameShown(s);
    return Next<int (*)(SDL_Surface*)>("SDL_Flip")(s);
}
void SDL_UpdateRect(SDL_Surface* s, Sint32 x, Sint32 y, Uint32 w, Uint32 h) {
    FrameShown(s);
    Next<void (*)(SDL_Surface*, Sint32, Sint32, Uint32, Uint32)>("SDL_UpdateRect")(s, x, y, w, h);
}
void SDL_UpdateRects(SDL_Surface* s, int n, SDL_Rect* rects) {
    FrameShown(s);
    Next<void (*)(SDL_Surface*, int, SDL_Rect*)>("SDL_UpdateRects")(s, n, rects);
}
void Mix_CloseAudio() {
    g_closeStart = Now();
    Next<void (*)()>("Mix_CloseAudio")();
    g_closeEnd = Now();
}
// The C library's entry calls main through here: main is wrapped to note
// when it returns.
int __libc_start_main(Main main, int argc, char** argv, void (*init)(), void (*fini)(), void (*rtldFini)(),
                      void* stackEnd) {
    g_main = main;
    return Next<int (*)(Main, int, char**, void (*)(), void (*)(), void (*)(), void*)>(
        "__libc_start_main")(TimedMain, argc, argv, init, fini, rtldFini, stackEnd);
}
}
