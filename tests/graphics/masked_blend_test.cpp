// The masked blend's four-points-at-a-time form against the generic form
// over every pair of source and destination alpha, and on a picture that is
// its own source.
#include <random>

#include "graphics/pixel_io.h"
#include "picture_fixture.h"

using namespace GraphAPI;

namespace {

class MaskedBlendTest : public PictureTest {
protected:
    void TearDown() override { SetFast32Paths(true); }

    // Runs the blend on a copy of destination with the fast forms and on
    // another with the generic form, and expects the same raw pixels.
    static void ExpectFastMatchesGeneric(const Image& destination, Image& source, Image& mask, int strength,
                                         int mode) {
        Image fast, generic;
        fast.AdoptSurface(SDL_ConvertSurface(destination.surface, destination.surface->format, 0));
        ResetFromSurface(fast.surface, &fast);
        generic.AdoptSurface(SDL_ConvertSurface(destination.surface, destination.surface->format, 0));
        ResetFromSurface(generic.surface, &generic);
        SetFast32Paths(true);
        BlendMasked(&fast, &source, &mask, strength, mode);
        SetFast32Paths(false);
        BlendMasked(&generic, &source, &mask, strength, mode);
        SetFast32Paths(true);
        ASSERT_EQ(Pixels(fast), Pixels(generic)) << "strength " << strength << " mode " << mode;
    }
};

// Row y, column x holds source alpha x and destination alpha y; colours
// and mask alphas mix extremes with arbitrary values. The source is shifted
// by one point so each row also ends in a partial group.
TEST_F(MaskedBlendTest, EveryAlphaPairMatchesTheGenericForm) {
    constexpr int kSize = 256;
    std::mt19937 rng(77);
    auto channel = [&](int pick) {
        return pick % 5 == 0 ? 0 : pick % 5 == 1 ? 255 : static_cast<int>(rng() % 256);
    };
    for (bool destinationAlpha : {true, false}) {
        Image destination, source, mask;
        Make(destination, kSize + 2, kSize, {0, 0, 0, 0}, destinationAlpha);
        Make(source, kSize + 1, kSize);
        Make(mask, kSize + 2, kSize);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const int pick = static_cast<int>(rng());
                Set(source, x + 1, y, {channel(pick), channel(pick >> 3), channel(pick >> 6), x});
                Set(destination, x, y, {channel(pick >> 9), channel(pick >> 12), channel(pick >> 15), y});
                const int mA = (pick >> 18) % 4 == 0   ? 0
                               : (pick >> 18) % 4 == 1 ? 255
                                                       : static_cast<int>(rng() % 256);
                Set(mask, x, y, {0, 0, 0, mA});
            }
        source.x = -1;
        for (int strength : {255, 254, 200, 128, 1})
            for (int mode : {0, 1}) ExpectFastMatchesGeneric(destination, source, mask, strength, mode);
    }
}

// A source on the destination's own surface reads points the blend has
// just written, as the per-point order does.
TEST_F(MaskedBlendTest, PictureBlendedOntoItselfMatchesTheGenericForm) {
    std::mt19937 rng(5);
    Image original, mask;
    Make(original, 37, 9);
    Make(mask, 37, 9, {0, 0, 0, 255});
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 37; ++x)
            Set(original, x, y,
                {static_cast<int>(rng() % 256), static_cast<int>(rng() % 256), static_cast<int>(rng() % 256),
                 static_cast<int>(rng() % 256)});
    for (int shift : {1, 2, 3, -1, -3}) {
        std::basic_string<uint32_t> results[2];
        for (bool fast : {true, false}) {
            Image picture, source;
            picture.AdoptSurface(SDL_ConvertSurface(original.surface, original.surface->format, 0));
            ResetFromSurface(picture.surface, &picture);
            source.ShareFrom(picture);
            source.x = shift;
            SetFast32Paths(fast);
            BlendMasked(&picture, &source, &mask, 255, 1);
            SetFast32Paths(true);
            results[fast] = Pixels(picture);
        }
        EXPECT_EQ(results[true], results[false]) << "shift " << shift;
    }
}

}  // namespace
