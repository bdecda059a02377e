// What the editors and the game chooser leave on the screen: every game
// kind starts on a cleared screen, and after anything is hidden, moved or
// removed the next frame shows exactly what a redraw of a cleared screen
// shows, with nothing left behind.
#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "lumo_fixture.h"
#include "path_builder_fixture.h"
#include "shell/game_chooser.h"
#include "shell/game_kinds.h"
#include "shell/menu.h"
#include "tools/lumo_game.h"
#include "tools/path_builder.h"

namespace {

// The screen's pixels.
std::vector<Uint32> Pixels() {
    SDL_Surface* s = GraphAPI::CurrentVideo().Screen;
    std::vector<Uint32> out;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) out.push_back(GraphAPI::GetPixel(s, x, y));
    return out;
}

// Draws the frame that follows a change, then the same scene again over a
// screen painted magenta; the two must be equal pixel for pixel.
void ExpectNothingLeftBehind(ddScene* scene, const std::string& after) {
    SetRedraw();
    scene->Frame();
    const std::vector<Uint32> shown = Pixels();
    GraphAPI::FillScreen(255, 0, 255);
    scene->Flags().UpdateRequested = 0;  // the same picture: nothing moves on
    SetRedraw();
    scene->Frame();
    scene->Flags().UpdateRequested = 1;
    const std::vector<Uint32> fresh = Pixels();
    const int w = GraphAPI::CurrentVideo().Screen->w;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == fresh[i]) continue;
        ADD_FAILURE() << "after " << after << ": pixel (" << i % w << ", " << i / w << ") is left over";
        return;
    }
}

class LumoScreen : public LumoTest {
protected:
    void SetUp() override {
        LumoTest::SetUp();
        DefaultFont().SetColor(250, 250, 250);  // texts draw their glyphs
    }
};

TEST_F(LumoScreen, DeletedRowsHiddenListsAndChangedLinesLeaveNothingBehind) {
    WritePicture("pics/a.bmp", 6, 6, 200, 0, 0);
    Start();
    ExpectNothingLeftBehind(scene, "the start");
    Import("pics/", "a.bmp");
    lumo2Game::Pair* anim = editor->AnimationPair();
    for (int i = 0; i < 2; ++i) {
        anim->Upper().ClearSelection();
        if (anim->Lower()) anim->Lower()->ClearSelection();
        SelectPictures(0, {0});
        Press(SDLK_RETURN);
    }
    ASSERT_EQ(anim->Upper().RowCount(), 2);
    scene->Frame();

    editor->ActivateAnimation();
    anim->Upper().ClearSelection();
    if (anim->Lower()) anim->Lower()->ClearSelection();
    anim->Upper().SelectRow(1);
    scene->Frame();
    Press(SDLK_DELETE);
    ASSERT_EQ(anim->Upper().RowCount(), 1);
    ExpectNothingLeftBehind(scene, "Delete");

    anim->Upper().SelectRow(0);
    Press(SDLK_SPACE);  // "state: set action/frame name"
    ASSERT_EQ(editor->GetState(), lumo2Game::kSetName);
    scene->Frame();
    Press(SDLK_ESCAPE);
    ExpectNothingLeftBehind(scene, "a shorter state line");

    Press(SDLK_h, {SDLK_LCTRL});
    ASSERT_TRUE(editor->ListsHidden());
    ExpectNothingLeftBehind(scene, "hiding the lists");
}

}  // namespace

namespace ptb_test {
namespace {

TEST_F(PathBuilderTest, HiddenMenusClosedBoxesOldStatesAndPanningLeaveNothingBehind) {
    Start();
    ExpectNothingLeftBehind(scene, "the start");
    Press('h', true);
    ASSERT_TRUE(editor->GetMenu()->IsVisible());
    scene->Frame();
    Press('h', true);
    ExpectNothingLeftBehind(scene, "hiding the menu");

    Press('o', true);
    scene->Frame();
    Press(SDLK_ESCAPE);
    ExpectNothingLeftBehind(scene, "closing a file box");

    Press('v');  // "adding/removing v/e"
    LeftClick(100, 100);
    LeftClick(200, 140);
    scene->Frame();
    Press(SDLK_ESCAPE);
    Press(SDLK_ESCAPE);
    ExpectNothingLeftBehind(scene, "a shorter state text");

    MoveTo(300, 300);
    Modifiers(false, false, true);
    LeftDown(300, 300);
    MoveTo(340, 320);
    Modifiers(false);
    LeftUp(340, 320);
    ExpectNothingLeftBehind(scene, "panning");
}

TEST_F(PathBuilderTest, TheChooserDrawsOverAnOpaqueBackgroundAndEveryGameKindStartsCleared) {
    folder.Write(
        "configs/progs/menu.db",
        "<def><size> 60 20</size>\n<menu> 0 0 bottom\n\t<lumo> Lumo right right</lumo>\n</menu></def>\n");
    GameChooser chooser;
    chooser.OnStart();
    ExpectNothingLeftBehind(scene, "the chooser's start");
    chooser.OnStop();

    // Every game kind starts on a cleared screen.
    const GameKind kinds[] = {{"gamechooser", RunGameChooserKind},
                              {"lumo", RunLumoKind},
                              {"ptbuilder", RunPathBuilderKind}};
    for (const char* kind : {"gamechooser", "lumo", "ptbuilder"}) {
        GraphAPI::FillScreen(255, 0, 255);  // what the kind before left
        events = loop_test::FakeEvents();
        bool looked = false;
        events.frames.push_back({{}, [&] {
                                     looked = true;
                                     for (auto [x, y] : {std::pair{5, 5}, {kW / 2, kH / 2}, {kW - 3, kH - 3}})
                                         EXPECT_EQ(ScreenAt(x, y), (loop_test::Rgb{0, 0, 0})) << kind;
                                 }});
        RunGameKinds(kinds, kind);
        EXPECT_TRUE(looked) << kind;
    }
}

}  // namespace
}  // namespace ptb_test
