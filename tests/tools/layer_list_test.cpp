#include "tools/layer_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "graphics/graph_api.h"
#include "graphics/image.h"
#include "graphics/screen_fixture.h"

namespace {

namespace fs = std::filesystem;

class LayerListTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        data = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 3, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
        ASSERT_NE(data, nullptr);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                GraphAPI::PutPixel(data, x, y, SDL_MapRGBA(data->format, 10 * x, 20 * y, 7, 255));
    }
    void TearDown() override {
        SDL_FreeSurface(data);
        ScreenTest::TearDown();
    }

    static void PixelAt(const Image* image, int x, int y, Uint8* r, Uint8* g, Uint8* b) {
        Uint8 a;
        SurfaceRGBA(image->surface, x, y, r, g, b, &a);
    }

    SDL_Surface* data = nullptr;
};

TEST_F(LayerListTest, AListLoadedFromAnyFileIsEmpty) {
    const fs::path file = fs::temp_directory_path() / ("layers_" + std::to_string(getpid()) + ".xcf");
    std::ofstream(file, std::ios::binary) << std::string("gimp xcf file\0\0\0\x01 junk", 22);
    const std::string name = file.string();
    for (const char* source : {name.c_str(), "/no/such/file.xcf", ""}) {
        XcfLayerList list(source);
        EXPECT_EQ(list.GetCount(), 0) << source;
        EXPECT_EQ(list.GetAt(0), nullptr);
        EXPECT_EQ(list.GetImageAt(0), nullptr);
        EXPECT_EQ(list.GetNameAt(0), nullptr);
    }
    fs::remove(file);

    // Loading a list that holds layers leaves it empty as well.
    XcfLayerList list;
    testing::internal::CaptureStdout();
    list.AddLayer(0, 0, 4, 3, data, "a");
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(list.GetCount(), 1);
    list.Load("whatever.xcf");
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(LayerListTest, AddLayerAnnouncesItAndCopiesThePixels) {
    XcfLayerList list;
    testing::internal::CaptureStdout();
    list.AddLayer(5, -6, 4, 3, data, "Background copy");
    list.AddLayer(1, 2, 2, 2, data, "small");
    list.AddLayer(0, 0, 1, 1, data, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "adding layer: Background copy x,y,w,h: 5,-6,4,3\n"
              "adding layer: small x,y,w,h: 1,2,2,2\n"
              "adding layer:  x,y,w,h: 0,0,1,1\n");
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_STREQ(list.GetNameAt(0), "Background copy");
    EXPECT_STREQ(list.GetNameAt(2), "");
    EXPECT_EQ(list.GetAt(3), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);

    const Image* big = list.GetImageAt(0);
    ASSERT_NE(big, nullptr);
    ASSERT_NE(big->surface, nullptr);
    EXPECT_NE(big->surface, data);  // a picture of its own
    EXPECT_EQ(big->x, 5);
    EXPECT_EQ(big->y, -6);
    EXPECT_EQ(big->w, 4);
    EXPECT_EQ(big->h, 3);
    Uint8 r, g, b;
    PixelAt(big, 3, 2, &r, &g, &b);
    EXPECT_EQ(r, 30);
    EXPECT_EQ(g, 40);
    EXPECT_EQ(b, 7);

    // A smaller layer takes the top-left corner of the data.
    const Image* small = list.GetImageAt(1);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->w, 2);
    PixelAt(small, 1, 1, &r, &g, &b);
    EXPECT_EQ(r, 10);
    EXPECT_EQ(g, 20);
    EXPECT_EQ(list.GetAt(1)->GetImage(), small);

    list.FreeAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetAt(0), nullptr);
}

TEST_F(LayerListTest, FindLayerMatchesThePixelSurface) {
    XcfLayerList list;
    testing::internal::CaptureStdout();
    list.AddLayer(0, 0, 4, 3, data, "a");
    list.AddLayer(0, 0, 4, 3, data, "b");
    testing::internal::GetCapturedStdout();

    // A record sharing layer 1's surface finds it, wherever it stands.
    Image shared;
    shared.ShareFrom(*list.GetImageAt(1));
    shared.x = 99;
    EXPECT_EQ(list.FindLayer(&shared), 1);
    EXPECT_EQ(list.FindLayer(list.GetImageAt(0)), 0);

    // Same pixels in another surface, no surface, or no image: none.
    Image copy;
    GraphAPI::DuplicateImage(list.GetImageAt(0), &copy);
    EXPECT_EQ(list.FindLayer(&copy), -1);
    Image empty;
    EXPECT_EQ(list.FindLayer(&empty), -1);
    EXPECT_EQ(list.FindLayer(nullptr), -1);
}

TEST_F(LayerListTest, ALayerChangesItsPictureOnlyWhenGivenData) {
    XcfLayer layer(1, 2, 4, 3, data, "first");
    Image* before = layer.GetImage();
    ASSERT_NE(before, nullptr);
    EXPECT_STREQ(layer.GetName(), "first");

    layer.SetImage(7, 8, 2, 2, nullptr, "ignored");
    EXPECT_EQ(layer.GetImage(), before);
    EXPECT_STREQ(layer.GetName(), "first");

    layer.SetImage(7, 8, 2, 1, data, "second");
    ASSERT_NE(layer.GetImage(), nullptr);
    EXPECT_EQ(layer.GetImage()->x, 7);
    EXPECT_EQ(layer.GetImage()->y, 8);
    EXPECT_EQ(layer.GetImage()->w, 2);
    EXPECT_EQ(layer.GetImage()->h, 1);
    EXPECT_STREQ(layer.GetName(), "second");

    // Without data a layer has no picture at all.
    XcfLayer bare(0, 0, 4, 4, nullptr, "bare");
    EXPECT_EQ(bare.GetImage(), nullptr);
    EXPECT_STREQ(bare.GetName(), "");

    // Sizes that make no picture leave a record without a surface.
    XcfLayer odd(0, 0, -3, 5, data, "odd");
    ASSERT_NE(odd.GetImage(), nullptr);
    EXPECT_EQ(odd.GetImage()->surface, nullptr);
}

}  // namespace
