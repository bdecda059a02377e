#include "graphics/rect_clip.h"

#include <algorithm>
#include <cstdint>

#include "foundation/saturating.h"

// Record numbers can be anything a script or file put there; the clip works
// in 64 bits and only stores results that fit.
bool ClipRect(const Image& source, const Image& bounds, Image& out) {
    const int64_t sx = source.x, sy = source.y, sw = source.w, sh = source.h;
    const int64_t x1 = bounds.x, y1 = bounds.y, x2 = bounds.w, y2 = bounds.h;

    const int64_t right = sx + sw - x1;
    const int64_t bottom = sy + sh - y1;
    if (right < 1 || bottom < 1) return false;
    const int64_t cutLeft = std::min<int64_t>(0, right - sw);
    const int64_t cutTop = std::min<int64_t>(0, bottom - sh);

    const int64_t left = x2 - sx;
    const int64_t top = y2 - sy;
    if (left < 1 || top < 1) return false;
    const int64_t cutRight = std::min<int64_t>(0, left - sw);
    const int64_t cutBottom = std::min<int64_t>(0, top - sh);

    out.srx = SaturateInt(source.srx - cutLeft);
    out.sry = SaturateInt(source.sry - cutTop);
    const int64_t w = sw + cutRight + cutLeft;
    if (w < 1) {
        out.w = 0;
        return false;
    }
    out.w = SaturateInt(w);
    const int64_t h = sh + cutBottom + cutTop;
    if (h < 1) {
        out.h = 0;
        return false;
    }
    out.h = SaturateInt(h);
    out.x = SaturateInt(std::max(sx, x1));
    out.y = SaturateInt(std::max(sy, y1));
    // The out record only looks at the surface; whatever it held is let go
    // properly first, so a record that owned a surface cannot leak or free
    // the source's.
    if (out.surface != source.surface) out.ViewSurface(source.surface);
    return true;
}

bool ClipRectToImage(const Image& source, const Image& boundsImage, Image& out) {
    Image bounds;
    bounds.x = boundsImage.x;
    bounds.y = boundsImage.y;
    bounds.w = SaturateInt(static_cast<int64_t>(boundsImage.x) + boundsImage.w);
    bounds.h = SaturateInt(static_cast<int64_t>(boundsImage.y) + boundsImage.h);
    return ClipRect(source, bounds, out);
}
