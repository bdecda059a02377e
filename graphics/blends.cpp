// Software blends of two or three pictures, pixel by pixel.
//
// Each walks the overlap of the records' rectangles (application
// coordinates), clipped further to every surface it reads or writes. The
// per-pixel rules are written once and run over either pixel form of
// pixel_io.h, so the 32-bit fast form and the generic form agree exactly.
//
// The loops compute every point's result and then choose between it and
// the destination's own raw value, instead of branching on the alphas:
// game pictures mix transparent, opaque and translucent points, and the
// branches would mispredict. Writing a raw value back changes nothing.
//
// Pictures in the layouts they are kept in go through the vectorised rows
// of blend_rows.h instead, which give the same bytes.
#include <algorithm>
#include <type_traits>

#include "graphics/blend_rows.h"
#include "graphics/graph_api.h"
#include "graphics/pixel_io.h"
#include "graphics/pixel_walk.h"
#include "graphics/rect_clip.h"
#include "graphics/surface_lock.h"

namespace GraphAPI {

namespace {

bool Present(const Image* image) { return image && image->surface; }

inline uint32_t Min255(uint32_t v) { return v < 255u ? v : 255u; }

// The vectorised rows for a walk that writes `destination` and reads the
// others, or null for the per-point walk: a walk that reads the
// destination's own surface keeps the per-point order, since it may read
// points it has just written.
const BlendRows* RowsFor(const SDL_Surface* destination, const SDL_Surface* read,
                         const SDL_Surface* other = nullptr) {
    return destination == read || destination == other ? nullptr : ChosenBlendRows();
}

// Zeroes the points from `from` up to `to` of a row.
void ClearPoints(uint32_t* from, uint32_t* to) {
    if (to > from) std::fill(from, to, 0u);
}

// The overlap of source's rectangle with the destination's, clipped to the
// source's shown part and to the destination's surface.
bool SourceOverDestination(const Image& destination, const Image& source, PixelWalk& walk) {
    Image overlap;
    if (!ClipRectToImage(source, destination, overlap)) return false;
    walk = PixelWalk(overlap.x, overlap.y, overlap.w, overlap.h);
    walk.WithinShown(source);
    walk.WithinAt(destination);
    return !walk.Empty();
}

}  // namespace

void BlendOver(Image* destination, Image* source) {
    if (!Present(destination) || !Present(source)) return;
    PixelWalk walk(0, 0, 0, 0);
    if (!SourceOverDestination(*destination, *source, walk)) return;
    SurfaceLock lockD(destination->surface), lockS(source->surface);
    if (!lockD.Ok() || !lockS.Ok()) return;
    const int dx = walk.StartXAt(*destination), dy = walk.StartYAt(*destination);
    const int sx = walk.StartXShown(*source), sy = walk.StartYShown(*source);
    const int w = walk.Width(), h = walk.Height();
    WithPixels(destination->surface, source->surface, [&](auto D, auto S) {
        if constexpr (kRowForms<decltype(D), decltype(S)>) {
            if (const BlendRows* rows = RowsFor(destination->surface, source->surface)) {
                for (int j = 0; j < h; ++j) rows->over[D.HasAlpha()](D.Row(dx, dy + j), S.Row(sx, sy + j), w);
                return;
            }
        }
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                const Rgba s = S.Get(sx + i, sy + j);
                const uint32_t raw = D.Raw(dx + i, dy + j);
                const Rgba d = D.Unpack(raw);
                const uint32_t k = 255u - s.a;
                const uint32_t out = D.Pack({(s.a * s.r + k * d.r) / 255u, (s.a * s.g + k * d.g) / 255u,
                                             (s.a * s.b + k * d.b) / 255u, d.a});
                D.PutRaw(dx + i, dy + j, ((s.a == 0) | (d.a == 0)) ? raw : out);
            }
        }
    });
}

