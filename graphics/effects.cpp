// Per-pixel effects on a whole picture: mirror, black and white, colourise,
// alpha scaling, comparison, and scaling a picture record (its pixels
// resampled in resample.cpp).
#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/saturating.h"
#include "graphics/blend_rows.h"
#include "graphics/graph_api.h"
#include "graphics/pixel_io.h"
#include "graphics/surface_lock.h"

namespace GraphAPI {

namespace {

// The picture's w x h area from the surface's first pixel, cut to the
// surface.
struct Area {
    int w = 0, h = 0;
};

Area AreaOf(const Image& image) {
    Area a;
    if (!image.surface || !image.surface->pixels) return a;
    a.w = std::clamp(image.w, 0, image.surface->w);
    a.h = std::clamp(image.h, 0, image.surface->h);
    return a;
}

// Applies fn(Rgba) -> Rgba to every pixel whose alpha is not 0.
template <class Fn>
void MapVisiblePixels(Image* image, Fn&& fn) {
    if (!image || !image->surface) return;
    SurfaceLock lock(image->surface);
    if (!lock.Ok()) return;
    const Area area = AreaOf(*image);
    WithPixels(image->surface, [&](auto P) {
        for (int y = 0; y < area.h; ++y) {
            for (int x = 0; x < area.w; ++x) {
                const Rgba c = P.Get(x, y);
                if (c.a != 0) P.Put(x, y, fn(c));
            }
        }
    });
}

// A record number scaled by a factor (in single precision), saturated.
int32_t TruncScaled(int32_t value, float factor) { return SatTrunc(static_cast<float>(value) * factor); }

}  // namespace

void MirrorImage(Image* image, int horizontal, int vertical) {
    if (!image || !image->surface) return;
    SurfaceLock lock(image->surface);
    if (!lock.Ok()) return;
    SDL_Surface* s = image->surface;
    const Area area = AreaOf(*image);
    if (horizontal) {
        for (int y = 0; y < area.h; ++y) {
            for (int x = 0; x < area.w / 2; ++x) {
                const uint32_t left = GetPixel(s, x, y);
                PutPixel(s, x, y, GetPixel(s, area.w - 1 - x, y));
                PutPixel(s, area.w - 1 - x, y, left);
            }
        }
    }
    if (vertical && area.h > 1) {
        const size_t bytes = static_cast<size_t>(area.w) * s->format->BytesPerPixel;
        std::vector<Uint8> row(bytes);
        Uint8* pixels = static_cast<Uint8*>(s->pixels);
        for (int y = 0; y < area.h / 2; ++y) {
            Uint8* top = pixels + static_cast<ptrdiff_t>(y) * s->pitch;
            Uint8* bottom = pixels + static_cast<ptrdiff_t>(area.h - 1 - y) * s->pitch;
            std::memcpy(row.data(), top, bytes);
            std::memcpy(top, bottom, bytes);
            std::memcpy(bottom, row.data(), bytes);
        }
    }
}

void BlackWhite(Image* image, int level) {
    MapVisiblePixels(image, [level](Rgba c) {
        const int lum = static_cast<int>(0.3 * c.r + 0.59 * c.g + 0.11 * c.b);
        const uint32_t v = lum > level ? 255u : 0u;
        return Rgba{v, v, v, c.a};
    });
}

void ColorizeImage(Image* image, int r, int g, int b, int a, int mode) {
    if (mode < 0 || mode > 2) return;
    auto u = [](int v) { return static_cast<uint32_t>(v); };
    MapVisiblePixels(image, [=](Rgba c) {
        switch (mode) {
        case 0:
            return Rgba{u(r), u(g), u(b), u(a)};
        case 1:
            return Rgba{u(static_cast<int>(c.r) * r / 255), u(static_cast<int>(c.g) * g / 255),
                        u(static_cast<int>(c.b) * b / 255), u(static_cast<int>(c.a) * a / 255)};
        default:
            return Rgba{u(r), u(g), u(b), c.a};
        }
    });
}

void ScaleAlpha(Image* image, int factor) {
    if (!image || !image->surface || !image->surface->format->Amask) return;
    SurfaceLock lock(image->surface);
    if (!lock.Ok()) return;
    // Every possible alpha's result, kept within 0..255.
    uint32_t scaled[256];
    for (int64_t a = 0; a < 256; ++a)
        scaled[a] = static_cast<uint32_t>(std::clamp<int64_t>(a * factor / 255, 0, 255));
    const Area area = AreaOf(*image);
    WithPixels(image->surface, [&](auto P) {
        if constexpr (std::is_same_v<decltype(P), ArgbPixels>) {
            if (const BlendRows* rows = ChosenBlendRows()) {
                const uint32_t k = static_cast<uint32_t>(std::max(factor, 0));
                for (int y = 0; y < area.h; ++y) rows->scaleAlpha(P.Row(0, y), area.w, k);
                return;
            }
        }
        for (int y = 0; y < area.h; ++y) {
            for (int x = 0; x < area.w; ++x) {
                Rgba c = P.Get(x, y);
                c.a = scaled[c.a];
                P.Put(x, y, c);
            }
        }
    });
}

bool CompareImages(Image* a, Image* b) {
    if (!a || !b || !a->surface || !b->surface) return false;
    if (a->w != b->w || a->h != b->h) return false;
    SurfaceLock lockA(a->surface), lockB(b->surface);
    if (!lockA.Ok() || !lockB.Ok()) return false;
    // Outside both surfaces every pixel reads 0 on both sides.
    const int w = std::clamp(a->w, 0, std::max(a->surface->w, b->surface->w));
    const int h = std::clamp(a->h, 0, std::max(a->surface->h, b->surface->h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (GetPixel(a->surface, x, y) != GetPixel(b->surface, x, y)) return false;
    return true;
}

void ScaleImage(Image* image, float fx, float fy) {
    if (!image || (fx == 1.0f && fy == 1.0f)) return;
    if (image->imgtype == FIRST && image->surface) {
        SDL_Surface* zoomed = ZoomSurface(image->surface, fx, fy, /*smooth=*/1);
        if (!zoomed) return;
        image->AdoptSurface(zoomed);
        ResetFromSurface(zoomed, image);
        return;
    }
    // A shared picture keeps its pixels; only its numbers follow the scale
    // (every pixel walk clips to the surface).
    image->w = TruncScaled(image->w, fx);
    image->x = TruncScaled(image->x, fx);
    image->srw = TruncScaled(image->srw, fx);
    image->h = TruncScaled(image->h, fy);
    image->y = TruncScaled(image->y, fy);
    image->srh = TruncScaled(image->srh, fy);
}

}  // namespace GraphAPI
