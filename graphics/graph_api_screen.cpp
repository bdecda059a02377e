// Screen half of the graphics layer: opening the libraries and the video
// mode, screen geometry, screen blits, fills and updates.
#include <SDL/SDL_image.h>
#include <SDL/SDL_mixer.h>
#include <SDL/SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "foundation/fatal.h"
#include "foundation/saturating.h"
#include "graphics/alpha_blit.h"
#include "graphics/graph_api.h"

namespace GraphAPI {

namespace {
ShutdownHook g_audioReleaser = nullptr;
ShutdownHook g_fontCloser = nullptr;
bool g_shutdownRegistered = false;

Sint16 Clip16(int v) { return static_cast<Sint16>(std::clamp(v, -32768, 32767)); }
Uint16 ClipU16(int v) { return static_cast<Uint16>(std::clamp(v, 0, 65535)); }
}  // namespace

void SetAudioReleaser(ShutdownHook releaser) { g_audioReleaser = releaser; }
void SetDefaultFontCloser(ShutdownHook closer) { g_fontCloser = closer; }

void Shutdown() {
    if (AudioOpen) {
        if (g_audioReleaser) g_audioReleaser();
        Mix_CloseAudio();
        AudioOpen = 0;
    }
    if (g_fontCloser) {
        g_fontCloser();
        g_fontCloser = nullptr;
    }
    if (FontLibOpen) {
        TTF_Quit();
        FontLibOpen = 0;
    }
    IMG_Quit();
    ScreenImage.ViewSurface(nullptr);
    Screen = nullptr;
    SDL_Quit();
    std::fflush(stdout);
}

int Init(int width, int height, int bitsPerPixel, int fullscreen, int useDesktopDepth) {
    ScreenWidth = width;
    ScreenHeight = height;
    BitsPerPixel = bitsPerPixel;
    VideoFlags = 0;
    if (!g_shutdownRegistered) {
        std::atexit(Shutdown);
        g_shutdownRegistered = true;
    }
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 4096) == 0) {
        AudioOpen = 1;
        Mix_AllocateChannels(64);
    }
    IMG_Init(IMG_INIT_JPG);
    if (TTF_Init() == -1) {
        std::printf("TTF_Init: %s\n", SDL_GetError());
        FatalExit("", 2);
    }
    FontLibOpen = 1;
    if (const SDL_VideoInfo* info = SDL_GetVideoInfo()) {
        if (useDesktopDepth && info->vfmt) BitsPerPixel = info->vfmt->BitsPerPixel;
        DesktopWidth = info->current_w;
        DesktopHeight = info->current_h;
    }
    if (fullscreen == 1) {
        VideoFlags |= SDL_FULLSCREEN;
        Fullscreen = 1;
    } else {
        Fullscreen = 0;
    }
    Screen = SDL_SetVideoMode(ScreenWidth, ScreenHeight, BitsPerPixel, VideoFlags);
    if (!Screen) {
        std::printf("unable to set video mode: %s\n", SDL_GetError());
        FatalExit("", 1);
    }
    ScreenImage.ViewSurface(Screen);
    ScreenImage.x = ScreenImage.y = 0;
    ScreenImage.w = ScreenWidth;
    ScreenImage.h = ScreenHeight;
    ScreenImage.srx = ScreenImage.sry = 0;
    ScreenImage.srw = ScreenWidth;
    ScreenImage.srh = ScreenHeight;
    SetAppSize(ScreenWidth, ScreenHeight);
    return 0;
}

void SetAppSize(int w, int h) {
    AppWidth = w;
    AppHeight = h;
    AppOffsetX = std::max(0, (AppWidth - ScreenWidth) / 2);
    AppOffsetY = std::max(0, (AppHeight - ScreenHeight) / 2);
}

void SetScaledSize(int w, int h) {
    ScreenScaleX = AppWidth ? static_cast<float>(static_cast<double>(w) / AppWidth) : 1.0f;
    ScreenScaleY = AppHeight ? static_cast<float>(static_cast<double>(h) / AppHeight) : 1.0f;
    ScaledWidth = w;
    ScaledHeight = h;
}