void BlendAlpha(Image* destination, Image* source, int alpha) {
    if (!Present(destination) || !Present(source) || alpha <= 0) return;
    const uint32_t strength = static_cast<uint32_t>(std::min(alpha, 255));
    PixelWalk walk(0, 0, 0, 0);
    if (!SourceOverDestination(*destination, *source, walk)) return;
    SurfaceLock lockD(destination->surface);
    if (!lockD.Ok()) return;
    SurfaceLock lockS(source->surface);
    if (!lockS.Ok()) return;
    const int dx = walk.StartXAt(*destination), dy = walk.StartYAt(*destination);
    const int sx = walk.StartXShown(*source), sy = walk.StartYShown(*source);
    const int w = walk.Width(), h = walk.Height();
    WithPixels(destination->surface, source->surface, [&](auto D, auto S) {
        if constexpr (kRowForms<decltype(D), decltype(S)>) {
            if (const BlendRows* rows = RowsFor(destination->surface, source->surface)) {
                for (int j = 0; j < h; ++j)
                    rows->alpha[D.HasAlpha()](D.Row(dx, dy + j), S.Row(sx, sy + j), w, strength);
                return;
            }
        }
        if (D.HasAlpha()) {
            for (int j = 0; j < h; ++j) {
                for (int i = 0; i < w; ++i) {
                    const Rgba s = S.Get(sx + i, sy + j);
                    const uint32_t a = s.a * strength / 255u;
                    const uint32_t raw = D.Raw(dx + i, dy + j);
                    const Rgba d = D.Unpack(raw);
                    const uint32_t oA = a + (255u - a) * d.a / 255u;
                    const uint32_t k = oA - a;
                    const uint32_t out =
                        D.Pack({DivSmall(k * d.r + a * s.r, oA), DivSmall(k * d.g + a * s.g, oA),
                                DivSmall(k * d.b + a * s.b, oA), oA});
                    D.PutRaw(dx + i, dy + j, ((s.a == 0) | (oA == 0)) ? raw : out);
                }
            }
        } else {
            for (int j = 0; j < h; ++j) {
                for (int i = 0; i < w; ++i) {
                    const Rgba s = S.Get(sx + i, sy + j);
                    const uint32_t a = s.a * strength / 255u;
                    const uint32_t k = 255u - a;
                    const uint32_t raw = D.Raw(dx + i, dy + j);
                    const Rgba d = D.Unpack(raw);
                    const uint32_t out = D.PackRGB((k * d.r + a * s.r) / 255u, (k * d.g + a * s.g) / 255u,
                                                   (k * d.b + a * s.b) / 255u);
                    D.PutRaw(dx + i, dy + j, s.a == 0 ? raw : out);
                }
            }
        }
    });
}

void BlendAdd(Image* destination, Image* source) {
    if (!Present(destination) || !Present(source)) return;
    PixelWalk walk(0, 0, 0, 0);
    if (!SourceOverDestination(*destination, *source, walk)) return;
    SurfaceLock lockD(destination->surface), lockS(source->surface);
    if (!lockD.Ok() || !lockS.Ok()) return;
    const int dx = walk.StartXAt(*destination), dy = walk.StartYAt(*destination);
    const int sx = walk.StartXShown(*source), sy = walk.StartYShown(*source);
    const int w = walk.Width(), h = walk.Height();
    WithPixels(destination->surface, source->surface, [&](auto D, auto S) {
        if constexpr (kRowForms<decltype(D), decltype(S)>) {
            if (const BlendRows* rows = RowsFor(destination->surface, source->surface)) {
                for (int j = 0; j < h; ++j) rows->add[D.HasAlpha()](D.Row(dx, dy + j), S.Row(sx, sy + j), w);
                return;
            }
        }
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                const Rgba s = S.Get(sx + i, sy + j);
                const uint32_t raw = D.Raw(dx + i, dy + j);
                const Rgba d = D.Unpack(raw);
                const uint32_t out =
                    D.Pack({Min255((s.r * s.a + d.r * d.a) / 255u), Min255((s.g * s.a + d.g * d.a) / 255u),
                            Min255((s.b * s.a + d.b * d.a) / 255u), d.a});
                D.PutRaw(dx + i, dy + j, ((s.a == 0) | (d.a == 0)) ? raw : out);
            }
        }
    });
}

