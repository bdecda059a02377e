// The vectorised rows against the per-point rules on every path the
// processor has, and the screen blit against SDL's own: random pictures of
// odd sizes, pitches and starts, partly outside each other, and every pair
// of alphas.
#include <algorithm>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "graphics/alpha_blit.h"
#include "graphics/blend_rows.h"
#include "picture_fixture.h"

using namespace GraphAPI;

namespace {

// A picture over memory of its own: rows `extra` points longer than the
// picture and a first point one past the buffer's start, so rows start at
// every alignment.
struct Picture {
    std::vector<uint32_t> memory;
    Image image;

    Picture(int w, int h, bool alpha, int extra) : memory(static_cast<size_t>((w + extra) * h + 1)) {
        View(w, h, (w + extra) * 4, alpha ? 0xFF000000u : 0);
    }
    Picture(const Picture& other) { *this = other; }
    Picture& operator=(const Picture& other) {
        memory = other.memory;
        const SDL_Surface* s = other.image.surface;
        View(s->w, s->h, s->pitch, s->format->Amask);
        CopyImageRect(&other.image, &image);
        return *this;
    }
    void View(int w, int h, int pitch, Uint32 amask) {
        image.AdoptSurface(SDL_CreateRGBSurfaceFrom(memory.data() + 1, w, h, 32, pitch, 0x00FF0000,
                                                    0x0000FF00, 0x000000FF, amask));
        ASSERT_NE(image.surface, nullptr);
        ResetFromSurface(image.surface, &image);
    }
    uint32_t& At(int x, int y) { return memory[1 + static_cast<size_t>(y * image.surface->pitch / 4 + x)]; }
};

// Plenty of fully transparent and fully opaque points, and extreme colours.
uint32_t RandomPoint(std::mt19937& rng) {
    auto channel = [&] {
        const uint32_t pick = rng() % 8;
        return pick == 0 ? 0u : pick == 1 ? 255u : rng() % 256;
    };
    const uint32_t pick = rng() % 4;
    const uint32_t a = pick == 0 ? 0u : pick == 1 ? 255u : rng() % 256;
    return (a << 24) | (channel() << 16) | (channel() << 8) | channel();
}

// Moves `p`'s points onto a picture with an opacity of its own, which SDL
// weighs every point's alpha by: a picture converted to alpha from a
// translucent one has it (SDL_SetAlpha leaves a picture with alpha alone).
void GiveOpacity(Picture& p, Uint8 opacity) {
    SDL_Surface* s = p.image.surface;
    SDL_Surface* translucent =
        SDL_CreateRGBSurface(SDL_SWSURFACE, s->w, s->h, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    ASSERT_NE(translucent, nullptr);
    SDL_SetAlpha(translucent, SDL_SRCALPHA, opacity);
    SDL_Surface* converted = SDL_ConvertSurface(translucent, s->format, SDL_SWSURFACE);
    SDL_FreeSurface(translucent);
    ASSERT_NE(converted, nullptr);
    ASSERT_EQ(converted->format->alpha, opacity);
    for (int y = 0; y < s->h && s->w > 0; ++y)
        std::memcpy(static_cast<Uint8*>(converted->pixels) + y * converted->pitch, &p.At(0, y),
                    static_cast<size_t>(s->w) * 4);
    p.image.AdoptSurface(converted);
    ResetFromSurface(converted, &p.image);
}

Picture RandomPicture(std::mt19937& rng, int maxSide, bool alpha) {
    const int w = static_cast<int>(rng() % maxSide), h = static_cast<int>(rng() % maxSide);
    Picture p(w, h, alpha, static_cast<int>(rng() % 3));
    for (uint32_t& v : p.memory) v = RandomPoint(rng);
    return p;
}

// Runs op on a copy of the destination on the per-point path and on every
// vectorised path, and expects the same bytes.
void ExpectEveryPathAlike(const Picture& destination, const std::function<void(Image*)>& op,
                          const std::string& what) {
    Picture reference(destination);
    ForcePixelPath(PixelPath::kScalar);
    op(&reference.image);
    for (PixelPath path : {PixelPath::kSse2, PixelPath::kAvx2}) {
        if (ForcePixelPath(path) != path) continue;
        Picture fast(destination);
        op(&fast.image);
        ASSERT_EQ(fast.memory, reference.memory) << what << " on " << PixelPathName(path);
    }
    UnforcePixelPath();
}

class BlendRowsTest : public PictureTest {
protected:
    void TearDown() override { UnforcePixelPath(); }

    // Destination alpha y and source alpha x at every (x, y) of 256 x 256,
    // colours random; the source starts one point left of the destination.
    static void EveryAlphaPair(std::mt19937& rng, bool destinationAlpha, Picture& destination,
                               Picture& source, Picture& mask) {
        destination = Picture(256, 256, destinationAlpha, 0);
        source = Picture(257, 256, true, 1);
        mask = Picture(256, 256, true, 0);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                destination.At(x, y) = (RandomPoint(rng) & 0x00FFFFFFu) | static_cast<uint32_t>(y) << 24;
                source.At(x + 1, y) = (RandomPoint(rng) & 0x00FFFFFFu) | static_cast<uint32_t>(x) << 24;
                mask.At(x, y) = RandomPoint(rng);
            }
        source.image.x = -1;
    }

    // Each case: the pair of every alpha pair, then random pictures placed
    // partly over each other, onto a destination with and without alpha.
    static void ForEachCase(
        const std::function<void(Picture&, Picture&, Picture&, const std::string&)>& run) {
        std::mt19937 rng(2024);
        for (int c = 0; c < 120; ++c) {
            const bool destinationAlpha = c % 2 == 0;
            Picture destination(0, 0, true, 0), source(0, 0, true, 0), mask(0, 0, true, 0);
            if (c < 2) {
                EveryAlphaPair(rng, destinationAlpha, destination, source, mask);
            } else {
                destination = RandomPicture(rng, 40, destinationAlpha);
                source = RandomPicture(rng, 40, true);
                mask = RandomPicture(rng, 40, true);
                for (Image* image : {&source.image, &mask.image}) {
                    image->x = static_cast<int>(rng() % 50) - 20;
                    image->y = static_cast<int>(rng() % 50) - 20;
                    image->srx = static_cast<int>(rng() % 3);
                    image->sry = static_cast<int>(rng() % 3);
                }
                destination.image.x = static_cast<int>(rng() % 7) - 3;
            }
            run(destination, source, mask, "case " + std::to_string(c));
            if (HasFailure()) return;
        }
    }
};

// Operations named for the failure message.
using Op = std::pair<std::string, std::function<void(Image*)>>;

TEST_F(BlendRowsTest, TwoPictureBlendsMatchThePerPointRulesOnEveryPath) {
    ForEachCase([](Picture& destination, Picture& source, Picture&, const std::string& what) {
        Image* s = &source.image;
        std::vector<Op> ops = {{"over", [&](Image* d) { BlendOver(d, s); }},
                               {"add256 256", [&](Image* d) { BlendAdd256(d, s, 256); }},
                               {"add256 300", [&](Image* d) { BlendAdd256(d, s, 300); }},
                               {"add", [&](Image* d) { BlendAdd(d, s); }},
                               {"clear", [&](Image* d) { ClearWhereOpaque(d, s); }},
                               {"cut out", [&](Image* d) { CutOutMask(d, s); }},
                               // A source on the destination's own surface, shifted.
                               {"onto itself", [&](Image* d) {
                                    Image self;
                                    self.ShareFrom(*d);
                                    self.x = 1;
                                    BlendOver(d, &self);
                                }}};
        for (int k : {255, 254, 200, 128, 1}) {
            ops.push_back({"alpha " + std::to_string(k), [=](Image* d) { BlendAlpha(d, s, k); }});
            ops.push_back({"add256 " + std::to_string(k), [=](Image* d) { BlendAdd256(d, s, k); }});
        }
        for (const auto& [name, op] : ops) ExpectEveryPathAlike(destination, op, what + " " + name);
    });
}

TEST_F(BlendRowsTest, MaskOperationsMatchThePerPointRulesOnEveryPath) {
    ForEachCase([](Picture& destination, Picture& source, Picture& mask, const std::string& what) {
        Image *s = &source.image, *m = &mask.image;
        std::vector<Op> ops = {{"through", [&](Image* d) { BlendThroughMask(d, s, m); }},
                               {"through rgb", [&](Image* d) { BlendThroughMaskRGB(d, s, m); }},
                               {"copy through", [&](Image* d) { CopyThroughMask(d, s, m); }}};
        for (int mode : {0, 1}) {
            const std::string in = " mode " + std::to_string(mode);
            ops.push_back({"mask alpha" + in, [=](Image* d) { MaskAlpha(d, m, mode); }});
            for (int k : {255, 200, 1})
                ops.push_back(
                    {"masked " + std::to_string(k) + in, [=](Image* d) { BlendMasked(d, s, m, k, mode); }});
        }
        for (const auto& [name, op] : ops) ExpectEveryPathAlike(destination, op, what + " " + name);
    });
}

TEST_F(BlendRowsTest, ScaleAlphaMatchesThePerPointRuleOnEveryPath) {
    Picture picture(256 * 3 + 1, 3, true, 2);
    std::mt19937 rng(9);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 256 * 3 + 1; ++x)
            picture.At(x, y) = (RandomPoint(rng) & 0x00FFFFFFu) | static_cast<uint32_t>(x % 256) << 24;
    for (int factor : {-5, 0, 1, 100, 254, 255, 256, 257, 300, 509, 510, 65280, 65535, 1 << 30})
        ExpectEveryPathAlike(
            picture, [&](Image* p) { ScaleAlpha(p, factor); }, std::to_string(factor));
}

