#include "graphics/alpha_blit.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "graphics/blend_rows.h"
#include "graphics/display_format.h"
#include "graphics/surface_lock.h"

namespace GraphAPI {

namespace {

bool IsRgb8888(const SDL_PixelFormat* f) {
    return f->BytesPerPixel == 4 && f->Rmask == 0x00FF0000u && f->Gmask == 0x0000FF00u &&
           f->Bmask == 0x000000FFu;
}

// A source SDL blends by its points' alpha: ARGB 8888 with SDL_SRCALPHA and
// no colour key.
bool BlendsByAlpha(const SDL_Surface* source) {
    return IsRgb8888(source->format) && source->format->Amask == 0xFF000000u &&
           (source->flags & SDL_SRCALPHA) && !(source->flags & SDL_SRCCOLORKEY);
}

// What this blit draws itself onto an ARGB 8888 picture, as SDL 1.2
// documents each pair: a source blended by its alpha leaves the
// destination's alpha as it was; an XRGB 8888 source at an opacity of 1 to
// 254 makes it opaque where it draws. The compatibility layer's blit keeps
// that alpha for both and shifts it row by row whenever the blit is
// narrower than the destination. At opacity 0 (nothing drawn) or 255 (a
// copy) its blit is right.
enum class OntoAlpha { kNo, kKeepAlpha, kOpacity };
OntoAlpha DrawnOntoAlpha(const SDL_Surface* source, const SDL_Surface* destination) {
    if (destination->format->Amask != 0xFF000000u || source == destination || !IsRgb8888(destination->format))
        return OntoAlpha::kNo;
    if (BlendsByAlpha(source)) return OntoAlpha::kKeepAlpha;
    const SDL_PixelFormat* f = source->format;
    if (IsRgb8888(f) && f->Amask == 0 && (source->flags & SDL_SRCALPHA) && f->alpha > 0 &&
        f->alpha < SDL_ALPHA_OPAQUE)
        return OntoAlpha::kOpacity;
    return OntoAlpha::kNo;
}

// The rows blend by each point's alpha alone; SDL's blit also weighs it by
// the picture's own opacity (its format's alpha, which a picture converted
// to alpha from a translucent one keeps), so only opacity 255 qualifies.
bool RowsTake(const SDL_Surface* source, const SDL_Surface* destination) {
    return source != destination && BlendsByAlpha(source) && source->format->alpha == SDL_ALPHA_OPAQUE &&
           IsRgb8888(destination->format) && destination->format->Amask == 0 && source->pixels &&
           destination->pixels && !SDL_MUSTLOCK(source) && !SDL_MUSTLOCK(destination) && !source->locked &&
           !destination->locked;
}

uint32_t* PointAt(SDL_Surface* s, int x, int y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) +
                                       static_cast<ptrdiff_t>(y) * s->pitch) +
           x;
}

// Whether the rows give the bytes SDL's blit gives on a probe of every
// source alpha over varied colours and destination bytes (top byte too).
bool RowsMatchSdl(const BlendRows& rows) {
    constexpr int kW = 256, kH = 8;
    SDL_Surface* source = CreateSurface32(kW, kH, true);
    SDL_Surface* viaSdl = CreateSurface32(kW, kH, false);
    SDL_Surface* viaRows = CreateSurface32(kW, kH, false);
    bool same = false;
    if (source && viaSdl && viaRows && SDL_SetAlpha(source, SDL_SRCALPHA, 255) == 0) {
        uint32_t seed = 12345;
        auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed ^ (seed >> 16); };
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                *PointAt(source, x, y) = (static_cast<uint32_t>(x) << 24) | (next() & 0x00FFFFFFu);
                *PointAt(viaSdl, x, y) = *PointAt(viaRows, x, y) = next();
            }
        SDL_Rect to{0, 0, 0, 0};
        same = SDL_BlitSurface(source, nullptr, viaSdl, &to) == 0;
        rows.sdlAlphaBlit(PointAt(viaRows, 0, 0), viaRows->pitch, PointAt(source, 0, 0), source->pitch, kW,
                          kH);
        for (int y = 0; y < kH; ++y)
            same = same && std::memcmp(PointAt(viaRows, 0, y), PointAt(viaSdl, 0, y), kW * 4) == 0;
    }
    SDL_FreeSurface(source);
    SDL_FreeSurface(viaSdl);
    SDL_FreeSurface(viaRows);
    return same;
}

