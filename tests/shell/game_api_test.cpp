#include "shell/game_api.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "loop_fixture.h"

namespace loop_test {
namespace {

class GameMembers : public LoopTest {
protected:
    void SetUp() override {
        LoopTest::SetUp();
        dir = std::filesystem::temp_directory_path() / ("game_api_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        LoopTest::TearDown();
    }
    std::filesystem::path dir;
};

TEST_F(GameMembers, ConstructionResetsTheHoverAndNamesExit) {
    ddButton b;
    b.SetRect(0, 0, 10, 10);
    scene->AddButton(&b);
    scene->HoverButtons(5, 5);
    ASSERT_TRUE(scene->IsHovering());
    GameAPI game;
    EXPECT_FALSE(scene->IsHovering());
    EXPECT_STREQ(game.GetNextAction(), "exit");
    EXPECT_EQ(game.IsMousePaused(), 0);
    EXPECT_EQ(game.GetCanvas(), nullptr);
    EXPECT_EQ(game.GetInputFocus(), nullptr);
    EXPECT_TRUE(game.HasInputFocus(nullptr));
    scene->RemoveButton(&b);
}

TEST_F(GameMembers, DrawablesAreRegisteredWithTheGameAsUserDataAndDeletedCleanly) {
    GameAPI game;
    Obraz* plain = nullptr;
    Obraz* shared = nullptr;
    ddObrazContainer* box = nullptr;
    ddCanvas* canvas = nullptr;
    game.NewObraz(plain);
    game.NewCanvas(canvas, 1, 2, 3, 4);
    game.NewObraz(shared, canvas->GetImage());
    game.NewContainer(box);
    EXPECT_EQ(scene->DrawableCount(), 4);
    EXPECT_EQ(canvas->GetUserData(), reinterpret_cast<intptr_t>(&game));
    EXPECT_EQ(box->GetUserData(), reinterpret_cast<intptr_t>(&game));
    EXPECT_EQ(shared->GetWidth(), 3);
    EXPECT_EQ(canvas->GetX(), 1);

    game.DeleteObject(canvas);  // the sharer keeps its pixels
    EXPECT_EQ(canvas, nullptr);
    EXPECT_NE(shared->GetImage()->surface, nullptr);
    game.DeleteObject(canvas);  // null: left alone
    game.DeleteObject(plain);
    game.DeleteObject(shared);
    game.DeleteObject(box);
    EXPECT_EQ(scene->DrawableCount(), 0);

    game.CreateBackgroundCanvas();
    game.CreateBackgroundCanvas();  // replaces, never piles up
    ASSERT_NE(game.GetCanvas(), nullptr);
    EXPECT_EQ(game.GetCanvas()->GetWidth(), kWidth);
    EXPECT_EQ(game.GetCanvas()->GetHeight(), kHeight);
    EXPECT_EQ(scene->DrawableCount(), 1);
    game.DeleteBackgroundCanvas();
    EXPECT_EQ(scene->DrawableCount(), 0);
    game.CreateBackgroundCanvas();  // the destructor deletes it
}

TEST_F(GameMembers, SoundsAndSoundSets) {
    GameAPI game;
    Dzwieki** set = nullptr;
    testing::internal::CaptureStdout();
    game.NewSoundSet(set, "snd/step", 0);
    game.DeleteSoundSet(set, -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nnew empty sound set!!\nfree empty sound set!!");
    EXPECT_EQ(set, nullptr);

    game.NewSoundSet(set, "snd/step", 3);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(scene->SoundCount(), 3);
    EXPECT_NE(set[2], nullptr);
    EXPECT_NE(set[1], set[2]);
    EXPECT_EQ(set[0]->GetUserData(), reinterpret_cast<intptr_t>(&game));
    game.DeleteSoundSet(set, 3);
    EXPECT_EQ(set, nullptr);
    EXPECT_EQ(scene->SoundCount(), 0);

    Dzwieki* one = nullptr;
    game.NewSound(one, "x.wav");
    EXPECT_EQ(scene->SoundCount(), 1);
    game.DeleteSound(one);
    EXPECT_EQ(one, nullptr);
    game.DeleteSound(one);
    EXPECT_EQ(scene->SoundCount(), 0);
}

TEST_F(GameMembers, TimerGetsItsIntervalAndRepeatCount) {
    GameAPI game;
    ddTimery* t = nullptr;
    game.NewTimer(t, 250, 4);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetInterval(), 250);
    EXPECT_EQ(t->GetRepeatCount(), 4);
    EXPECT_EQ(scene->TimerCount(), 1);
    game.DeleteTimer(t);
    EXPECT_EQ(t, nullptr);
}

TEST_F(GameMembers, ScreenshotIsABmpOfTheScreenAndAFailedOneChangesNothing) {
    GraphAPI::FillScreen(9, 8, 7);
    GameAPI game;
    std::string file = (dir / "shot.bmp").string();
    EXPECT_EQ(game.SaveScreenshot(file.c_str()), 0);
    SDL_Surface* back = SDL_LoadBMP(file.c_str());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->w, kWidth);
    EXPECT_EQ(back->h, kHeight);
    Uint8 r, g, b;
    SDL_GetRGB(GraphAPI::GetPixel(back, 3, 3), back->format, &r, &g, &b);
    EXPECT_EQ(r, 9);
    EXPECT_EQ(b, 7);
    SDL_FreeSurface(back);
    EXPECT_FALSE(std::filesystem::exists(file + ".part"));

    std::string nowhere = (dir / "missing" / "shot.bmp").string();
    EXPECT_NE(game.SaveScreenshot(nowhere.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(nowhere));
}

TEST_F(GameMembers, WaitForInputReturnsTheFirstPressAndEndsOnQuit) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    events.waiting = {motion, Key(SDL_KEYUP, SDLK_a), Button(SDL_MOUSEBUTTONDOWN, 3),
                      Key(SDL_KEYDOWN, SDLK_b)};
    EXPECT_EQ(WaitForInput(), SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(WaitForInput(), SDL_KEYDOWN);
    EXPECT_EQ(WaitForInput(), 0);  // waiting failed
    events.waiting = {motion, FakeEvents::Quit()};
    EXPECT_EXIT(WaitForInput(), testing::ExitedWithCode(0), "");
}

TEST(ArrayBaseFromFile, NameBetweenTheLastSlashAndLum) {
    EXPECT_STREQ(ArrayBaseFromFile("anims/hero/walk.lum").c_str(), "walk");
    EXPECT_STREQ(ArrayBaseFromFile("walk.lum").c_str(), "walk");
    EXPECT_STREQ(ArrayBaseFromFile("anims/walk").c_str(), "walk");
    EXPECT_STREQ(ArrayBaseFromFile("walk").c_str(), "walk");
    EXPECT_STREQ(ArrayBaseFromFile("a.lum/walk").c_str(), "walk");
    EXPECT_STREQ(ArrayBaseFromFile("dir/").c_str(), "");
    EXPECT_STREQ(ArrayBaseFromFile("").c_str(), "");
    EXPECT_STREQ(ArrayBaseFromFile(nullptr).c_str(), "");
}

}  // namespace
}  // namespace loop_test
