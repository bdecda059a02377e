#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "graphics/font.h"
#include "graphics/font_fixture.h"
#include "graphics/graph_api.h"
#include "graphics/text.h"

namespace {

int GlyphW(const ddFont& f, char c) { return f.GetGlyph(c) ? f.GetGlyph(c)->w : -1; }

TEST_F(FontTest, OpenFailuresReportAndLeaveTheFontClosed) {
    ddFont font;
    testing::internal::CaptureStdout();
    font.Open("/nonexistent/font.ttf", 14);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("TTF_OpenFont: ", 0), 0u) << out;
    EXPECT_EQ(out.back(), '\n');
    EXPECT_EQ(font.GetHandle(), nullptr);
    EXPECT_EQ(font.GetLineHeight(), 14);
    EXPECT_STREQ(font.GetFileName(), "/nonexistent/font.ttf");

    // A file that is not a font fails the same way.
    std::filesystem::path junk =
        std::filesystem::temp_directory_path() / ("ddfont_junk_" + std::to_string(::getpid()) + ".ttf");
    std::ofstream(junk) << "this is not a font at all";
    testing::internal::CaptureStdout();
    font.Open(junk.c_str(), 12);
    out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("TTF_OpenFont: ", 0), 0u) << out;
    EXPECT_EQ(font.GetHandle(), nullptr);
    std::filesystem::remove(junk);

    // Without a font, colouring makes no glyphs; a null file name is refused.
    font.SetColor(1, 2, 3);
    EXPECT_EQ(font.GetGlyph('a'), nullptr);
    testing::internal::CaptureStdout();
    font.Open(nullptr, 12);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("TTF_OpenFont: "), std::string::npos);
}

TEST_F(FontTest, GlyphsCoverPrintableAsciiOnlyAndGoOnReopen) {
    ddFont font;
    font.Open(kTestFontFile, 16);
    ASSERT_NE(font.GetHandle(), nullptr);
    EXPECT_EQ(font.GetGlyph('a'), nullptr);  // none before a colour
    font.SetColor(200, 100, 50);
    for (int c = 0; c < 256; ++c) {
        bool expected = c >= 33 && c <= 126;
        EXPECT_EQ(font.GetGlyph(static_cast<char>(c)) != nullptr, expected) << c;
    }
    const Image* a = font.GetGlyph('a');
    ASSERT_NE(a->surface, nullptr);
    EXPECT_EQ(a->w, a->surface->w);
    EXPECT_EQ(a->h, a->surface->h);
    EXPECT_EQ(a->x, 0);
    EXPECT_EQ(a->srw, a->w);
    // A second colour replaces the glyphs (the sanitizer sees any leak).
    font.SetColor(10, 20, 30);
    EXPECT_NE(font.GetGlyph('a'), nullptr);
    font.Open(kTestFontFile, 20);
    EXPECT_EQ(font.GetGlyph('a'), nullptr);
    EXPECT_EQ(font.GetLineHeight(), 20);
}

TEST_F(FontTest, TextWidthAndHeightFollowTheLayoutRules) {
    const ddFont& f = DefaultFont();
    const int size = f.GetLineHeight();
    const int wa = GlyphW(f, 'a'), wb = GlyphW(f, 'b'), wW = GlyphW(f, 'W');
    ASSERT_GT(wa, 0);
    EXPECT_EQ(f.TextWidth(nullptr), 0);
    EXPECT_EQ(f.TextWidth(""), 0);
    EXPECT_EQ(f.TextWidth("ab"), wa + wb);
    EXPECT_EQ(f.TextWidth("a b"), wa + size + wb);
    EXPECT_EQ(f.TextWidth("\ta"), 3 * size + wa);
    // The wider line wins, whichever comes first.
    EXPECT_EQ(f.TextWidth("a\nWWW"), 3 * wW);
    EXPECT_EQ(f.TextWidth("WWW\na"), 3 * wW);
    // Characters without a glyph add nothing.
    EXPECT_EQ(f.TextWidth("a\x01\xE9"), wa);

    int tallest = size;
    for (char c : std::string("abc")) tallest = std::max(tallest, f.GetGlyph(c)->h);
    EXPECT_EQ(f.TextHeight("abc"), tallest);
    EXPECT_EQ(f.TextHeight("a\nb\nc"), 3 * tallest);
    EXPECT_EQ(f.TextHeight(""), size);
    EXPECT_EQ(f.TextHeight(nullptr), 0);
}

TEST_F(FontTest, DrawTextPlacesGlyphsAlongThePen) {
    ClearScreenBlack();
    const int size = DefaultFont().GetLineHeight();
    const int wi = GlyphW(DefaultFont(), 'I');
    const int hi = DefaultFont().GetGlyph('I')->h;
    DefaultFont().DrawText("I I\nI", 20, 30);
    EXPECT_TRUE(AnyLit(20, 30, wi, hi));
    EXPECT_TRUE(AnyLit(20 + wi + size, 30, wi, hi));
    EXPECT_FALSE(AnyLit(20 + wi, 30, size, hi));  // the space stays empty
    EXPECT_TRUE(AnyLit(20, 30 + size, wi, hi));   // next line, back at x
    EXPECT_FALSE(AnyLit(0, 0, 20, 150));
    // The view offset moves what is drawn.
    ClearScreenBlack();
    video.AppOffsetX = 10;
    DefaultFont().DrawText("I", 20, 30);
    video.AppOffsetX = 0;
    EXPECT_TRUE(AnyLit(10, 30, wi, hi));
    EXPECT_FALSE(AnyLit(10 + wi, 30, 40, hi));
    // Huge sizes and unknown characters never crash.
    ddFont big;
    big.Open(kTestFontFile, 2000000000);
    big.DrawText("  \t\t\n\n\x80x", 0, 0);
    big.Close();
}

TEST_F(FontTest, ClosingAndDestroyingAFontUnlinksItsTexts) {
    auto* font = new ddFont;
    font->Open(kTestFontFile, 30);
    font->SetColor(255, 0, 0);
    ddTekst a("abc"), b("x");
    a.SetFont(font);
    b.SetFont(font);
    EXPECT_EQ(a.GetWidth(), font->TextWidth("abc"));
    delete font;
    // Both fall back to the default font.
    EXPECT_EQ(a.GetFont(), &DefaultFont());
    EXPECT_EQ(b.GetFont(), &DefaultFont());
    EXPECT_EQ(a.GetWidth(), DefaultFont().TextWidth("abc"));

    // CloseAll (the shutdown runs it) closes every live font and its glyphs.
    ddFont other;
    other.Open(kTestFontFile, 10);
    other.SetColor(1, 1, 1);
    ddFont::CloseAll();
    EXPECT_EQ(other.GetHandle(), nullptr);
    EXPECT_EQ(other.GetGlyph('a'), nullptr);
    EXPECT_EQ(DefaultFont().GetHandle(), nullptr);
}

}  // namespace