// Every source alpha, source byte and destination byte through SDL's blit
// and through ours, onto the screen's layout and onto a picture with alpha,
// then random rectangles clipped on every side.
TEST_F(BlendRowsTest, ScreenBlitGivesSdlBytesOnEveryPath) {
    constexpr int kSide = 1024;
    Picture source(kSide, kSide, true, 0), viaSdl(kSide, kSide, false, 0);
    SDL_SetAlpha(source.image.surface, SDL_SRCALPHA, 255);
    for (uint32_t part = 0; part < 16; ++part) {
        for (uint32_t i = 0; i < kSide * kSide; ++i) {
            const uint32_t all = part << 20 | i, a = all >> 16, s = (all >> 8) & 255, d = all & 255;
            source.memory[1 + i] = a << 24 | s << 16 | (s ^ 0xA5) << 8 | (255 - s);
            viaSdl.memory[1 + i] = (d ^ 0x5A) << 24 | (255 - d) << 16 | d << 8 | (d ^ 0xA5);
        }
        const Picture before(viaSdl);
        SDL_BlitSurface(source.image.surface, nullptr, viaSdl.image.surface, nullptr);
        for (PixelPath path : {PixelPath::kScalar, PixelPath::kSse2, PixelPath::kAvx2}) {
            if (ForcePixelPath(path) != path) continue;
            // Rows that did not match SDL's would be left aside, silently.
            ASSERT_EQ(UpperBlitTakesRows(), path != PixelPath::kScalar) << PixelPathName(path);
            Picture ours(before);
            SDL_Rect at{0, 0, 0, 0};
            ASSERT_EQ(UpperBlit(source.image.surface, nullptr, ours.image.surface, &at), 0);
            ASSERT_EQ(ours.memory, viaSdl.memory) << "part " << part << " on " << PixelPathName(path);
        }
        // Onto a picture with alpha, at full opacity and at one of the
        // source's own: SDL's blit keeps that alpha when both are one size.
        // Read without alpha at an opacity of 1 to 254 (every other part
        // keyed): SDL's colours, each point not keyed out opaque.
        Picture faded(source), translucent(source), withAlpha(before);
        GiveOpacity(faded, 100);
        withAlpha.View(kSide, kSide, kSide * 4, 0xFF000000u);
        translucent.View(kSide, kSide, kSide * 4, 0);
        SDL_SetAlpha(translucent.image.surface, SDL_SRCALPHA, static_cast<Uint8>(1 + part * 253 / 15));
        const uint32_t key = source.memory[1 + part * 4099];
        if (part % 2) SDL_SetColorKey(translucent.image.surface, SDL_SRCCOLORKEY, key);
        for (const Picture* from : {&source, &faded, &translucent}) {
            Picture viaSdlAlpha(withAlpha);
            SDL_BlitSurface(from->image.surface, nullptr, viaSdlAlpha.image.surface, nullptr);
            for (size_t i = 1; from == &translucent && i < source.memory.size(); ++i)
                viaSdlAlpha.memory[i] |= part % 2 && source.memory[i] == key ? 0 : 0xFF000000u;
            for (PixelPath path : {PixelPath::kScalar, PixelPath::kSse2, PixelPath::kAvx2}) {
                if (ForcePixelPath(path) != path) continue;
                Picture ours(withAlpha);
                SDL_Rect at{0, 0, 0, 0};
                ASSERT_EQ(UpperBlit(from->image.surface, nullptr, ours.image.surface, &at), 0);
                ASSERT_EQ(ours.memory, viaSdlAlpha.memory)
                    << "part " << part << " onto alpha on " << PixelPathName(path);
            }
        }
    }

    std::mt19937 rng(31);
    for (int c = 0; c < 300; ++c) {
        Picture from = RandomPicture(rng, 40, true), onto = RandomPicture(rng, 40, false);
        // Now and then a picture SDL blits without its alpha, with a key or
        // at an opacity of its own, or one read without alpha at an opacity,
        // a quarter of it keyed.
        SDL_SetAlpha(from.image.surface, c % 10 == 1 ? 0 : SDL_SRCALPHA, 255);
        if (c % 10 == 3) GiveOpacity(from, static_cast<Uint8>(rng() % 255));
        if (c % 10 == 2) SDL_SetColorKey(from.image.surface, SDL_SRCCOLORKEY, 0);
        if (c % 10 == 5 || c % 10 == 7) {
            from.View(from.image.surface->w, from.image.surface->h, from.image.surface->pitch, 0);
            SDL_SetAlpha(from.image.surface, SDL_SRCALPHA, static_cast<Uint8>(rng() % 256));
            for (uint32_t& v : from.memory) v = c % 10 == 7 && rng() % 4 == 0 ? from.memory.back() : v;
            if (c % 10 == 7) SDL_SetColorKey(from.image.surface, SDL_SRCCOLORKEY, from.memory.back());
        }
        if (c % 3 == 0) {
            SDL_Rect clip{static_cast<Sint16>(rng() % 20), static_cast<Sint16>(rng() % 20),
                          static_cast<Uint16>(rng() % 30), static_cast<Uint16>(rng() % 30)};
            SDL_SetClipRect(onto.image.surface, &clip);
        }
        SDL_Rect part{static_cast<Sint16>(rng() % 50 - 10), static_cast<Sint16>(rng() % 50 - 10),
                      static_cast<Uint16>(rng() % 50), static_cast<Uint16>(rng() % 50)};
        const SDL_Rect at{static_cast<Sint16>(rng() % 60 - 20), static_cast<Sint16>(rng() % 60 - 20), 0, 0};
        Picture expected(onto);
        SDL_SetClipRect(expected.image.surface, &onto.image.surface->clip_rect);
        SDL_Rect sdlAt = at;
        const int sdlResult =
            SDL_UpperBlit(from.image.surface, c % 7 == 0 ? nullptr : &part, expected.image.surface, &sdlAt);
        // Our blit onto a copy of `target`, clipped as `onto`, on each path:
        // SDL's result, the expected bytes and SDL's drawn rectangle.
        const auto oursOnPaths = [&](const Picture& target, std::initializer_list<PixelPath> paths,
                                     const char* what) {
            for (PixelPath path : paths) {
                if (ForcePixelPath(path) != path) continue;
                Picture ours(target);
                SDL_SetClipRect(ours.image.surface, &onto.image.surface->clip_rect);
                SDL_Rect ourAt = at;
                ASSERT_EQ(UpperBlit(from.image.surface, c % 7 == 0 ? nullptr : &part, ours.image.surface,
                                    &ourAt),
                          sdlResult);
                ASSERT_EQ(ours.memory, expected.memory)
                    << "case " << c << what << " on " << PixelPathName(path);
                ASSERT_EQ(std::vector<int>({ourAt.x, ourAt.y, ourAt.w, ourAt.h}),
                          std::vector<int>({sdlAt.x, sdlAt.y, sdlAt.w, sdlAt.h}))
                    << "case " << c << what;
            }
        };
        oursOnPaths(onto, {PixelPath::kSse2, PixelPath::kAvx2}, "");
        // Onto the same points with alpha, a source blended by its alpha
        // gives those colours on every path and leaves the alpha.
        if (c % 10 == 1 || c % 10 == 2) continue;
        Picture withAlpha(onto);
        withAlpha.View(onto.image.surface->w, onto.image.surface->h, onto.image.surface->pitch, 0xFF000000u);
        for (size_t i = 0; i < onto.memory.size(); ++i)
            expected.memory[i] = (expected.memory[i] & 0x00FFFFFFu) | (onto.memory[i] & 0xFF000000u);
        // A picture without alpha makes each point it draws and does not
        // key out opaque.
        const SDL_Surface* fs = from.image.surface;
        const int ox = (c % 7 ? part.x : 0) - at.x, oy = (c % 7 ? part.y : 0) - at.y;
        for (int y = sdlAt.y; !fs->format->Amask && fs->format->alpha && y < sdlAt.y + sdlAt.h; ++y)
            for (int x = sdlAt.x; x < sdlAt.x + sdlAt.w; ++x)
                if (!(fs->flags & SDL_SRCCOLORKEY) || from.At(x + ox, y + oy) != fs->format->colorkey)
                    expected.At(x, y) |= 0xFF000000u;
        oursOnPaths(withAlpha, {PixelPath::kScalar, PixelPath::kSse2, PixelPath::kAvx2}, " onto alpha");
    }
}

}  // namespace
