// Screen half of the graphics layer: opening the libraries and the video
// mode, screen geometry, screen blits, fills and updates.
#include <SDL/SDL_image.h>

#include <algorithm>
#include <cstdio>

#include "foundation/fatal.h"
#include "foundation/saturating.h"
#include "graphics/alpha_blit.h"
#include "graphics/font.h"
#include "graphics/graph_api.h"

namespace GraphAPI {

namespace {
Sint16 Clip16(int v) { return static_cast<Sint16>(std::clamp(v, -32768, 32767)); }
Uint16 ClipU16(int v) { return static_cast<Uint16>(std::clamp(v, 0, 65535)); }
}  // namespace

void Shutdown() {
    CloseFontLibrary();
    IMG_Quit();
    VideoState& v = CurrentVideo();
    v.ScreenImage.ViewSurface(nullptr);
    v.Screen = nullptr;
    SDL_Quit();
    std::fflush(stdout);
}

int Init(int width, int height, int bitsPerPixel, int fullscreen, int useDesktopDepth) {
    VideoState& v = CurrentVideo();
    v.ScreenWidth = width;
    v.ScreenHeight = height;
    v.BitsPerPixel = bitsPerPixel;
    v.VideoFlags = 0;
    IMG_Init(IMG_INIT_JPG);
    if (!OpenFontLibrary()) {
        std::printf("TTF_Init: %s\n", SDL_GetError());
        FatalExit("", 2);
    }
    if (const SDL_VideoInfo* info = SDL_GetVideoInfo()) {
        if (useDesktopDepth && info->vfmt) v.BitsPerPixel = info->vfmt->BitsPerPixel;
        v.DesktopWidth = info->current_w;
        v.DesktopHeight = info->current_h;
    }
    if (fullscreen == 1) {
        v.VideoFlags |= SDL_FULLSCREEN;
        v.Fullscreen = 1;
    } else {
        v.Fullscreen = 0;
    }
    v.Screen = SDL_SetVideoMode(v.ScreenWidth, v.ScreenHeight, v.BitsPerPixel, v.VideoFlags);
    if (!v.Screen) {
        std::printf("unable to set video mode: %s\n", SDL_GetError());
        FatalExit("", 1);
    }
    EnterScreen(v.Screen, v.ScreenWidth, v.ScreenHeight, v.BitsPerPixel);
    return 0;
}

void EnterScreen(SDL_Surface* screen, int width, int height, int bitsPerPixel) {
    VideoState& v = CurrentVideo();
    v.Screen = screen;
    v.ScreenWidth = width;
    v.ScreenHeight = height;
    v.BitsPerPixel = bitsPerPixel;
    v.ScreenImage.ViewSurface(screen);
    v.ScreenImage.x = v.ScreenImage.y = 0;
    v.ScreenImage.w = width;
    v.ScreenImage.h = height;
    v.ScreenImage.srx = v.ScreenImage.sry = 0;
    v.ScreenImage.srw = width;
    v.ScreenImage.srh = height;
    SetAppSize(width, height);
}

void SetAppSize(int w, int h) {
    VideoState& v = CurrentVideo();
    v.AppWidth = w;
    v.AppHeight = h;
    v.AppOffsetX = std::max(0, (v.AppWidth - v.ScreenWidth) / 2);
    v.AppOffsetY = std::max(0, (v.AppHeight - v.ScreenHeight) / 2);
}

void SetScaledSize(int w, int h) {
    VideoState& v = CurrentVideo();
    v.ScreenScaleX = v.AppWidth ? static_cast<float>(static_cast<double>(w) / v.AppWidth) : 1.0f;
    v.ScreenScaleY = v.AppHeight ? static_cast<float>(static_cast<double>(h) / v.AppHeight) : 1.0f;
    v.ScaledWidth = w;
    v.ScaledHeight = h;
}

void SetFullscreen(int on) {
    VideoState& v = CurrentVideo();
    Uint32 flags;
    if (on && !v.Fullscreen) {
        flags = SDL_FULLSCREEN;
    } else if (!on && v.Fullscreen) {
        flags = 0;
    } else {
        return;
    }
    SDL_Surface* s = SDL_SetVideoMode(v.ScreenWidth, v.ScreenHeight, v.BitsPerPixel, flags);
    if (!s) return;  // the old mode stays
    v.Screen = s;
    v.ScreenImage.surface = s;  // the screen record always follows the screen
    v.Fullscreen = on ? 1 : 0;
}

int BlitToSurface(const Image* image, SDL_Surface* surface) {
    if (!image || !image->surface || !surface) return -1;
    SDL_Rect src{Clip16(image->srx), Clip16(image->sry), ClipU16(image->w), ClipU16(image->h)};
    int dx = image->x;
    int dy = image->y;
    if (const VideoState& v = CurrentVideo(); surface == v.Screen) {
        dx = SatSub(dx, v.AppOffsetX);
        dy = SatSub(dy, v.AppOffsetY);
    }
    SDL_Rect dst{Clip16(dx), Clip16(dy), 0, 0};
    return UpperBlit(image->surface, &src, surface, &dst);
}

int BlitToScreen(const Image* image) { return BlitToSurface(image, CurrentDrawPlace().surface); }

DrawPlace CurrentDrawPlace() {
    const VideoState& v = CurrentVideo();
    if (v.DrawTarget) return {v.DrawTarget, 0, 0};
    return {v.Screen, v.AppOffsetX, v.AppOffsetY};
}

bool DrawingSnapshot() { return CurrentVideo().DrawTarget != nullptr; }

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
    const VideoState& v = CurrentVideo();
    if (!v.Screen) return;
    Image view;
    view.ViewSurface(v.Screen);
    view.w = v.ScaledWidth;
    view.h = v.ScaledHeight;
    FillImageRGBA(&view, r, g, b, a);
}

void FillScreen(int r, int g, int b) {
    const VideoState& v = CurrentVideo();
    if (!v.Screen) return;
    Image view;
    view.ViewSurface(v.Screen);
    view.w = v.ScaledWidth;
    view.h = v.ScaledHeight;
    FillImageRGB(&view, r, g, b);
}

void ClearScreen() { FillScreen(0, 0, 0, 0); }
void ClearScreenRGB() { FillScreen(0, 0, 0); }

void UpdateRect(const Image* image) {
    SDL_Surface* screen = CurrentVideo().Screen;
    if (!screen || !image) return;
    // SDL wants the rectangle inside the screen.
    int x0 = std::max(0, image->x), y0 = std::max(0, image->y);
    int x1 = std::min(screen->w, SatAdd(image->x, image->w));
    int y1 = std::min(screen->h, SatAdd(image->y, image->h));
    if (x1 <= x0 || y1 <= y0) return;
    SDL_UpdateRect(screen, x0, y0, static_cast<Uint32>(x1 - x0), static_cast<Uint32>(y1 - y0));
}

void UpdateScreen() {
    if (SDL_Surface* screen = CurrentVideo().Screen) SDL_UpdateRect(screen, 0, 0, 0, 0);
}

}  // namespace GraphAPI
