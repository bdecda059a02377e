#include "graphics/picture_files.h"

#include <sys/resource.h>
#include <unistd.h>

#include <memory>
#include <random>
#include <vector>

#include "foundation/file_io.h"
#include "picture_fixture.h"

using namespace GraphAPI;

namespace {

std::string Le32(int32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    return s;
}

std::string Header(int x, int y, int w, int h, int srx, int sry, int srw, int srh, bool alpha) {
    std::string s = Le32(0);
    for (int v : {x, y, w, h, srx, sry, srw, srh}) s += Le32(v);
    s += Le32(0);
    s += static_cast<char>(alpha ? 1 : 0);
    return s;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

// Owns what the readers hand out.
struct Loaded {
    std::vector<Image*> slots;
    explicit Loaded(int room) : slots(room, nullptr) {}
    ~Loaded() {
        for (Image* image : slots) delete image;
    }
    Image** data() { return slots.data(); }
};

class PictureFilesTest : public PictureTest {
protected:
    void SetUp() override {
        dir = testing::TempDir() + "pictures_" + std::to_string(getpid()) + "_" +
              testing::UnitTest::GetInstance()->current_test_info()->name();
        std::string cmd = "mkdir -p '" + dir + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    void TearDown() override {
        std::string cmd = "rm -rf '" + dir + "'";
        (void)std::system(cmd.c_str());
    }
    std::string Path(const char* name) const { return dir + "/" + name; }
    static std::string Read(const std::string& path) {
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile(path.c_str(), bytes));
        return bytes;
    }
    static void Write(const std::string& path, const std::string& bytes) {
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }

    std::string dir;
};

TEST_F(PictureFilesTest, ZelWritesRowRunsExactly) {
    Image clear;
    Make(clear, 3, 2, {9, 9, 9, 0});
    clear.x = 5;
    clear.y = -2;
    const std::string path = Path("clear.zel");
    SaveZel(&clear, path.c_str(), 1);
    const std::string run = Bytes({3, 0, 0, 0, 0, 0});
    EXPECT_EQ(Read(path), Le32(1) + Header(5, -2, 3, 2, 0, 0, 3, 2, true) + run + run);

    Image mixed;
    Make(mixed, 3, 1, {0x11, 0x22, 0x33, 0x44});
    Set(mixed, 2, 0, {1, 2, 3, 255});
    EXPECT_EQ(EncodeZelPicture(mixed), Header(0, 0, 3, 1, 0, 0, 3, 1, true) +
                                           Bytes({2, 0, 0x33, 0x22, 0x11, 0x44, 1, 0, 3, 2, 1, 0xFF}));
}

TEST_F(PictureFilesTest, Z16WritesColourThenAlphaRuns) {
    Image row;
    Make(row, 300, 1, {0xF8, 0xFC, 0xF8, 255});
    const std::string body = EncodeZ16Picture(row).substr(41);
    EXPECT_EQ(body, Le32(10) + Bytes({255, 0xFF, 0xFF, 45, 0xFF, 0xFF}) + Bytes({255, 255, 45, 255}));

    // Opaque black and transparent share colour 0 and differ in alpha.
    Image pair;
    Make(pair, 2, 1, {0, 0, 0, 255});
    Set(pair, 1, 0, {7, 7, 7, 0});
    EXPECT_EQ(EncodeZ16Picture(pair).substr(41), Le32(7) + Bytes({2, 0, 0}) + Bytes({1, 255, 1, 0}));

    // Colour: (R >> 3) << 11 | (G >> 2) << 5 | B >> 3, one run per row end.
    Image two;
    Make(two, 1, 2, {0x10, 0x20, 0x30, 9});
    EXPECT_EQ(EncodeZ16Picture(two).substr(41),
              Le32(10) + Bytes({1, 0x06, 0x11, 1, 0x06, 0x11}) + Bytes({1, 9, 1, 9}));
}

TEST_F(PictureFilesTest, AppendKeepsEarlierPicturesAndCounts) {
    Image a, b, c;
    Make(a, 2, 2, {1, 2, 3, 255});
    Make(b, 1, 3, {4, 5, 6, 100});
    Make(c, 3, 1, {7, 8, 9, 0});
    const Image* both[] = {&a, &b};
    for (const char* name : {"bank.zel", "bank.z16"}) {
        const std::string path = Path(name);
        const bool zel = std::string(name).ends_with("zel");
        if (zel)
            SaveZelFile(both, path.c_str(), 2);
        else
            SaveZ16File(both, path.c_str(), 2);
        const std::string before = Read(path);
        EXPECT_EQ(before.substr(0, 4), Le32(2));
        EXPECT_EQ(CountPictures(path.c_str()), 2);
        if (zel)
            SaveZel(&c, path.c_str(), 0);
        else
            SaveZ16(&c, path.c_str(), 0);
        const std::string after = Read(path);
        EXPECT_EQ(after.substr(0, 4), Le32(3));
        EXPECT_EQ(after.substr(4, before.size() - 4), before.substr(4));
        EXPECT_EQ(after.substr(before.size()), zel ? EncodeZelPicture(c) : EncodeZ16Picture(c));
        EXPECT_EQ(CountPictures(path.c_str()), 3);
    }
    // Appending to a file that is not there writes nothing.
    testing::internal::CaptureStdout();
    SaveZel(&a, Path("missing.zel").c_str(), 0);
    SaveZel(nullptr, Path("x.zel").c_str(), 1);
    Image empty;
    SaveZ16(&empty, Path("x.z16").c_str(), 1);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\nSaveZel brak img"), std::string::npos);
    EXPECT_NE(out.find("\nSaveZ16 brak img->img"), std::string::npos);
    EXPECT_EQ(CountPictures(Path("missing.zel").c_str()), 0);
    EXPECT_EQ(CountPictures(Path("x.zel").c_str()), 0);
}

TEST_F(PictureFilesTest, RoundTripsRestorePositionAndPixels) {
    Image a, b;
    Make(a, 5, 4, {0, 0, 0, 0});
    std::mt19937 rng(7);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            if (rng() % 3)
                Set(a, x, y, {int(rng() % 256), int(rng() % 256), int(rng() % 256), int(rng() % 255) + 1});
    a.x = 12;
    a.y = 34;
    a.srw = 99;
    Make(b, 2, 1, {200, 100, 50, 255}, false);
    const Image* both[] = {&a, &b};
    SaveZelFile(both, Path("r.zel").c_str(), 2);
    SaveZ16File(both, Path("r.z16").c_str(), 2);

    Loaded zel(2), z16(2);
    ASSERT_EQ(LoadZel(zel.data(), Path("r.zel").c_str(), 2), 2);
    ASSERT_EQ(LoadZ16(z16.data(), Path("r.z16").c_str(), 2), 2);
    for (Image* loaded : {zel.slots[0], z16.slots[0]}) {
        EXPECT_EQ(loaded->imgtype, FIRST);
        EXPECT_EQ(loaded->x, 12);
        EXPECT_EQ(loaded->y, 34);
        EXPECT_EQ(loaded->srw, 5);
        EXPECT_EQ(loaded->surface->format->BitsPerPixel, 32);
        EXPECT_EQ(loaded->surface->format->Amask, 0xFF000000u);
    }
    EXPECT_EQ(Pixels(*zel.slots[0]), Pixels(a));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            const Px want = Get(a, x, y);
            const Px got = Get(*z16.slots[0], x, y);
            if (want.a == 0) {
                EXPECT_EQ(got, (Px{0, 0, 0, 0}));
            } else {
                EXPECT_EQ(got, (Px{want.r & 0xF8, want.g & 0xFC, want.b & 0xF8, want.a}));
            }
        }
    EXPECT_EQ(HasAlpha(zel.slots[1]), 0u);
    EXPECT_EQ(Get(*zel.slots[1], 1, 0), (Px{200, 100, 50, 255}));
    EXPECT_EQ(Get(*z16.slots[1], 0, 0), (Px{200, 100, 48, 255}));

    // Less room than pictures: only the room is filled.
    Loaded one(1);
    EXPECT_EQ(LoadZel(one.data(), Path("r.zel").c_str(), 1), 1);
    EXPECT_EQ(LoadZel(one.data(), Path("missing.zel").c_str(), 1), 0);
    Write(Path("empty.zel"), "");
    EXPECT_EQ(LoadZel(one.data(), Path("empty.zel").c_str(), 1), 0);
}

// Pictures 0 wide or 0 high are written in both formats and read back.
TEST_F(PictureFilesTest, EmptyPicturesRoundTrip) {
    Image thin, flat;
    Make(thin, 0, 4);
    Make(flat, 3, 0);
    const Image* both[] = {&thin, &flat};
    SaveZelFile(both, Path("e.zel").c_str(), 2);
    SaveZ16File(both, Path("e.z16").c_str(), 2);
    EXPECT_EQ(EncodeZ16Picture(thin).substr(41), Le32(4));
    Loaded zel(2), z16(2);
    ASSERT_EQ(LoadZel(zel.data(), Path("e.zel").c_str(), 2), 2);
    ASSERT_EQ(LoadZ16(z16.data(), Path("e.z16").c_str(), 2), 2);
    for (const Loaded* loaded : {&zel, &z16}) {
        EXPECT_EQ(loaded->slots[0]->w, 0);
        EXPECT_EQ(loaded->slots[0]->h, 4);
        EXPECT_EQ(loaded->slots[1]->w, 3);
        EXPECT_EQ(loaded->slots[1]->h, 0);
    }
}

TEST_F(PictureFilesTest, ShownPartIsWrittenAndOutsideIsTransparent) {
    Image sheet;
    Make(sheet, 4, 1, {1, 1, 1, 255});
    Set(sheet, 2, 0, {2, 2, 2, 255});
    Set(sheet, 3, 0, {3, 3, 3, 255});
    Image piece(sheet);
    piece.srx = 2;
    piece.w = 3;  // one column beyond the surface
    const std::string body = EncodeZelPicture(piece).substr(41);
    EXPECT_EQ(body, Bytes({1, 0, 2, 2, 2, 0xFF, 1, 0, 3, 3, 3, 0xFF, 1, 0, 0, 0, 0, 0}));
}

TEST_F(PictureFilesTest, BadFilesStopCleanly) {
    Image a, b;
    Make(a, 7, 5, {10, 20, 30, 128});
    Set(a, 3, 2, {1, 2, 3, 0});
    Make(b, 3, 3, {90, 80, 70, 255});
    const std::string zel = Le32(2) + EncodeZelPicture(a) + EncodeZelPicture(b);
    const std::string z16 = Le32(2) + EncodeZ16Picture(a) + EncodeZ16Picture(b);
    for (const std::string* file : {&zel, &z16}) {
        auto decode = file == &zel ? DecodeZel : DecodeZ16;
        const auto* data = reinterpret_cast<const uint8_t*>(file->data());
        // Every truncation reads the whole pictures before the cut.
        for (size_t n = 0; n < file->size(); ++n) {
            std::vector<uint8_t> cut(data, data + n);
            Loaded out(3);
            const int got = decode(cut.data(), cut.size(), out.data(), 3);
            EXPECT_LE(got, 1) << n;
            EXPECT_EQ(out.slots[2], nullptr);
        }
        Loaded whole(3);
        EXPECT_EQ(decode(data, file->size(), whole.data(), 3), 2);
        EXPECT_EQ(whole.slots[2], nullptr);

        // Corrupted bytes anywhere: never a crash or a write past the room.
        std::mt19937 rng(99);
        for (int round = 0; round < 300; ++round) {
            std::string bad = *file;
            for (int k = 0; k < 3; ++k) bad[rng() % bad.size()] = static_cast<char>(rng());
            Loaded out(2);
            const int got = decode(reinterpret_cast<const uint8_t*>(bad.data()), bad.size(), out.data(), 2);
            EXPECT_LE(got, 2);
        }
    }

    // Sizes and counts that the file cannot hold.
    const std::string huge =
        Le32(1) + Header(0, 0, 100000, 100000, 0, 0, 0, 0, true) + Bytes({1, 0, 0, 0, 0, 0});
    const std::string negative = Le32(1) + Header(0, 0, -1, 5, 0, 0, 0, 0, true);
    const std::string offsetOut =
        Le32(1) + Header(0, 0, 1, 1, 0, 0, 0, 0, true) + Le32(1000) + Bytes({1, 0, 0, 1, 255});
    const std::string manyCount = Le32(1 << 30) + Header(0, 0, 0, 0, 0, 0, 0, 0, true);
    for (const std::string* file : {&huge, &negative, &offsetOut, &manyCount}) {
        Loaded out(2);
        const auto* data = reinterpret_cast<const uint8_t*>(file->data());
        EXPECT_LE(DecodeZel(data, file->size(), out.data(), 2), 1);
        EXPECT_LE(DecodeZ16(data, file->size(), out.data(), 2), 1);
    }
    Loaded out(1);
    EXPECT_EQ(DecodeZ16(reinterpret_cast<const uint8_t*>(offsetOut.data()), offsetOut.size(), out.data(), 1),
              0);
    Write(Path("many.zel"), manyCount);
    EXPECT_EQ(CountPictures(Path("many.zel").c_str()), 1);
    Write(Path("neg.zel"), Le32(-4));
    EXPECT_EQ(CountPictures(Path("neg.zel").c_str()), 0);
}

// A BMP whose header declares far more rows than the file holds (however
// few bits it gives a pixel), or a run-length coded one declaring a picture
// no game needs, is refused before anything is allocated: a few bytes never cost the memory
// of the whole declared picture. A whole BMP still loads, by name and from
// a kept stream.
TEST_F(PictureFilesTest, ABmpThatCannotHoldWhatItDeclaresIsRefusedBeforeAnythingIsAllocated) {
    const auto le16 = [](int v) { return Bytes({v & 0xFF, (v >> 8) & 0xFF}); };
    const auto bmp = [&](int w, int h, int bpp, int compression, const std::string& pixels) {
        return "BM" + Le32(54 + static_cast<int>(pixels.size())) + Le32(0) + Le32(54) + Le32(40) + Le32(w) +
               Le32(h) + le16(1) + le16(bpp) + Le32(compression) + Le32(0) + Le32(2835) + Le32(2835) +
               Le32(0) + Le32(0) + pixels;
    };
    Write(Path("whole.bmp"),
          bmp(2, 2, 24, 0, Bytes({0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0})));
    Write(Path("short.bmp"), bmp(13824, 10240, 24, 0, Bytes({1, 2, 3, 4, 5, 6})));
    Write(Path("coded.bmp"), bmp(40000, 20000, 8, 1, Bytes({0, 1})));
    Write(Path("odd.bmp"), bmp(13824, 10240, 0, 512, Bytes({1, 2, 3})));  // no bits per pixel, unknown coding

    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    for (const char* name : {"short.bmp", "coded.bmp", "odd.bmp"}) {
        Image byName;
        LoadImage(&byName, Path(name).c_str());
        EXPECT_EQ(byName.surface, nullptr) << name;
        Image fromStream;
        SDL_RWops* stream = OpenRW(Path(name).c_str());
        LoadImageRW(&fromStream, stream);
        SDL_RWclose(stream);
        EXPECT_EQ(fromStream.surface, nullptr) << name;
    }
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << "kilobytes more at the peak";

    Image whole;
    LoadImage(&whole, Path("whole.bmp").c_str());
    EXPECT_EQ(whole.w, 2);
    EXPECT_EQ(whole.h, 2);
    SDL_RWops* stream = OpenRW(Path("whole.bmp").c_str());
    Image again;
    LoadImageRW(&again, stream);
    SDL_RWclose(stream);
    EXPECT_EQ(again.w, 2);
}

}  // namespace