// The rows in force when they match SDL's blit, else null. Each path is
// tried once.
const BlendRows* MatchingRows() {
    static int verdict[3] = {-1, -1, -1};
    const BlendRows* rows = ChosenBlendRows();
    if (!rows) return nullptr;
    int& known = verdict[static_cast<int>(ChosenPixelPath())];
    if (known < 0) known = RowsMatchSdl(*rows) ? 1 : 0;
    return known ? rows : nullptr;
}

// One axis of SDL_UpperBlit's clipping: the span of `length` points from
// `from` in the source, drawn at `to`, cut to a source of `size` points
// (negative: no source rectangle was given, nothing to cut) and then to the
// clip span of `clipLength` points from `clipFrom`. The length may end at or
// below 0 (nothing to draw).
void ClipAxis(int& from, int& to, int& length, int size, int clipFrom, int clipLength) {
    if (size >= 0) {
        if (from < 0) {
            length += from;
            to -= from;
            from = 0;
        }
        if (size - from < length) length = size - from;
    }
    if (clipFrom - to > 0) {
        length -= clipFrom - to;
        from += clipFrom - to;
        to = clipFrom;
    }
    if (to + length - clipFrom - clipLength > 0) length -= to + length - clipFrom - clipLength;
}

// SDL_UpperBlit's clipping, in int as SDL does it: the source point (sx,
// sy), the destination point (dx, dy) and the size w x h drawn. Writes the
// drawn rectangle back; false when nothing is drawn.
struct Clipped {
    int sx, sy, dx, dy, w, h;
};
bool ClipBlit(const SDL_Surface* source, const SDL_Rect* sourceRect, const SDL_Surface* destination,
              SDL_Rect* destinationRect, Clipped& c) {
    c.dx = destinationRect->x;
    c.dy = destinationRect->y;
    c.sx = sourceRect ? sourceRect->x : 0;
    c.sy = sourceRect ? sourceRect->y : 0;
    c.w = sourceRect ? sourceRect->w : source->w;
    c.h = sourceRect ? sourceRect->h : source->h;
    const SDL_Rect& clip = destination->clip_rect;
    ClipAxis(c.sx, c.dx, c.w, sourceRect ? source->w : -1, clip.x, clip.w);
    ClipAxis(c.sy, c.dy, c.h, sourceRect ? source->h : -1, clip.y, clip.h);
    destinationRect->x = static_cast<Sint16>(c.dx);
    destinationRect->y = static_cast<Sint16>(c.dy);
    if (c.w <= 0 || c.h <= 0) {
        destinationRect->w = destinationRect->h = 0;
        return false;
    }
    destinationRect->w = static_cast<Uint16>(c.w);
    destinationRect->h = static_cast<Uint16>(c.h);
    return true;
}

// The per-point rule of the rows' sdlAlphaKeepBlit.
uint32_t AlphaKeepPoint(uint32_t d, uint32_t s, uint32_t opacity) {
    const uint32_t A = s >> 24;
    const uint32_t a = opacity >= 255 ? A : A * opacity / 255u;
    if (a == 0) return d;
    if (a == 255) return (d & 0xFF000000u) | (s & 0x00FFFFFFu);
    uint32_t out = d & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t sc = (s >> shift) & 255u, dc = (d >> shift) & 255u;
        const uint32_t c = opacity >= 255 ? ((sc * a) >> 8) + ((dc * (255u - a)) >> 8)
                                          : sc * a / 255u + dc * (255u - a) / 255u;
        out |= c << shift;
    }
    return out;
}

