#include "shell/mouse.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "graphics/canvas.h"
#include "loop_fixture.h"

namespace loop_test {
namespace {

class Mouse : public LoopTest {
protected:
    void SetUp() override {
        LoopTest::SetUp();
        mouse = ddMouse::Instance;
        // A scene with one full-screen background in a dark colour.
        back = std::make_unique<ddCanvas>(0, 0, kWidth, kHeight);
        back->SetColor(10, 20, 30, 255);
        scene->AddDrawable(back.get());
        // A 6 x 4 cursor: red, its hot spot one pixel up and left of it.
        arrow = std::make_unique<ddCanvas>(0, 0, 6, 4);
        arrow->SetColor(250, 0, 0, 255);
        arrow->SetLod(-1, -1);
        mouse->SetCursorObraz(arrow.get());
    }
    void TearDown() override {
        arrow.reset();
        back.reset();
        LoopTest::TearDown();
    }
    // Moves the mouse as the game loop does.
    void MoveTo(int sx, int sy) {
        if (mouse->SetPos(sx, sy)) SetMouseMoved(1);
    }
    int CountColour(Rgb c) {
        int n = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) n += ScreenAt(x, y) == c;
        return n;
    }

    ddMouse* mouse = nullptr;
    std::unique_ptr<ddCanvas> back, arrow;
    static constexpr Rgb kBack{10, 20, 30}, kRed{250, 0, 0};
};

TEST_F(Mouse, SamePositionTwiceIsNoChange) {
    EXPECT_TRUE(mouse->SetPos(3, 4));
    EXPECT_FALSE(mouse->SetPos(3, 4));
    EXPECT_EQ(GetMouseX(), 3);
    EXPECT_EQ(GetMouseY(), 4);
}

TEST_F(Mouse, CursorOnlyRedrawLeavesNoGhostPixels) {
    MoveTo(20, 20);
    scene->Frame();  // full redraw with the cursor at (19, 19)
    EXPECT_EQ(CountColour(kRed), 24);
    EXPECT_EQ(ScreenAt(19, 19), kRed);
    EXPECT_EQ(ScreenAt(18, 18), kBack);

    // Only the mouse moves: the old place gets its background back.
    for (auto [x, y] : {std::pair{22, 21}, {60, 50}, {158, 118}, {0, 0}}) {
        SetMouseMoved(0);
        MoveTo(x, y);
        ASSERT_EQ(Flags().RedrawRequested, 0);
        scene->Frame();
        EXPECT_EQ(Flags().RedrawRequested, 0) << "moving the cursor asks for no redraw";
        int visible = (std::min(x - 1 + 6, kWidth) - std::max(x - 1, 0)) *
                      (std::min(y - 1 + 4, kHeight) - std::max(y - 1, 0));
        EXPECT_EQ(CountColour(kRed), visible) << x << "," << y;
        EXPECT_EQ(CountColour(kBack), kWidth * kHeight - visible) << x << "," << y;
    }
}

TEST_F(Mouse, ViewOffsetsMapScreenToApplicationCoordinates) {
    video.AppOffsetX = 112;
    video.AppOffsetY = 84;
    arrow->SetLod(0, 0);
    mouse->SetCursorObraz(arrow.get());
    mouse->SetPos(1, 1);
    EXPECT_TRUE(mouse->SetPos(0, 0));
    SetMouseMoved(1);
    EXPECT_EQ(GetMouseX(), 112);
    EXPECT_EQ(GetMouseY(), 84);
    back->SetColor(10, 20, 30, 255);
    Flags().RedrawRequested = 1;
    mouse->Draw();
    EXPECT_EQ(ScreenAt(0, 0), kRed);
    EXPECT_EQ(ScreenAt(5, 3), kRed);

    // A warp takes application coordinates; the cursor lands under the mouse.
    mouse->WarpTo(112 + 40, 84 + 30);
    EXPECT_EQ(input.warpX, 40);
    EXPECT_EQ(input.warpY, 30);
    EXPECT_EQ(GetMouseX(), 152);
    EXPECT_EQ(GetMouseY(), 114);
    EXPECT_EQ(GetMouseMoved(), 1);
    EXPECT_EQ(Flags().RedrawRequested, 1);
    mouse->Draw();
    EXPECT_EQ(mouse->GetScreenX(), 40);
    EXPECT_EQ(ScreenAt(40, 30), kRed);
    // Warping to where it is changes nothing.
    input.warpX = -1;
    mouse->WarpTo(152, 114);
    EXPECT_EQ(input.warpX, -1);
}

TEST_F(Mouse, CursorKeepsItsPixelsWhenThePictureItCameFromGoes) {
    auto* source = new ddCanvas(0, 0, 3, 3);
    source->SetColor(0, 255, 0, 255);
    mouse->SetCursorObraz(source);
    delete source;
    // A picture given twice over (the cursor itself) is no trouble either.
    mouse->SetCursorObraz(mouse->GetCursorObraz());
    MoveTo(10, 10);
    scene->Frame();
    EXPECT_EQ(ScreenAt(10, 10), (Rgb{0, 255, 0}));
    EXPECT_EQ(CountColour(Rgb{0, 255, 0}), 9);
}

TEST_F(Mouse, HiddenCursorIsGoneAfterTheNextRedrawAndComesBackClean) {
    MoveTo(30, 30);
    scene->Frame();
    ASSERT_EQ(CountColour(kRed), 24);
    mouse->Hide();
    EXPECT_EQ(mouse->IsVisible(), 0);
    SetMouseMoved(0);
    scene->Frame();
    EXPECT_EQ(CountColour(kRed), 0);
    // Moves while hidden, then shown: the next cursor-only frame draws it
    // once, restoring nothing stale.
    MoveTo(80, 80);
    scene->Frame();
    mouse->Show();
    SetMouseMoved(0);
    MoveTo(90, 90);
    scene->Frame();
    EXPECT_EQ(CountColour(kRed), 24);
    EXPECT_EQ(ScreenAt(89, 89), kRed);
}

TEST_F(Mouse, HardwareCursorBitsFromAPicture) {
    ddCanvas pic(0, 0, 13, 2);
    pic.Clear();
    pic.PutRGBA(0, 0, 192, 0, 0, 255);    // black
    pic.PutRGBA(1, 0, 193, 0, 0, 255);    // white
    pic.PutRGBA(12, 1, 0, 0, 0, 255);     // black, the last real column
    pic.PutRGBA(2, 0, 255, 255, 255, 0);  // transparent
    pic.SetLod(-3, 2);
    CursorBits bits = BuildCursorBits(&pic);
    EXPECT_EQ(bits.width, 16);
    EXPECT_EQ(bits.height, 2);
    EXPECT_EQ(bits.hotX, 3);
    EXPECT_EQ(bits.hotY, 0);
    ASSERT_EQ(bits.data.size(), 4u);
    EXPECT_EQ(bits.data[0], 0x80);
    EXPECT_EQ(bits.mask[0], 0xC0);
    EXPECT_EQ(bits.data[1], 0x00);
    EXPECT_EQ(bits.data[2], 0x00);
    EXPECT_EQ(bits.data[3], 0x08);  // column 12; 13-15 transparent
    EXPECT_EQ(bits.mask[3], 0x08);

    // The dummy driver may make no system cursor: nothing breaks.
    mouse->SetHardwareCursor(&pic);
    mouse->SetHardwareCursor(nullptr);
    Obraz empty;
    mouse->SetHardwareCursor(&empty);
    mouse->FreeHardwareCursor();
    EXPECT_EQ(mouse->GetHardwareCursor(), nullptr);
    EXPECT_TRUE(BuildCursorBits(&empty).data.empty());
}

TEST_F(Mouse, AsciiCursorRows) {
    const char* rows[] = {"X.", ".X ", "X"};
    CursorBits bits = AsciiCursorBits(rows, 3, 3);
    EXPECT_EQ(bits.width, 8);
    EXPECT_EQ(bits.data, (std::vector<uint8_t>{0x80, 0x40, 0x80}));
    EXPECT_EQ(bits.mask, (std::vector<uint8_t>{0xC0, 0xC0, 0x80}));
    SDL_Cursor* c = MakeAsciiCursor(rows, 3, 3);
    if (c) SDL_FreeCursor(c);
    EXPECT_EQ(MakeAsciiCursor(nullptr, 3, 3), nullptr);
}

TEST_F(Mouse, DefaultCursorComesFromTheGamesArrowPicture) {
    std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(std::string(ENGINE_SOURCE_DIR) + "/games/demo");
    CurrentScene().RecreateMouse();
    std::filesystem::current_path(here);
    mouse = ddMouse::Instance;
    ASSERT_NE(mouse, nullptr);
    ASSERT_NE(mouse->GetDefaultObraz()->GetImage()->surface, nullptr);
    EXPECT_EQ(mouse->GetCursorObraz()->GetWidth(), 12);
    EXPECT_EQ(mouse->GetCursorObraz()->GetHeight(), 19);
    ASSERT_NE(ButtonCursorImage(), nullptr);
    EXPECT_EQ(ButtonCursorImage()->GetImage()->surface, mouse->GetDefaultObraz()->GetImage()->surface);
    EXPECT_EQ(input.shown, 0);  // the system cursor is hidden
    MoveTo(50, 50);
    scene->Frame();
    EXPECT_EQ(ScreenAt(50, 50), (Rgb{0, 0, 0}));        // outline
    EXPECT_EQ(ScreenAt(51, 53), (Rgb{255, 255, 255}));  // fill
    EXPECT_EQ(ScreenAt(60, 50), kBack);                 // transparent
}

}  // namespace
}  // namespace loop_test