void BlendAdd256(Image* destination, Image* source, int alpha) {
    if (!Present(destination) || !Present(source) || alpha <= 0) return;
    // Above 2^24 every result is already saturated; the cap keeps the
    // products inside 32 bits.
    const uint32_t strength = static_cast<uint32_t>(std::min(alpha, 1 << 24));
    PixelWalk walk(0, 0, 0, 0);
    if (!SourceOverDestination(*destination, *source, walk)) return;
    SurfaceLock lockD(destination->surface), lockS(source->surface);
    if (!lockD.Ok() || !lockS.Ok()) return;
    const int dx = walk.StartXAt(*destination), dy = walk.StartYAt(*destination);
    const int sx = walk.StartXShown(*source), sy = walk.StartYShown(*source);
    const int w = walk.Width(), h = walk.Height();
    WithPixels(destination->surface, source->surface, [&](auto D, auto S) {
        // The rows take strengths up to 256, where the products fit 16 bits.
        if constexpr (kRowForms<decltype(D), decltype(S)>) {
            const BlendRows* rows = RowsFor(destination->surface, source->surface);
            if (rows && strength <= 256u) {
                for (int j = 0; j < h; ++j)
                    rows->add256[D.HasAlpha()](D.Row(dx, dy + j), S.Row(sx, sy + j), w, strength);
                return;
            }
        }
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                const Rgba s = S.Get(sx + i, sy + j);
                const uint32_t a = (s.a * strength) >> 8;
                const uint32_t raw = D.Raw(dx + i, dy + j);
                const Rgba d = D.Unpack(raw);
                const uint32_t out =
                    D.Pack({Min255((s.r * a + d.r * 255u) >> 8), Min255((s.g * a + d.g * 255u) >> 8),
                            Min255((s.b * a + d.b * 255u) >> 8), 255u});
                D.PutRaw(dx + i, dy + j, s.a == 0 ? raw : out);
            }
        }
    });
}

void MaskAlpha(Image* destination, Image* mask, int mode) {
    if (!Present(destination) || !Present(mask)) return;
    {
        Image overlap;
        if (!ClipRectToImage(*destination, *mask, overlap)) {
            destination->w = 0;
            return;
        }
    }
    // Every destination point, inside its surface.
    PixelWalk walk(destination->x, destination->y, destination->w, destination->h);
    walk.WithinAt(*destination);
    if (walk.Empty()) return;
    // The mask's points: its rectangle, within its surface.
    PixelWalk inside(mask->x, mask->y, mask->w, mask->h);
    inside.WithinShown(*mask);
    SurfaceLock lockD(destination->surface), lockM(mask->surface);
    if (!lockD.Ok() || !lockM.Ok()) return;
    const int64_t mOriginX = int64_t{mask->x} - mask->srx, mOriginY = int64_t{mask->y} - mask->sry;
    const bool rawTest = mask->surface->format->BytesPerPixel == 4;
    WithPixels(destination->surface, mask->surface, [&](auto D, auto M) {
        if constexpr (kRowForms<decltype(D), decltype(M)>) {
            if (const BlendRows* rows = RowsFor(destination->surface, mask->surface)) {
                // Each row: cleared outside the mask, the rule inside.
                const BlendRows::Row2 rule = mode != 0 ? rows->maskAlpha[D.HasAlpha()] : rows->maskKeep;
                for (int64_t Y = walk.y0; Y < walk.y1; ++Y) {
                    const int dy = static_cast<int>(Y - destination->y);
                    auto at = [&](int64_t X) { return D.Row(static_cast<int>(X - destination->x), dy); };
                    const bool rowInside = Y >= inside.y0 && Y < inside.y1;
                    const int64_t in0 = rowInside ? std::clamp(inside.x0, walk.x0, walk.x1) : walk.x1;
                    const int64_t in1 = rowInside ? std::clamp(inside.x1, in0, walk.x1) : walk.x1;
                    ClearPoints(at(walk.x0), at(in0));
                    ClearPoints(at(in1), at(walk.x1));
                    if (in1 > in0)
                        rule(at(in0), M.Row(static_cast<int>(in0 - mOriginX), static_cast<int>(Y - mOriginY)),
                             static_cast<int>(in1 - in0));
                }
                return;
            }
        }
        for (int64_t Y = walk.y0; Y < walk.y1; ++Y) {
            const int dy = static_cast<int>(Y - destination->y);
            const bool rowInside = Y >= inside.y0 && Y < inside.y1;
            for (int64_t X = walk.x0; X < walk.x1; ++X) {
                const int dx = static_cast<int>(X - destination->x);
                const bool in = rowInside && X >= inside.x0 && X < inside.x1;
                const int mx = static_cast<int>(X - mOriginX), my = static_cast<int>(Y - mOriginY);
                if (mode != 0) {
                    if (!in) {
                        D.PutRaw(dx, dy, 0);
                        continue;
                    }
                    const uint32_t mA = M.Get(mx, my).a;
                    const uint32_t raw = D.Raw(dx, dy);
                    const Rgba d = D.Unpack(raw);
                    const uint32_t out = D.Pack({d.r, d.g, d.b, mA});
                    D.PutRaw(dx, dy, mA < 255u ? out : raw);
                } else {
                    bool keep = false;
                    if (in) keep = rawTest ? M.Raw(mx, my) > 0x00FFFFFFu : M.Get(mx, my).a != 0;
                    if (!keep) D.PutRaw(dx, dy, 0);
                }
            }
        }
    });
}

