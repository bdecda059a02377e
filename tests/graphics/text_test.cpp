#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "foundation/object_gone.h"
#include "graphics/font.h"
#include "graphics/font_fixture.h"
#include "graphics/graph_api.h"
#include "graphics/recording_stage.h"
#include "graphics/text.h"

namespace {

using TextTest = FontTest;

std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(TextTest, ANewTextIsLockedInTheDefaultFont) {
    ddTekst t("hello");
    EXPECT_STREQ(t.GetText(), "hello");
    EXPECT_FALSE(t.IsUnlocked());
    EXPECT_EQ(t.GetFont(), &DefaultFont());
    EXPECT_EQ(t.GetRendered(), nullptr);
    EXPECT_EQ(t.GetDrawImage(), nullptr);
    ddTekst none;
    ASSERT_NE(none.GetText(), nullptr);
    EXPECT_STREQ(none.GetText(), "");
    none.SetText(static_cast<const char*>(nullptr));
    EXPECT_STREQ(none.GetText(), "");
    none.SetText("99999999999999999999");
    EXPECT_EQ(none.GetNumber(), INT32_MAX);
    none.SetText(" 15 apples");
    EXPECT_EQ(none.GetNumber(), 15);
}

TEST_F(TextTest, GlyphTextSizesAndLineBox) {
    ddTekst t("Hi there");
    t.SetPos(30, 40);
    const int w = DefaultFont().TextWidth("Hi there");
    EXPECT_EQ(t.GetWidth(), w);
    EXPECT_EQ(t.GetHeight(), DefaultFont().TextHeight("Hi there"));
    EXPECT_EQ(t.GetTextOffsetX(), 0);
    // The hit box: from GetX across the text, 12 pixels from GetY.
    EXPECT_TRUE(t.IsIn(30, 40, 0, 0));
    EXPECT_TRUE(t.IsIn(30 + w - 1, 51, 0, 0));
    EXPECT_FALSE(t.IsIn(30 + w, 45, 0, 0));
    EXPECT_FALSE(t.IsIn(29, 45, 0, 0));
    EXPECT_FALSE(t.IsIn(35, 52, 0, 0));
    t.Hide();
    EXPECT_FALSE(t.IsIn(35, 45, 1, 0));
    EXPECT_TRUE(t.IsIn(35, 45, 0, 0));
    t.Show();
    t.SetText("");
    EXPECT_FALSE(t.IsIn(30, 40, 0, 0));
}

TEST_F(TextTest, BackgroundCentresTheGlyphText) {
    ddTekst t("Wi");
    const int tw = DefaultFont().TextWidth("Wi"), th = DefaultFont().TextHeight("Wi");
    t.CreateBackground(50, 60, 100, 20, 0, 0, 255, 255);
    ASSERT_NE(t.GetBackground(), nullptr);
    EXPECT_EQ(t.GetX(), 50);
    EXPECT_EQ(t.GetY(), 60);
    EXPECT_EQ(t.GetWidth(), 100);
    EXPECT_EQ(t.GetHeight(), 20);
    EXPECT_EQ(t.GetTextOffsetX(), (100 - tw) / 2);
    EXPECT_EQ(t.GetTextOffsetY(), (20 - th) / 2);
    // The box is drawn under the text, the text at the offsets.
    ClearScreenBlack();
    t.Draw();
    Uint8 r, g, b;
    ScreenRGB(50, 60, &r, &g, &b);
    EXPECT_EQ(b, 255);
    ScreenRGB(149, 79, &r, &g, &b);
    EXPECT_EQ(b, 255);
    ScreenRGB(150, 60, &r, &g, &b);
    EXPECT_EQ(b, 0);
    // The box is hit as a picture.
    EXPECT_TRUE(t.IsIn(51, 61, 1, 0));
    EXPECT_FALSE(t.IsIn(150, 61, 1, 0));
    // A background placed at (0, 0) still shows (the picture changed).
    ddTekst z("a");
    z.CreateBackground(0, 0, 10, 10, 255, 0, 0, 255);
    EXPECT_TRUE(z.IsOnScreen());
    // Colour and frame reach the picture the text shows.
    t.DrawBackgroundRect(2, 255, 0, 0, 255);
    Uint8 a;
    SurfaceRGBA(t.GetImage()->surface, 0, 0, &r, &g, &b, &a);
    EXPECT_EQ(r, 255);
    t.SetBackgroundColor(0, 200, 0, 255);
    SurfaceRGBA(t.GetImage()->surface, 0, 0, &r, &g, &b, &a);
    EXPECT_EQ(g, 200);
    // An empty text in a box has no offsets.
    t.SetText("");
    EXPECT_EQ(t.GetTextOffsetX(), 0);
    // A second background replaces the first.
    t.CreateBackground(0, 0, 40, 10, 1, 2, 3, 255);
    EXPECT_EQ(t.GetWidth(), 40);
}

TEST_F(TextTest, RenderMakesOnePictureAndEmptyTextFreesIt) {
    ddTekst t("Render me");
    t.SetPos(15, 25);
    t.Render(255, 255, 0);
    const Image* img = t.GetRendered();
    ASSERT_NE(img, nullptr);
    ASSERT_NE(img->surface, nullptr);
    int w = 0, h = 0;
    TTF_SizeUTF8(DefaultFont().GetHandle(), "Render me", &w, &h);
    EXPECT_EQ(img->w, w);
    EXPECT_EQ(img->h, h);
    EXPECT_EQ(img->x, 15);
    EXPECT_EQ(img->y, 25);
    EXPECT_EQ(t.GetWidth(), w);
    EXPECT_EQ(t.GetHeight(), h);
    EXPECT_TRUE(t.IsIn(15, 25, 1, 0));
    EXPECT_FALSE(t.IsIn(15 + w, 25, 1, 0));

    // Drawn where the text is now, clipped by its clip rectangle.
    t.SetPos(40, 50);
    ClearScreenBlack();
    t.Draw();
    EXPECT_TRUE(AnyLit(40, 50, w, h));
    EXPECT_FALSE(AnyLit(0, 0, 40, 150));
    ClearScreenBlack();
    t.Clip(0, 0, 45, 150);
    t.Draw();
    EXPECT_TRUE(AnyLit(40, 50, 5, h));
    EXPECT_FALSE(AnyLit(45, 50, w, h));
    ClearScreenBlack();
    t.Hide();
    t.Draw();
    EXPECT_FALSE(AnyLit(0, 0, 200, 150));
    t.Show();

    // Into a snapshot's picture instead, a text drawn glyph by glyph too.
    ddTekst glyphs("Wi");
    glyphs.SetPos(100, 0);
    Image shot;
    GraphAPI::CreateImage(&shot, 200, 150);
    {
        GraphAPI::ScopedDrawTarget into(shot.surface);
        t.Draw();
        glyphs.Draw();
    }
    EXPECT_FALSE(AnyLit(0, 0, 200, 150));
    GraphAPI::BlitToScreen(&shot);
    EXPECT_TRUE(AnyLit(40, 50, 5, h));
    EXPECT_TRUE(AnyLit(100, 0, glyphs.GetWidth(), glyphs.GetHeight()));

    // Rendering an empty text frees the old picture and shows nothing.
    {
        RecordingStage stage;
        t.SetText("");
        t.Render(255, 255, 255);
        EXPECT_EQ(t.GetRendered(), nullptr);
        EXPECT_GT(stage.redraws, 0);
    }
    ClearScreenBlack();
    t.Draw();
    EXPECT_FALSE(AnyLit(0, 0, 200, 150));

    // Set and render in one; then free.
    t.SetTextAndRender("ok", 255, 255, 255);
    EXPECT_NE(t.GetRendered(), nullptr);
    t.FreeRendered();
    EXPECT_EQ(t.GetRendered(), nullptr);
}

TEST_F(TextTest, WithoutAFontNothingRendersOrDraws) {
    ddFont closed;
    ddTekst t("abc");
    t.SetFont(&closed);
    t.Render(255, 255, 255);
    ASSERT_NE(t.GetRendered(), nullptr);  // the record stays, without a surface
    EXPECT_EQ(t.GetRendered()->surface, nullptr);
    ClearScreenBlack();
    t.Draw();
    EXPECT_FALSE(AnyLit(0, 0, 200, 150));
    t.FreeRendered();
    t.SetFont(nullptr);
    EXPECT_EQ(t.GetWidth(), 0);
    EXPECT_EQ(t.GetHeight(), 0);
    t.Render(1, 1, 1);
    t.Draw();
    t.HandleKey(pressed);
    EXPECT_FALSE(AnyLit(0, 0, 200, 150));
}

TEST_F(TextTest, KeyboardEditing) {
    ddTekst t("ab");
    // Locked: keys change nothing.
    PressKey(SDLK_c, 'c');
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "ab");

