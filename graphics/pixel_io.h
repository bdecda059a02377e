// Pixel readers and writers for the software blends and effects.
//
// Two interchangeable forms: GenericPixels goes through SDL's colour calls
// and works for every depth; Fast32Pixels works directly on 32-bit formats
// whose channels are whole bytes (ARGB, ABGR, RGBA, ..., with or without
// alpha) and gives bit-identical results, without the per-pixel calls into
// SDL. Callers have clipped their walk to the surfaces already.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "graphics/graph_api.h"

namespace GraphAPI {

struct Rgba {
    uint32_t r, g, b, a;
};

// Exact floor(n / d) for 0 <= n < 2^24 and 1 <= d <= 255, by multiplying
// with a rounded-up reciprocal instead of dividing.
struct Reciprocals {
    uint64_t of[256];
    constexpr Reciprocals() : of() {
        of[0] = 0;
        for (uint64_t d = 1; d < 256; ++d) of[d] = ((uint64_t{1} << 32) + d - 1) / d;
    }
};
inline constexpr Reciprocals kReciprocals{};

inline uint32_t DivSmall(uint32_t n, uint32_t d) {
    return static_cast<uint32_t>((static_cast<uint64_t>(n) * kReciprocals.of[d]) >> 32);
}

// Whether the fast forms are used: yes, unless a test switches them off
// (SetFast32Paths) to run the generic forms on 32-bit surfaces.
extern const bool& UseFast32Paths;
void SetFast32Paths(bool on);

class GenericPixels {
public:
    explicit GenericPixels(SDL_Surface* s) : surface(s), format(s->format), alpha(s->format->Amask != 0) {}

    Rgba Get(int x, int y) const {
        Uint8 r, g, b, a;
        SDL_GetRGBA(GetPixel(surface, x, y), format, &r, &g, &b, &a);
        return {r, g, b, a};
    }
    uint32_t Raw(int x, int y) const { return GetPixel(surface, x, y); }
    Rgba Unpack(uint32_t p) const {
        Uint8 r, g, b, a;
        SDL_GetRGBA(p, format, &r, &g, &b, &a);
        return {r, g, b, a};
    }
    uint32_t Pack(Rgba c) const {
        return SDL_MapRGBA(format, static_cast<Uint8>(c.r), static_cast<Uint8>(c.g), static_cast<Uint8>(c.b),
                           static_cast<Uint8>(c.a));
    }
    uint32_t PackRGB(uint32_t r, uint32_t g, uint32_t b) const {
        return SDL_MapRGB(format, static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b));
    }
    void Put(int x, int y, Rgba c) const {
        PutPixel(surface, x, y,
                 SDL_MapRGBA(format, static_cast<Uint8>(c.r), static_cast<Uint8>(c.g),
                             static_cast<Uint8>(c.b), static_cast<Uint8>(c.a)));
    }
    void PutRGB(int x, int y, uint32_t r, uint32_t g, uint32_t b) const {
        PutPixel(surface, x, y,
                 SDL_MapRGB(format, static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b)));
    }
    void PutRaw(int x, int y, uint32_t v) const { PutPixel(surface, x, y, v); }
    bool HasAlpha() const { return alpha; }
    int BytesPerPixel() const { return format->BytesPerPixel; }

private:
    SDL_Surface* surface;
    SDL_PixelFormat* format;
    bool alpha;
};

class Fast32Pixels {
public:
    // True when the surface is 32-bit with byte-wide channels (alpha byte
    // optional): the formats pictures are kept in.
    static bool Fits(const SDL_Surface* s) {
        if (!s || !s->pixels) return false;
        const SDL_PixelFormat* f = s->format;
        if (f->BytesPerPixel != 4 || f->Rloss || f->Gloss || f->Bloss) return false;
        auto byteMask = [](uint32_t mask, int shift) {
            return shift % 8 == 0 && shift < 32 && mask == (0xFFu << shift);
        };
        if (!byteMask(f->Rmask, f->Rshift) || !byteMask(f->Gmask, f->Gshift) ||
            !byteMask(f->Bmask, f->Bshift))
            return false;
        if (f->Amask == 0) return true;
        return f->Aloss == 0 && byteMask(f->Amask, f->Ashift);
    }

    explicit Fast32Pixels(SDL_Surface* s)
        : pixels(static_cast<uint8_t*>(s->pixels)),
          pitch(s->pitch),
          rs(s->format->Rshift),
          gs(s->format->Gshift),
          bs(s->format->Bshift),
          as(s->format->Ashift),
          alpha(s->format->Amask != 0) {}

    uint32_t Raw(int x, int y) const {
        uint32_t v;
        std::memcpy(&v, pixels + static_cast<ptrdiff_t>(y) * pitch + x * 4, 4);
        return v;
    }
    void PutRaw(int x, int y, uint32_t v) const {
        std::memcpy(pixels + static_cast<ptrdiff_t>(y) * pitch + x * 4, &v, 4);
    }
    Rgba Unpack(uint32_t p) const {
        return {(p >> rs) & 255u, (p >> gs) & 255u, (p >> bs) & 255u, alpha ? (p >> as) & 255u : 255u};
    }
    uint32_t Pack(Rgba c) const {
        return ((c.r & 255u) << rs) | ((c.g & 255u) << gs) | ((c.b & 255u) << bs) |
               (alpha ? (c.a & 255u) << as : 0u);
    }
    uint32_t PackRGB(uint32_t r, uint32_t g, uint32_t b) const { return Pack({r, g, b, 255u}); }
    Rgba Get(int x, int y) const { return Unpack(Raw(x, y)); }
    void Put(int x, int y, Rgba c) const { PutRaw(x, y, Pack(c)); }
    void PutRGB(int x, int y, uint32_t r, uint32_t g, uint32_t b) const { Put(x, y, {r, g, b, 255u}); }
    bool HasAlpha() const { return alpha; }
    int BytesPerPixel() const { return 4; }

private:
    uint8_t* pixels;
    int pitch;
    uint32_t rs, gs, bs, as;
    bool alpha;
};