// The per-point rule of the rows' sdlOpacityBlit, the key itself aside: a
// keyed source's colours are SDL's d + (s - d) n / 255, cut toward d.
uint32_t OpacityPoint(uint32_t d, uint32_t s, uint32_t n, bool keyed) {
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const int sc = static_cast<int>((s >> shift) & 255u), dc = static_cast<int>((d >> shift) & 255u);
        const int c = keyed ? dc + (sc - dc) * static_cast<int>(n) / 255
                            : (sc * static_cast<int>(n) + dc * (256 - static_cast<int>(n))) >> 8;
        out |= static_cast<uint32_t>(c) << shift;
    }
    return out;
}

// The per-point path: d = point(d, s) on h rows of w points.
template <class Point>
void EachPoint(uint32_t* d, int dPitch, const uint32_t* s, int sPitch, int w, int h, Point point) {
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) d[i] = point(d[i], s[i]);
        d = reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(d) + dPitch);
        s = reinterpret_cast<const uint32_t*>(reinterpret_cast<const char*>(s) + sPitch);
    }
}

int BlitOntoAlpha(OntoAlpha kind, SDL_Surface* source, SDL_Rect* sourceRect, SDL_Surface* destination,
                  SDL_Rect* destinationRect) {
    // Pixels that are not there (an empty picture) fail as SDL's blit fails.
    SurfaceLock lockD(destination), lockS(source);
    if (!lockD.Ok() || !lockS.Ok() || !source->pixels || !destination->pixels) return -1;
    Clipped c{};
    if (!ClipBlit(source, sourceRect, destination, destinationRect, c)) return 0;
    const uint32_t opacity = source->format->alpha;
    uint32_t* d = PointAt(destination, c.dx, c.dy);
    const uint32_t* s = PointAt(source, c.sx, c.sy);
    const int dPitch = destination->pitch, sPitch = source->pitch;
    const BlendRows* rows = ChosenBlendRows();
    if (kind == OntoAlpha::kKeepAlpha) {
        if (rows)
            rows->sdlAlphaKeepBlit(d, dPitch, s, sPitch, c.w, c.h, opacity);
        else
            EachPoint(d, dPitch, s, sPitch, c.w, c.h,
                      [opacity](uint32_t dp, uint32_t sp) { return AlphaKeepPoint(dp, sp, opacity); });
        return 0;
    }
    // Without an alpha channel the key is compared with all four bytes.
    const bool keyed = (source->flags & SDL_SRCCOLORKEY) != 0;
    const uint32_t key = source->format->colorkey;
    if (rows)
        rows->sdlOpacityBlit(d, dPitch, s, sPitch, c.w, c.h, opacity, keyed, key);
    else
        EachPoint(d, dPitch, s, sPitch, c.w, c.h, [=](uint32_t dp, uint32_t sp) {
            return keyed && sp == key ? dp : OpacityPoint(dp, sp, opacity, keyed);
        });
    return 0;
}

}  // namespace

bool UpperBlitTakesRows() { return MatchingRows() != nullptr; }

int UpperBlit(SDL_Surface* source, SDL_Rect* sourceRect, SDL_Surface* destination,
              SDL_Rect* destinationRect) {
    if (!source || !destination || !destinationRect)
        return SDL_UpperBlit(source, sourceRect, destination, destinationRect);
    if (!RowsTake(source, destination)) {
        if (const OntoAlpha kind = DrawnOntoAlpha(source, destination); kind != OntoAlpha::kNo)
            return BlitOntoAlpha(kind, source, sourceRect, destination, destinationRect);
        return SDL_UpperBlit(source, sourceRect, destination, destinationRect);
    }
    const BlendRows* rows = MatchingRows();
    if (!rows) return SDL_UpperBlit(source, sourceRect, destination, destinationRect);
    Clipped c{};
    if (!ClipBlit(source, sourceRect, destination, destinationRect, c)) return 0;
    rows->sdlAlphaBlit(PointAt(destination, c.dx, c.dy), destination->pitch, PointAt(source, c.sx, c.sy),
                       source->pitch, c.w, c.h);
    return 0;
}

}  // namespace GraphAPI