void ClearWhereOpaque(Image* destination, Image* source) {
    if (!Present(destination) || !Present(source)) return;
    PixelWalk walk(0, 0, 0, 0);
    if (!SourceOverDestination(*destination, *source, walk)) return;
    SurfaceLock lockD(destination->surface), lockS(source->surface);
    if (!lockD.Ok() || !lockS.Ok()) return;
    const int dx = walk.StartXAt(*destination), dy = walk.StartYAt(*destination);
    const int sx = walk.StartXShown(*source), sy = walk.StartYShown(*source);
    const int w = walk.Width(), h = walk.Height();
    WithPixels(destination->surface, source->surface, [&](auto D, auto S) {
        if constexpr (kRowForms<decltype(D), decltype(S)>) {
            if (const BlendRows* rows = RowsFor(destination->surface, source->surface)) {
                for (int j = 0; j < h; ++j) rows->clearWhereOpaque(D.Row(dx, dy + j), S.Row(sx, sy + j), w);
                return;
            }
        }
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                D.PutRaw(dx + i, dy + j, S.Get(sx + i, sy + j).a == 255u ? 0u : D.Raw(dx + i, dy + j));
    });
}

void BlendMasked(Image* destination, Image* source, Image* mask, int alpha, int mode) {
    if (!Present(destination) || !Present(source) || !Present(mask) || alpha <= 0) return;
    const uint32_t strength = static_cast<uint32_t>(std::min(alpha, 255));
    Image overlap;
    if (!ClipRectToImage(*source, *mask, overlap)) return;
    PixelWalk walk(overlap.x, overlap.y, overlap.w, overlap.h);
    walk.WithinShown(*source);
    walk.WithinShown(*mask);
    // The destination is read and written at the mask's surface point.
    const int64_t mOriginX = int64_t{mask->x} - mask->srx, mOriginY = int64_t{mask->y} - mask->sry;
    walk.Within(destination->surface, mOriginX, mOriginY);
    if (walk.Empty()) return;
    SurfaceLock lockD(destination->surface), lockS(source->surface), lockM(mask->surface);
    if (!lockD.Ok() || !lockS.Ok() || !lockM.Ok()) return;
    const int mx = walk.StartX(mOriginX), my = walk.StartY(mOriginY);
    const int sx = walk.StartXShown(*source), sy = walk.StartYShown(*source);
    const int w = walk.Width(), h = walk.Height();
    // The mode is fixed for the whole walk: one loop per mode.
    auto walkWith = [&](auto D, auto S, auto M, auto mixing) {
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                const uint32_t mA = M.Get(mx + i, my + j).a;
                const Rgba s = S.Get(sx + i, sy + j);
                const uint32_t a = s.a * strength / 255u;  // equals s.a when strength is 255
                const uint32_t raw = D.Raw(mx + i, my + j);
                uint32_t out;
                if constexpr (!decltype(mixing)::value) {
                    out = D.Pack({s.r, s.g, s.b, a * mA / 255u});
                } else {
                    const Rgba d = D.Unpack(raw);
                    const uint32_t k = 255u - a;
                    const uint32_t oA = d.a * k / 255u + a;
                    // Truncation can push a channel past 255; it saturates.
                    const uint32_t mixed =
                        D.Pack({Min255(DivSmall(d.r * d.a * k / 255u + s.r * a, oA)),
                                Min255(DivSmall(d.g * d.a * k / 255u + s.g * a, oA)),
                                Min255(DivSmall(d.b * d.a * k / 255u + s.b * a, oA)), oA * mA / 255u});
                    const uint32_t plain = D.Pack({s.r, s.g, s.b, a});
                    out = ((d.a != 0) & (a < 255u)) ? mixed : plain;
                }
                D.PutRaw(mx + i, my + j, ((mA == 0) | (a == 0)) ? raw : out);
            }
        }
    };
    WithPixels(destination->surface, source->surface, mask->surface, [&](auto D, auto S, auto M) {
        if constexpr (kRowForms<decltype(D), decltype(S), decltype(M)>) {
            if (const BlendRows* rows = RowsFor(destination->surface, source->surface, mask->surface)) {
                for (int j = 0; j < h; ++j)
                    rows->masked[mode != 0][D.HasAlpha()](D.Row(mx, my + j), S.Row(sx, sy + j),
                                                          M.Row(mx, my + j), w, strength);
                return;
            }
        }
        if (mode == 0)
            walkWith(D, S, M, std::false_type{});
        else
            walkWith(D, S, M, std::true_type{});
    });
}