// The fast form with the layout fixed at compile time, for the formats
// pictures are kept in: ARGB 8888 with alpha and XRGB 8888 without. Fixed
// shifts keep the per-pixel code short.
template <bool kAlpha>
class Fixed32Pixels {
public:
    static bool Fits(const SDL_Surface* s) {
        if (!Fast32Pixels::Fits(s)) return false;
        const SDL_PixelFormat* f = s->format;
        return f->Rshift == 16 && f->Gshift == 8 && f->Bshift == 0 &&
               (kAlpha ? f->Amask == 0xFF000000u : f->Amask == 0);
    }

    explicit Fixed32Pixels(SDL_Surface* s) : pixels(static_cast<uint8_t*>(s->pixels)), pitch(s->pitch) {}

    uint32_t Raw(int x, int y) const {
        uint32_t v;
        std::memcpy(&v, pixels + static_cast<ptrdiff_t>(y) * pitch + x * 4, 4);
        return v;
    }
    void PutRaw(int x, int y, uint32_t v) const {
        std::memcpy(pixels + static_cast<ptrdiff_t>(y) * pitch + x * 4, &v, 4);
    }
    // The point (x, y) and those after it in its row, for the blend rows.
    uint32_t* Row(int x, int y) const {
        return reinterpret_cast<uint32_t*>(pixels + static_cast<ptrdiff_t>(y) * pitch) + x;
    }
    static Rgba Unpack(uint32_t p) {
        return {(p >> 16) & 255u, (p >> 8) & 255u, p & 255u, kAlpha ? p >> 24 : 255u};
    }
    static uint32_t Pack(Rgba c) {
        return ((c.r & 255u) << 16) | ((c.g & 255u) << 8) | (c.b & 255u) | (kAlpha ? (c.a & 255u) << 24 : 0u);
    }
    static uint32_t PackRGB(uint32_t r, uint32_t g, uint32_t b) { return Pack({r, g, b, 255u}); }
    Rgba Get(int x, int y) const { return Unpack(Raw(x, y)); }
    void Put(int x, int y, Rgba c) const { PutRaw(x, y, Pack(c)); }
    void PutRGB(int x, int y, uint32_t r, uint32_t g, uint32_t b) const { Put(x, y, {r, g, b, 255u}); }
    static bool HasAlpha() { return kAlpha; }
    static int BytesPerPixel() { return 4; }

private:
    uint8_t* pixels;
    int pitch;
};

using ArgbPixels = Fixed32Pixels<true>;
using XrgbPixels = Fixed32Pixels<false>;

// The forms the vectorised blend rows take (blend_rows.h): an ARGB or XRGB
// destination, every surface read ARGB.
template <class D, class... Read>
inline constexpr bool kRowForms = (std::is_same_v<D, ArgbPixels> ||
                                   std::is_same_v<D, XrgbPixels>)&&(std::is_same_v<Read, ArgbPixels>&&...);

// Runs fn with a pixel form for each surface (destination first): fixed
// layouts when the destination is ARGB or XRGB and the others ARGB, the
// fast form when every surface is 32-bit with byte channels, the generic
// form otherwise.
template <class Fn>
void WithPixels(SDL_Surface* a, Fn&& fn) {
    if (UseFast32Paths && ArgbPixels::Fits(a)) {
        fn(ArgbPixels(a));
    } else if (UseFast32Paths && Fast32Pixels::Fits(a)) {
        fn(Fast32Pixels(a));
    } else {
        fn(GenericPixels(a));
    }
}

template <class Fn>
void WithPixels(SDL_Surface* a, SDL_Surface* b, Fn&& fn) {
    if (UseFast32Paths && ArgbPixels::Fits(b) && ArgbPixels::Fits(a)) {
        fn(ArgbPixels(a), ArgbPixels(b));
    } else if (UseFast32Paths && ArgbPixels::Fits(b) && XrgbPixels::Fits(a)) {
        fn(XrgbPixels(a), ArgbPixels(b));
    } else if (UseFast32Paths && Fast32Pixels::Fits(a) && Fast32Pixels::Fits(b)) {
        fn(Fast32Pixels(a), Fast32Pixels(b));
    } else {
        fn(GenericPixels(a), GenericPixels(b));
    }
}

template <class Fn>
void WithPixels(SDL_Surface* a, SDL_Surface* b, SDL_Surface* c, Fn&& fn) {
    if (UseFast32Paths && ArgbPixels::Fits(b) && ArgbPixels::Fits(c) && ArgbPixels::Fits(a)) {
        fn(ArgbPixels(a), ArgbPixels(b), ArgbPixels(c));
    } else if (UseFast32Paths && ArgbPixels::Fits(b) && ArgbPixels::Fits(c) && XrgbPixels::Fits(a)) {
        fn(XrgbPixels(a), ArgbPixels(b), ArgbPixels(c));
    } else if (UseFast32Paths && Fast32Pixels::Fits(a) && Fast32Pixels::Fits(b) && Fast32Pixels::Fits(c)) {
        fn(Fast32Pixels(a), Fast32Pixels(b), Fast32Pixels(c));
    } else {
        fn(GenericPixels(a), GenericPixels(b), GenericPixels(c));
    }
}

}  // namespace GraphAPI