void SetFullscreen(int on) {
    Uint32 flags;
    if (on && !Fullscreen) {
        flags = SDL_FULLSCREEN;
    } else if (!on && Fullscreen) {
        flags = 0;
    } else {
        return;
    }
    SDL_Surface* s = SDL_SetVideoMode(ScreenWidth, ScreenHeight, BitsPerPixel, flags);
    if (!s) return;  // the old mode stays
    Screen = s;
    ScreenImage.surface = s;  // the screen record always follows the screen
    Fullscreen = on ? 1 : 0;
}

int BlitToSurface(const Image* image, SDL_Surface* surface) {
    if (!image || !image->surface || !surface) return -1;
    SDL_Rect src{Clip16(image->srx), Clip16(image->sry), ClipU16(image->w), ClipU16(image->h)};
    int dx = image->x;
    int dy = image->y;
    if (surface == Screen) {
        dx = SatSub(dx, AppOffsetX);
        dy = SatSub(dy, AppOffsetY);
    }
    SDL_Rect dst{Clip16(dx), Clip16(dy), 0, 0};
    return UpperBlit(image->surface, &src, surface, &dst);
}

int BlitToScreen(const Image* image) { return BlitToSurface(image, Screen); }

void BlitImage(Image* destination, const Image* source) {
    if (!destination || !source || !destination->surface || !source->surface) return;
    SDL_Rect src{Clip16(source->srx), Clip16(source->sry), ClipU16(std::min(destination->w, source->w)),
                 ClipU16(std::min(destination->h, source->h))};
    SDL_Rect dst{Clip16(source->x), Clip16(source->y), 0, 0};
    SDL_UpperBlit(source->surface, &src, destination->surface, &dst);
}

int FillImageRGBA(Image* image, int r, int g, int b, int a) {
    if (!image || !image->surface) return -1;
    Uint32 c = SDL_MapRGBA(image->surface->format, static_cast<Uint8>(r), static_cast<Uint8>(g),
                           static_cast<Uint8>(b), static_cast<Uint8>(a));
    return SDL_FillRect(image->surface, nullptr, c);
}

int FillImageRGB(Image* image, int r, int g, int b) {
    if (!image || !image->surface) return -1;
    // Mapped through the picture's own format: on an alpha picture the
    // colour stays opaque.
    Uint32 c = SDL_MapRGB(image->surface->format, static_cast<Uint8>(r), static_cast<Uint8>(g),
                          static_cast<Uint8>(b));
    return SDL_FillRect(image->surface, nullptr, c);
}

void FillScreen(int r, int g, int b, int a) {
    if (!Screen) return;
    Image view;
    view.ViewSurface(Screen);
    view.w = ScaledWidth;
    view.h = ScaledHeight;
    FillImageRGBA(&view, r, g, b, a);
}

void FillScreen(int r, int g, int b) {
    if (!Screen) return;
    Image view;
    view.ViewSurface(Screen);
    view.w = ScaledWidth;
    view.h = ScaledHeight;
    FillImageRGB(&view, r, g, b);
}

void ClearScreen() { FillScreen(0, 0, 0, 0); }
void ClearScreenRGB() { FillScreen(0, 0, 0); }

void UpdateRect(const Image* image) {
    if (!Screen || !image) return;
    // SDL wants the rectangle inside the screen.
    int x0 = std::max(0, image->x), y0 = std::max(0, image->y);
    int x1 = std::min(Screen->w, SatAdd(image->x, image->w));
    int y1 = std::min(Screen->h, SatAdd(image->y, image->h));
    if (x1 <= x0 || y1 <= y0) return;
    SDL_UpdateRect(Screen, x0, y0, static_cast<Uint32>(x1 - x0), static_cast<Uint32>(y1 - y0));
}

void UpdateScreen() {
    if (Screen) SDL_UpdateRect(Screen, 0, 0, 0, 0);
}

}  // namespace GraphAPI
