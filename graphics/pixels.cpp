// Pixel access and surface locking.
#include <cstdio>
#include <cstring>

#include "graphics/graph_api.h"

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
