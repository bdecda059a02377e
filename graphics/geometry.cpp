#include "graphics/geometry.h"

#include <cmath>
#include <cstdint>

bool PointInImage(int x, int y, const Image* image) {
    if (!image) return false;
    // In 64 bits: a picture near the end of the int range must not wrap.
    int64_t ix = image->x, iy = image->y;
    return ix <= x && x < ix + image->w && iy <= y && y < iy + image->h;
}

float VectorLength(float x, float y) { return std::sqrt(x * x + y * y); }