    t.LetAll();
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "abc");
    PressKey(SDLK_5, '5');
    t.HandleKey(pressed);
    PressKey(SDLK_SPACE, ' ');
    t.HandleKey(pressed);
    PressKey(SDLK_EXCLAIM, '!');
    t.HandleKey(pressed);
    PressKey(SDLK_TAB, '\t');
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "abc5 !\t");

    PressKey(SDLK_BACKSPACE, 8);
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "abc5 !");

    // Shift and return: a line feed; return alone locks.
    PressKey(SDLK_RETURN, 13, true);
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "abc5 !\n");
    EXPECT_TRUE(t.IsUnlocked());
    PressKey(SDLK_RETURN, 13);
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "abc5 !\n");
    EXPECT_FALSE(t.IsUnlocked());

    // Delete empties the whole text; backspace on nothing is harmless.
    t.Unlock();
    PressKey(SDLK_DELETE, 127);
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "");
    PressKey(SDLK_BACKSPACE, 8);
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "");

    // A character beyond 7-bit ASCII types nothing.
    PressKey(SDLK_WORLD_73, 0xE9);
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "");
    // Other characters only when allowed; bytes above 127 never count.
    t.SetAllowedChars(3);
    PressKey(SDLK_EXCLAIM, '!');
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "");
    EXPECT_FALSE(t.IsWordChar(static_cast<char>(0xE9)));
    EXPECT_TRUE(t.IsWordChar(127));
    // A key without a character adds nothing.
    PressKey(SDLK_LEFT, 0);
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "");
}