namespace {

// Shared walk of BlendThroughMask and its twin that reads the source as
// opaque: mask points inside the source's rectangle; the destination is
// read and written at the source's surface point.
void ThroughMask(Image* destination, Image* source, Image* mask, bool sourceOpaque) {
    if (!Present(destination) || !Present(source) || !Present(mask)) return;
    Image overlap;
    if (!ClipRectToImage(*mask, *source, overlap)) return;
    PixelWalk walk(overlap.x, overlap.y, overlap.w, overlap.h);
    walk.WithinShown(*mask);
    walk.WithinShown(*source);
    const int64_t sOriginX = int64_t{source->x} - source->srx, sOriginY = int64_t{source->y} - source->sry;
    walk.Within(destination->surface, sOriginX, sOriginY);
    if (walk.Empty()) return;
    SurfaceLock lockD(destination->surface), lockS(source->surface), lockM(mask->surface);
    if (!lockD.Ok() || !lockS.Ok() || !lockM.Ok()) return;
    const int mx = walk.StartXShown(*mask), my = walk.StartYShown(*mask);
    const int sx = walk.StartX(sOriginX), sy = walk.StartY(sOriginY);
    const int w = walk.Width(), h = walk.Height();
    WithPixels(destination->surface, source->surface, mask->surface, [&](auto D, auto S, auto M) {
        if constexpr (kRowForms<decltype(D), decltype(S), decltype(M)>) {
            if (const BlendRows* rows = RowsFor(destination->surface, source->surface, mask->surface)) {
                for (int j = 0; j < h; ++j)
                    rows->throughMask[sourceOpaque][D.HasAlpha()](D.Row(sx, sy + j), S.Row(sx, sy + j),
                                                                  M.Row(mx, my + j), w);
                return;
            }
        }
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                const uint32_t m = M.Get(mx + i, my + j).a;
                const Rgba s = S.Get(sx + i, sy + j);
                const uint32_t a = sourceOpaque ? m : s.a * m / 255u;
                const uint32_t raw = D.Raw(sx + i, sy + j);
                const Rgba d = D.Unpack(raw);
                const uint32_t oA = a + (255u - a) * d.a / 255u;
                const uint32_t k = oA - a;
                const uint32_t out = D.Pack({DivSmall(k * d.r + a * s.r, oA), DivSmall(k * d.g + a * s.g, oA),
                                             DivSmall(k * d.b + a * s.b, oA), oA});
                D.PutRaw(sx + i, sy + j, ((m == 0) | (oA == 0)) ? raw : out);
            }
        }
    });
}

}  // namespace

void BlendThroughMask(Image* destination, Image* source, Image* mask) {
    ThroughMask(destination, source, mask, false);
}

void BlendThroughMaskRGB(Image* destination, Image* source, Image* mask) {
    ThroughMask(destination, source, mask, true);
}

