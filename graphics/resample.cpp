// Resampling a picture: zooming it, or turning and zooming it, onto a new
// surface of exactly the size it reports. SDL_gfx makes its pictures with
// guard rows below that size which, under the SDL 1.2 API, stay part of the
// surface for saving, blitting and converting; so a zoom is drawn here,
// straight onto a surface of the zoomed size, sampling as SDL_gfx's zoom
// does (the same size, the same bytes), and only a turned picture comes
// from SDL_gfx, copied onto a surface of its reported size. This file is
// the engine's only way into SDL_gfx's resampling.
#include <SDL/SDL_rotozoom.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

#include "graphics/display_format.h"
#include "graphics/graph_api.h"
#include "graphics/surface_lock.h"

namespace GraphAPI {

namespace {

// SDL_gfx only zooms a picture turned by no more than this many degrees.
constexpr double kLeastTurn = 0.001;

bool IsEmpty(const SDL_Surface* s) { return s->w <= 0 || s->h <= 0 || !s->pixels; }

// Where one destination column (or row) samples its source: the source
// index, the one it blends with, and that one's weight out of 65536.
struct Tap {
    int first, second, weight;
};

// The taps along one axis of `to` pixels from `from`, as SDL_gfx steps in
// 16.16 fixed point: smoothed, the first to the last source pixel spread
// over the first to the last destination pixel; else each destination pixel
// covering from / to of them. Flipped, the source is read from its far end.
void FixedPointTaps(int from, int to, bool smooth, bool flip, std::vector<Tap>& taps) {
    taps.resize(static_cast<size_t>(to));
    double step = 0;
    if (!smooth)
        step = 65536.0 * from / to;
    else if (to > 1)
        step = 65536.0 * (from - 1) / (to - 1);
    const int64_t stepFixed = static_cast<int64_t>(step);
    const int64_t last = (int64_t{from} << 16) - 1;
    int64_t at = 0;
    for (Tap& tap : taps) {
        const int index = static_cast<int>(at >> 16);
        const int next = index < from - 1 ? index + 1 : index;
        tap = flip ? Tap{from - 1 - index, from - 1 - next, static_cast<int>(at & 0xFFFF)}
                   : Tap{index, next, static_cast<int>(at & 0xFFFF)};
        at = std::min(at + stepFixed, last);
    }
}

// The taps of SDL_gfx's 8-bit zoom: destination i takes source
// i * from / to, without blending.
void NearestTaps(int from, int to, bool flip, std::vector<Tap>& taps) {
    taps.resize(static_cast<size_t>(to));
    for (int i = 0; i < to; ++i) {
        const int index = static_cast<int>(int64_t{i} * from / to);
        taps[static_cast<size_t>(i)] = Tap{flip ? from - 1 - index : index, 0, 0};
    }
}

const Uint8* Row(const SDL_Surface* s, int y) {
    return static_cast<const Uint8*>(s->pixels) + static_cast<ptrdiff_t>(y) * s->pitch;
}

Uint8* Row(SDL_Surface* s, int y) {
    return static_cast<Uint8*>(s->pixels) + static_cast<ptrdiff_t>(y) * s->pitch;
}

// One blended byte, in SDL_gfx's order and rounding.
inline Uint8 Blend(int c00, int c01, int c10, int c11, int ex, int ey) {
    const int t1 = ((((c01 - c00) * ex) >> 16) + c00) & 0xFF;
    const int t2 = ((((c11 - c10) * ex) >> 16) + c10) & 0xFF;
    return static_cast<Uint8>((((t2 - t1) * ey) >> 16) + t1);
}

void Zoom32(const SDL_Surface* from, SDL_Surface* to, const std::vector<Tap>& xs, const std::vector<Tap>& ys,
            bool smooth) {
    for (int y = 0; y < to->h; ++y) {
        const Tap ty = ys[static_cast<size_t>(y)];
        const Uint8* top = Row(from, ty.first);
        const Uint8* bottom = Row(from, ty.second);
        Uint8* out = Row(to, y);
        for (const Tap& tx : xs) {
            const Uint8* a = top + tx.first * 4;
            if (!smooth) {
                std::memcpy(out, a, 4);
            } else {
                const Uint8* b = top + tx.second * 4;
                const Uint8* c = bottom + tx.first * 4;
                const Uint8* d = bottom + tx.second * 4;
                for (int k = 0; k < 4; ++k) out[k] = Blend(a[k], b[k], c[k], d[k], tx.weight, ty.weight);
            }
            out += 4;
        }
    }
}

void Zoom8(const SDL_Surface* from, SDL_Surface* to, const std::vector<Tap>& xs, const std::vector<Tap>& ys) {
    for (int y = 0; y < to->h; ++y) {
        const Uint8* in = Row(from, ys[static_cast<size_t>(y)].first);
        Uint8* out = Row(to, y);
        for (const Tap& tx : xs) *out++ = in[tx.first];
    }
}

// SDL_gfx's zoom, onto a surface of exactly the zoomed size. A negative
// factor mirrors along its axis. An 8-bit picture stays 8-bit (its palette,
// nearest pixels, keyed by its colour key); a 32-bit one keeps its format,
// drawn through its alpha; any other is first converted to 32-bit RGBA as
// SDL_gfx converts it. `turning` zooms as SDL_gfx's rotozoom does when it
// only zooms: that conversion ignores the colour key, and a 32-bit result
// is keyed too.
SDL_Surface* Zoom(SDL_Surface* source, double zoomX, double zoomY, int smooth, bool turning) {
    const int depth = source->format->BitsPerPixel;
    SDL_Surface* converted = nullptr;
    if (depth != 8 && depth != 32) {
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
        converted = SDL_CreateRGBSurface(SDL_SWSURFACE, source->w, source->h, 32, 0x000000FF, 0x0000FF00,
                                         0x00FF0000, 0xFF000000);
#else
        converted = SDL_CreateRGBSurface(SDL_SWSURFACE, source->w, source->h, 32, 0xFF000000, 0x00FF0000,
                                         0x0000FF00, 0x000000FF);
#endif
        if (!converted) return nullptr;
        SurfaceLock lock(source);
        SDL_Surface* unkeyed = nullptr;
        if (turning && (source->flags & SDL_SRCCOLORKEY) && lock.Ok()) {
            unkeyed = SurfaceLike(source, source->w, source->h, source->pixels, source->pitch);
            if (unkeyed) SDL_SetColorKey(unkeyed, 0, 0);
        }
        SDL_BlitSurface(unkeyed ? unkeyed : source, nullptr, converted, nullptr);
        if (unkeyed) SDL_FreeSurface(unkeyed);
    }
    SDL_Surface* from = converted ? converted : source;
    const bool flipX = zoomX < 0.0, flipY = zoomY < 0.0;
    int w = 0, h = 0;
    zoomSurfaceSize(from->w, from->h, flipX ? -zoomX : zoomX, flipY ? -zoomY : zoomY, &w, &h);
    SDL_Surface* made = SurfaceLike(from, w, h);
    {
        SurfaceLock lock(from);
        if (made && (!lock.Ok() || !from->pixels || !made->pixels)) {
            SDL_FreeSurface(made);
            made = nullptr;
        }
        if (made) {
            std::vector<Tap> xs, ys;
            if (depth == 8) {
                NearestTaps(from->w, w, flipX, xs);
                NearestTaps(from->h, h, flipY, ys);
                Zoom8(from, made, xs, ys);
            } else {
                FixedPointTaps(from->w, w, smooth != 0, flipX, xs);
                FixedPointTaps(from->h, h, smooth != 0, flipY, ys);
                Zoom32(from, made, xs, ys, smooth != 0);
            }
        }
    }
    if (made) {
        if (depth == 8 || turning)
            SDL_SetColorKey(made, SDL_SRCCOLORKEY, from->format->colorkey);
        else
            SDL_SetColorKey(made, 0, 0);
        if (depth == 8)
            SDL_SetAlpha(made, 0, SDL_ALPHA_OPAQUE);
        else
            SDL_SetAlpha(made, SDL_SRCALPHA, SDL_ALPHA_OPAQUE);
    }
    if (converted) SDL_FreeSurface(converted);
    return made;
}

// SDL_gfx's picture moved onto a surface of exactly its reported size, with
// its palette, key and alpha setting. Null, having said why, when the copy
// cannot be made.
SDL_Surface* ExactSize(SDL_Surface* made) {
    if (!made) return nullptr;
    SDL_Surface* exact = SurfaceLike(made, made->w, made->h);
    const bool copied = exact && CopyRows(made, exact);
    SDL_FreeSurface(made);
    if (!copied && exact) {
        SDL_FreeSurface(exact);
        exact = nullptr;
    }
    return exact;
}

}  // namespace

SDL_Surface* ZoomSurface(SDL_Surface* source, double zoomX, double zoomY, int smooth) {
    if (!source) return nullptr;
    if (IsEmpty(source)) return SurfaceLike(source, std::max(0, source->w), std::max(0, source->h));
    return Zoom(source, zoomX, zoomY, smooth, false);
}

SDL_Surface* RotozoomSurface(SDL_Surface* source, double angle, double zoomX, double zoomY, int smooth) {
    if (!source) return nullptr;
    if (IsEmpty(source)) return SurfaceLike(source, std::max(0, source->w), std::max(0, source->h));
    if (!(std::fabs(angle) > kLeastTurn)) return Zoom(source, zoomX, zoomY, smooth, true);
    return ExactSize(rotozoomSurfaceXY(source, angle, zoomX, zoomY, smooth));
}

}  // namespace GraphAPI
