// The rectangle a blend or effect walks, clipped to every surface it
// touches whatever the records' numbers say.
#pragma once

#include <SDL/SDL.h>

#include <algorithm>
#include <cstdint>

#include "graphics/image.h"

namespace GraphAPI {

// A half-open area in application coordinates.
class PixelWalk {
public:
    PixelWalk(int64_t x, int64_t y, int64_t w, int64_t h)
        : x0(x), y0(y), x1(x + std::max<int64_t>(w, 0)), y1(y + std::max<int64_t>(h, 0)) {}

    // Keeps only the points whose pixel lies inside the surface, where the
    // surface's first pixel sits at application point (originX, originY).
    void Within(const SDL_Surface* s, int64_t originX, int64_t originY) {
        if (!s || !s->pixels) {
            x1 = x0;
            return;
        }
        x0 = std::max(x0, originX);
        y0 = std::max(y0, originY);
        x1 = std::min(x1, originX + s->w);
        y1 = std::min(y1, originY + s->h);
    }
    // The surface's pixels at (X - x, Y - y): a destination.
    void WithinAt(const Image& r) { Within(r.surface, r.x, r.y); }
    // The surface's pixels at (X - x + srx, Y - y + sry): a shown part.
    void WithinShown(const Image& r) { Within(r.surface, int64_t{r.x} - r.srx, int64_t{r.y} - r.sry); }

    bool Empty() const { return x1 <= x0 || y1 <= y0; }
    int Width() const { return static_cast<int>(x1 - x0); }
    int Height() const { return static_cast<int>(y1 - y0); }
    // First column and row of the walk in a surface whose first pixel sits
    // at (originX, originY); valid after Within for that surface.
    int StartX(int64_t originX) const { return static_cast<int>(x0 - originX); }
    int StartY(int64_t originY) const { return static_cast<int>(y0 - originY); }
    int StartXAt(const Image& r) const { return StartX(r.x); }
    int StartYAt(const Image& r) const { return StartY(r.y); }
    int StartXShown(const Image& r) const { return StartX(int64_t{r.x} - r.srx); }
    int StartYShown(const Image& r) const { return StartY(int64_t{r.y} - r.sry); }

    int64_t x0, y0, x1, y1;
};

}  // namespace GraphAPI
