#include "graphics/alpha_blit.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "graphics/blend_rows.h"
#include "graphics/display_format.h"

namespace GraphAPI {

namespace {

bool IsRgb8888(const SDL_PixelFormat* f) {
    return f->BytesPerPixel == 4 && f->Rmask == 0x00FF0000u && f->Gmask == 0x0000FF00u &&
           f->Bmask == 0x000000FFu;
}

// The rows blend by each point's alpha alone; SDL's blit also weighs it by
// the picture's own opacity (its format's alpha, which a picture converted
// to alpha from a translucent one keeps), so only opacity 255 qualifies.
bool RowsTake(const SDL_Surface* source, const SDL_Surface* destination) {
    return source != destination && IsRgb8888(source->format) && source->format->Amask == 0xFF000000u &&
           (source->flags & SDL_SRCALPHA) && source->format->alpha == SDL_ALPHA_OPAQUE &&
           !(source->flags & SDL_SRCCOLORKEY) && IsRgb8888(destination->format) &&
           destination->format->Amask == 0 && source->pixels && destination->pixels &&
           !SDL_MUSTLOCK(source) && !SDL_MUSTLOCK(destination) && !source->locked && !destination->locked;
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

}  // namespace

bool UpperBlitTakesRows() { return MatchingRows() != nullptr; }

int UpperBlit(SDL_Surface* source, SDL_Rect* sourceRect, SDL_Surface* destination,
              SDL_Rect* destinationRect) {
    if (!source || !destination || !destinationRect || !RowsTake(source, destination))
        return SDL_UpperBlit(source, sourceRect, destination, destinationRect);
    const BlendRows* rows = MatchingRows();
    if (!rows) return SDL_UpperBlit(source, sourceRect, destination, destinationRect);

    // SDL's clipping, in int as SDL does it.
    int dx = destinationRect->x, dy = destinationRect->y;
    int sx = sourceRect ? sourceRect->x : 0, sy = sourceRect ? sourceRect->y : 0;
    int w = sourceRect ? sourceRect->w : source->w, h = sourceRect ? sourceRect->h : source->h;
    const SDL_Rect& clip = destination->clip_rect;
    ClipAxis(sx, dx, w, sourceRect ? source->w : -1, clip.x, clip.w);
    ClipAxis(sy, dy, h, sourceRect ? source->h : -1, clip.y, clip.h);

    destinationRect->x = static_cast<Sint16>(dx);
    destinationRect->y = static_cast<Sint16>(dy);
    if (w <= 0 || h <= 0) {
        destinationRect->w = destinationRect->h = 0;
        return 0;
    }
    destinationRect->w = static_cast<Uint16>(w);
    destinationRect->h = static_cast<Uint16>(h);
    rows->sdlAlphaBlit(PointAt(destination, dx, dy), destination->pitch, PointAt(source, sx, sy),
                       source->pitch, w, h);
    return 0;
}

}  // namespace GraphAPI