void CopyThroughMask(Image* destination, Image* source, Image* mask) {
    if (!Present(destination) || !Present(source) || !Present(mask)) return;
    Image sourceAndMask, all;
    if (!ClipRectToImage(*source, *mask, sourceAndMask)) return;
    if (!ClipRectToImage(sourceAndMask, *destination, all)) return;
    // Points that take the source: its rectangle, or for a source without
    // alpha the part of it the mask covers; always within its surface.
    PixelWalk taken = HasAlpha(source)
                          ? PixelWalk(source->x, source->y, source->w, source->h)
                          : PixelWalk(sourceAndMask.x, sourceAndMask.y, sourceAndMask.w, sourceAndMask.h);
    taken.WithinShown(*source);
    PixelWalk masked(mask->x, mask->y, mask->w, mask->h);
    masked.WithinShown(*mask);
    PixelWalk walk(destination->x, destination->y, destination->w, destination->h);
    walk.WithinAt(*destination);
    if (walk.Empty()) return;
    SurfaceLock lockD(destination->surface), lockS(source->surface), lockM(mask->surface);
    if (!lockD.Ok() || !lockS.Ok() || !lockM.Ok()) return;
    const int64_t sOriginX = int64_t{source->x} - source->srx, sOriginY = int64_t{source->y} - source->sry;
    const int64_t mOriginX = int64_t{mask->x} - mask->srx, mOriginY = int64_t{mask->y} - mask->sry;
    WithPixels(destination->surface, source->surface, mask->surface, [&](auto D, auto S, auto M) {
        if constexpr (kRowForms<decltype(D), decltype(S), decltype(M)>) {
            if (const BlendRows* rows = RowsFor(destination->surface, source->surface, mask->surface)) {
                // Each row: cleared outside the taken points, the source's
                // copied where the mask covers them, kept elsewhere.
                for (int64_t Y = walk.y0; Y < walk.y1; ++Y) {
                    const int dy = static_cast<int>(Y - destination->y);
                    auto at = [&](int64_t X) { return D.Row(static_cast<int>(X - destination->x), dy); };
                    const bool rowTaken = Y >= taken.y0 && Y < taken.y1;
                    const int64_t t0 = rowTaken ? std::clamp(taken.x0, walk.x0, walk.x1) : walk.x1;
                    const int64_t t1 = rowTaken ? std::clamp(taken.x1, t0, walk.x1) : walk.x1;
                    ClearPoints(at(walk.x0), at(t0));
                    ClearPoints(at(t1), at(walk.x1));
                    if (Y < masked.y0 || Y >= masked.y1) continue;
                    const int64_t m0 = std::clamp(masked.x0, t0, t1), m1 = std::clamp(masked.x1, m0, t1);
                    if (m1 > m0)
                        rows->copyThroughMask[D.HasAlpha()](
                            at(m0), S.Row(static_cast<int>(m0 - sOriginX), static_cast<int>(Y - sOriginY)),
                            M.Row(static_cast<int>(m0 - mOriginX), static_cast<int>(Y - mOriginY)),
                            static_cast<int>(m1 - m0));
                }
                return;
            }
        }
        for (int64_t Y = walk.y0; Y < walk.y1; ++Y) {
            const int dy = static_cast<int>(Y - destination->y);
            const bool rowTaken = Y >= taken.y0 && Y < taken.y1;
            const bool rowMasked = Y >= masked.y0 && Y < masked.y1;
            for (int64_t X = walk.x0; X < walk.x1; ++X) {
                const int dx = static_cast<int>(X - destination->x);
                if (!(rowTaken && X >= taken.x0 && X < taken.x1)) {
                    D.PutRaw(dx, dy, 0);
                    continue;
                }
                if (!(rowMasked && X >= masked.x0 && X < masked.x1)) continue;
                const uint32_t m = M.Get(static_cast<int>(X - mOriginX), static_cast<int>(Y - mOriginY)).a;
                if (m == 0) continue;
                const Rgba s = S.Get(static_cast<int>(X - sOriginX), static_cast<int>(Y - sOriginY));
                D.Put(dx, dy, {s.r, s.g, s.b, m});
            }
        }
    });
}

void CutOutMask(Image* destination, Image* source) {
    if (!Present(destination) || !Present(source)) return;
    PixelWalk walk(0, 0, 0, 0);
    if (!SourceOverDestination(*destination, *source, walk)) return;
    SurfaceLock lockD(destination->surface);
    if (!lockD.Ok()) return;
    SurfaceLock lockS(source->surface);
    if (!lockS.Ok()) return;
    const int dx = walk.StartXAt(*destination), dy = walk.StartYAt(*destination);
    const int sx = walk.StartXShown(*source), sy = walk.StartYShown(*source);
    const int w = walk.Width(), h = walk.Height();
    WithPixels(destination->surface, source->surface, [&](auto D, auto S) {
        if constexpr (kRowForms<decltype(D), decltype(S)>) {
            if (const BlendRows* rows = RowsFor(destination->surface, source->surface)) {
                for (int j = 0; j < h; ++j) {
                    if (D.HasAlpha())
                        rows->cutOut(D.Row(dx, dy + j), S.Row(sx, sy + j), w);
                    else
                        ClearPoints(D.Row(dx, dy + j), D.Row(dx + w, dy + j));
                }
                return;
            }
        }
        if (D.HasAlpha()) {
            const uint32_t clear = D.Pack({0, 0, 0, 0});
            for (int j = 0; j < h; ++j)
                for (int i = 0; i < w; ++i)
                    D.PutRaw(dx + i, dy + j, S.Get(sx + i, sy + j).a != 0 ? clear : D.Raw(dx + i, dy + j));
        } else {
            for (int j = 0; j < h; ++j)
                for (int i = 0; i < w; ++i) D.PutRGB(dx + i, dy + j, 0, 0, 0);
        }
    });
}

}  // namespace GraphAPI