TEST_F(TextTest, RefusedCharactersStillRecentreAndRedraw) {
    ddTekst t("1");
    t.CreateBackground(0, 0, 100, 30, 0, 0, 0, 255);
    t.LetCiphers();
    PressKey(SDLK_a, 'a');
    RecordingStage stage;
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "1");
    EXPECT_GT(stage.redraws, 0);
    PressKey(SDLK_EXCLAIM, '!');
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "1");
    PressKey(SDLK_2, '2');
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "12");
    EXPECT_EQ(t.GetTextOffsetX(), (100 - DefaultFont().TextWidth("12")) / 2);

    t.LetAlpha();
    PressKey(SDLK_3, '3');
    t.HandleKey(pressed);
    PressKey(SDLK_x, 'X');
    t.HandleKey(pressed);
    EXPECT_STREQ(t.GetText(), "12X");
}

TEST_F(TextTest, LoadTextFileReadsOrCreatesTheFile) {
    auto dir = std::filesystem::temp_directory_path() / ("ddtekst_load_test_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    auto file = dir / "line.txt";
    ddTekst t;
    t.LoadTextFile(file.c_str(), 255, 255, 255);
    EXPECT_STREQ(t.GetText(), "null");
    EXPECT_EQ(ReadFile(file), "null");
    ASSERT_NE(t.GetRendered(), nullptr);
    EXPECT_NE(t.GetRendered()->surface, nullptr);

    std::ofstream(file) << "two\nlines";
    t.LoadTextFile(file.c_str(), 0, 0, 0);
    EXPECT_STREQ(t.GetText(), "two\nlines");
    std::filesystem::remove_all(dir);
}

// The objects announced destroyed, in order.
class DestroyedLog final : public GoneListener {
public:
    void ObjectGone(asmClassObj& object, GoneReason reason) override {
        if (reason == GoneReason::Destroyed) gone.push_back(&object);
    }
    std::vector<const asmClassObj*> gone;
};

TEST_F(TextTest, DestructionIsAnnounced) {
    DestroyedLog log;
    auto* t = new ddTekst("bye");
    t->CreateBackground(0, 0, 10, 10, 0, 0, 0, 255);
    t->Render(1, 2, 3);
    const asmClassObj* text = t;
    const asmClassObj* background = t->GetBackground();
    delete t;
    // The background it owns goes first, then the text itself.
    EXPECT_EQ(log.gone, (std::vector<const asmClassObj*>{background, text}));
}

}  // namespace
