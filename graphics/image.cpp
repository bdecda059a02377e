#include "graphics/image.h"

#include <cstdio>
#include <cstring>

#include "graphics/graph_api.h"

Image::Image(const Image& other) { ShareFrom(other); }

Image& Image::operator=(const Image& other) {
    if (this != &other) {
        Free();
        ShareFrom(other);
    }
    return *this;
}

void Image::ReleaseSurface() {
    if (surface && (imgtype == FIRST || holdsSurfaceRef)) SDL_FreeSurface(surface);
    holdsSurfaceRef = false;
    surface = nullptr;
}

void Image::Free() {
    FreeMask();
    ReleaseSurface();
    owner = nullptr;
    imgtype = NONFIRST;
}

void Image::FreeMask() {
    maskHold.reset();
    bitmask = nullptr;
    maskw = 0;
    maskh = 0;
}

void Image::AdoptSurface(SDL_Surface* s) {
    if (s == surface && imgtype == FIRST) return;
    ReleaseSurface();
    surface = s;
    imgtype = FIRST;
    owner = nullptr;
}

void Image::ShareFrom(const Image& other) {
    if (&other == this) return;
    SDL_Surface* s = other.surface;
    if (s) ++s->refcount;  // taken before our own release: s may be ours
    auto mask = other.maskHold;
    Free();
    surface = s;
    holdsSurfaceRef = s != nullptr;
    x = other.x;
    y = other.y;
    w = other.w;
    h = other.h;
    srx = other.srx;
    sry = other.sry;
    srw = other.srw;
    srh = other.srh;
    maskHold = std::move(mask);
    bitmask = other.bitmask;
    maskw = other.maskw;
    maskh = other.maskh;
    owner = &other;
    imgtype = NONFIRST;
}

void Image::ViewSurface(SDL_Surface* s) {
    Free();
    surface = s;
}

void Image::BuildMask(int margin) {
    if (!surface || margin < 0) return;
    FreeMask();
    int64_t mw = static_cast<int64_t>(w) + 2 * static_cast<int64_t>(margin);
    int64_t mh = static_cast<int64_t>(h) + 2 * static_cast<int64_t>(margin);
    // A mask larger than this is a data error, not a picture.
    if (w < 0 || h < 0 || mw <= 0 || mh <= 0 || mw > 65536 || mh > 65536) return;
    int64_t bits = mw * mh;
    size_t bytes = static_cast<size_t>((bits + 7) / 8);
    maskHold.reset(new uint8_t[bytes]());
    bitmask = maskHold.get();
    maskw = static_cast<int32_t>(mw);
    maskh = static_cast<int32_t>(mh);
    if (margin == 0) return;

    int sw = w < surface->w ? w : surface->w;
    int sh = h < surface->h ? h : surface->h;
    bool locked = GraphAPI::LockImage(this);
    SDL_PixelFormat* fmt = surface->format;
    for (int py = 0; py < sh; ++py) {
        for (int px = 0; px < sw; ++px) {
            Uint8 r, g, b, a;
            SDL_GetRGBA(GraphAPI::GetPixel(surface, px, py), fmt, &r, &g, &b, &a);
            if (a == 0) continue;
            for (int my = py; my < py + 2 * margin; ++my) {
                int64_t row = static_cast<int64_t>(my) * mw;
                for (int mx = px; mx < px + 2 * margin; ++mx) {
                    int64_t n = row + mx;
                    bitmask[n >> 3] |= static_cast<uint8_t>(1u << (n & 7));
                }
            }
        }
    }
    if (locked) GraphAPI::UnlockImage(this);
}

int Image::GetMaskBit(int mx, int my) const {
    int64_t total = static_cast<int64_t>(maskw) * maskh;
    int64_t n = static_cast<int64_t>(maskw) * my + mx;
    if (bitmask && mx >= 0 && my >= 0 && mx < maskw && n < total) return bitmask[n >> 3] & (1u << (n & 7));
    std::printf("\nerror!!!!! pos=%lld, size=%lld ix=%d,iy=%d w=%d, h=%d\n", static_cast<long long>(n),
                static_cast<long long>(total), mx, my, maskw, maskh);
    return 0;
}

void Image::CopyMask(const Image* other) {
    if (!other) return;
    if (imgtype == FIRST) {
        std::printf("\nImage::CopyMask imgtype=FIRST!");
        return;
    }
    maskHold = other->maskHold;
    bitmask = other->bitmask;
    maskw = other->maskw;
    maskh = other->maskh;
}

void Image::Print() const {
    std::printf("\nImage: %s, x: %d, y: %d, w: %d, h: %d, srx: %d, sry: %d, srw: %d, srh: %d%s%s\n",
                surface ? "img!=NULL" : "img=NULL", x, y, w, h, srx, sry, srw, srh,
                imgtype == NONFIRST ? ", imgtype=NONFIRST" : ", imgtype=FIRST",
                bitmask ? ", bitmask!=NULL" : ", bitmask=NULL");
}
