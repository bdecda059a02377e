// Pixel access and surface locking.
#include <cstdio>
#include <cstring>

#include "foundation/saturating.h"
#include "graphics/graph_api.h"
#include "graphics/surface_lock.h"

namespace GraphAPI {

namespace {
bool Inside(const SDL_Surface* s, int x, int y) {
    return s && s->pixels && x >= 0 && y >= 0 && x < s->w && y < s->h;
}
}  // namespace

uint32_t GetPixel(SDL_Surface* surface, int x, int y) {
    if (!Inside(surface, x, y)) return 0;
    int bpp = surface->format->BytesPerPixel;
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
    switch (bpp) {
    case 1:
        return *p;
    case 2: {
        Uint16 v;
        std::memcpy(&v, p, 2);
        return v;
    }
    case 3:
        return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
               (static_cast<uint32_t>(p[2]) << 16);
    case 4: {
        Uint32 v;
        std::memcpy(&v, p, 4);
        return v;
    }
    default:
        return 0;
    }
}

void PutPixel(SDL_Surface* surface, int x, int y, uint32_t value) {
    if (!Inside(surface, x, y)) return;
    int bpp = surface->format->BytesPerPixel;
    Uint8* p = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
    switch (bpp) {
    case 1:
        *p = static_cast<Uint8>(value);
        break;
    case 2: {
        Uint16 v = static_cast<Uint16>(value);
        std::memcpy(p, &v, 2);
        break;
    }
    case 3:
        p[0] = static_cast<Uint8>(value);
        p[1] = static_cast<Uint8>(value >> 8);
        p[2] = static_cast<Uint8>(value >> 16);
        break;
    case 4:
        std::memcpy(p, &value, 4);
        break;
    default:
        break;
    }
}

uint32_t GetPixel16(SDL_Surface* surface, int x, int y) {
    if (!Inside(surface, x, y) || surface->format->BytesPerPixel != 2) return 0;
    Uint16 v;
    std::memcpy(&v, static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * 2, 2);
    return v;
}

void PutPixel16(SDL_Surface* surface, int x, int y, uint32_t value) {
    if (!Inside(surface, x, y) || surface->format->BytesPerPixel != 2) return;
    Uint16 v = static_cast<Uint16>(value);
    std::memcpy(static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * 2, &v, 2);
}

uint32_t GetPixel32(SDL_Surface* surface, int x, int y) {
    if (!Inside(surface, x, y) || surface->format->BytesPerPixel != 4) return 0;
    Uint32 v;
    std::memcpy(&v, static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * 4, 4);
    return v;
}

void PutPixel32(SDL_Surface* surface, int x, int y, uint32_t value) {
    if (!Inside(surface, x, y) || surface->format->BytesPerPixel != 4) return;
    std::memcpy(static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * 4, &value, 4);
}

void PutImagePixel(Image* image, int x, int y, uint32_t value) {
    if (image) PutPixel(image->surface, x, y, value);
}

uint32_t GetImagePixel(const Image* image, int x, int y) {
    if (!image) return 0;
    return GetPixel(image->surface, SatSub(x, image->x), SatSub(y, image->y));
}

uint32_t GetPixelLocked(Image* image, int x, int y) {
    if (!image || !image->surface) return 0;
    SDL_Surface* s = image->surface;
    bool locked = false;
    if (SDL_MUSTLOCK(s)) {
        if (SDL_LockSurface(s) < 0) {
            std::printf("\nnie udalo sie lock surface %s", SDL_GetError());
            return 0;
        }
        locked = true;
    }
    uint32_t v = GetPixel(s, SatSub(x, image->x), SatSub(y, image->y));
    if (locked) SDL_UnlockSurface(s);
    return v;
}

void PutPixelLocked(Image* image, int x, int y, uint32_t value) {
    if (!image) return;
    SurfaceLock lock(image->surface);
    if (lock.Ok()) PutPixel(image->surface, x, y, value);
}

void PutPixelRGBA(Image* image, int x, int y, int r, int g, int b, int a) {
    if (!image || !image->surface) return;
    PutPixelLocked(image, x, y,
                   SDL_MapRGBA(image->surface->format, static_cast<Uint8>(r), static_cast<Uint8>(g),
                               static_cast<Uint8>(b), static_cast<Uint8>(a)));
}

void PutPixelRGB(Image* image, int x, int y, int r, int g, int b) {
    if (!image || !image->surface) return;
    PutPixelLocked(image, x, y,
                   SDL_MapRGB(image->surface->format, static_cast<Uint8>(r), static_cast<Uint8>(g),
                              static_cast<Uint8>(b)));
}

bool LockImage(Image* image) {
    if (!image || !image->surface) return false;
    if (!SDL_MUSTLOCK(image->surface)) return false;
    if (SDL_LockSurface(image->surface) < 0) {
        std::fprintf(stderr, "Can't lock screen: %s\n", SDL_GetError());
        return false;
    }
    return true;
}

void UnlockImage(Image* image) {
    if (image && image->surface && SDL_MUSTLOCK(image->surface)) SDL_UnlockSurface(image->surface);
}

}  // namespace GraphAPI
