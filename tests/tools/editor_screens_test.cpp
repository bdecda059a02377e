// What the editors and the game chooser leave on the screen: every game
// kind starts on a cleared screen, and after anything is hidden, moved or
// removed the next frame shows exactly what a redraw of a cleared screen
// shows, with nothing left behind. The editors' texts stand whole on the
// screen and apart from one another.
#include <SDL/SDL.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "lumo_fixture.h"
#include "path_builder_fixture.h"
#include "shell/game_chooser.h"
#include "shell/game_kinds.h"
#include "shell/menu.h"
#include "tools/action_list.h"
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

// Every text drawn glyph by glyph in one full frame, with its rectangle.
struct DrawnText {
    std::string text;
    int x, y, w, h;
};

void NoteText(void* list, const char* s, size_t n, int x, int y, int w, int h) {
    static_cast<std::vector<DrawnText>*>(list)->push_back({std::string(s, n), x, y, w, h});
}

// Draws a full frame: `when` and each expected string are seen, held by a
// text drawn wholly on the screen; every text lies wholly inside the screen
// and overlaps no other but its own shadow (itself one pixel off).
void ExpectTextsWholeAndApart(ddScene* scene, const std::string& when,
                              std::vector<std::string> expected = {}) {
    std::vector<DrawnText> drawn;
    {
        ddFont::DrawWatch watch(NoteText, &drawn);
        SetRedraw();
        scene->Frame();
    }
    const int w = GraphAPI::CurrentVideo().AppWidth, h = GraphAPI::CurrentVideo().AppHeight;
    std::vector<const DrawnText*> seen;
    for (const DrawnText& t : drawn) {
        if (t.w <= 0 || t.h <= 0) continue;  // nothing drawn
        const bool inside = t.x >= 0 && t.y >= 0 && t.x + t.w <= w && t.y + t.h <= h;
        EXPECT_TRUE(inside) << when << ": \"" << t.text << "\" at " << t.x << "," << t.y
                            << " is not wholly on the screen";
        for (const DrawnText* o : seen)
            EXPECT_FALSE(t.x < o->x + o->w && o->x < t.x + t.w && t.y < o->y + o->h && o->y < t.y + t.h &&
                         (t.text != o->text || std::abs(t.x - o->x) != 1 || std::abs(t.y - o->y) != 1))
                << when << ": \"" << t.text << "\" at " << t.x << "," << t.y << " overlaps \"" << o->text
                << "\" at " << o->x << "," << o->y;
        if (inside) seen.push_back(&t);
    }
    expected.push_back(when);
    for (const std::string& e : expected)
        EXPECT_TRUE(std::any_of(seen.begin(), seen.end(),
                                [&](const DrawnText* t) { return t->text.find(e) != std::string::npos; }))
            << when << ": \"" << e << "\" is not seen";
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

TEST_F(PathBuilderTest, EveryTextIsWholeAndApartInEveryStateWithLongNames) {
    defaultFont.Open(kFontFile, 16);
    defaultFont.SetColor(250, 250, 250);
    const std::string name = "npc_closed_door_with_a_very_long_nam.bmp";  // 40 characters
    auto check = [&](std::vector<std::string> expected = {}) {
        ExpectTextsWholeAndApart(scene, State(), expected);
    };

    // A graph with a vertex in the bottom strip, one just above it and one
    // at the right edge, a walker at each; the menu open.
    WritePicture("walker.bmp", 20, 40, 0, 255, 0);
    WriteAnimation("walker.lum", "walker.bmp");
    Start();
    Press('v');
    for (auto [x, y] : {std::pair{300, 200}, {100, 470}, {400, 452}, {636, 300}}) LeftClick(x, y);
    Press(SDLK_ESCAPE);
    Press(SDLK_ESCAPE);
    Prompt('k', "walker.lum");
    SetRedraw();
    scene->Frame();
    EXPECT_EQ(ScreenAt(118, kH - 1), (loop_test::Rgb{0, 0, 0})) << "the walker shows through the bottom line";
    Press('h', true);
    LeftClick(5, 5);  // "game"
    check({"game", "anima", "add/remove", "exit"});
    Press('v');
    check();
    LeftClick(300, 200);
    MoveTo(350, 220);
    check({"350,220"});  // "active add"
    Press(SDLK_ESCAPE);
    Press('z');
    check();
    LeftDown(300, 200);
    check();  // "moving vertex"
    LeftUp(300, 200);
    RightClick(300, 200);
    check({"127"});  // "set vertex"
    LeftDown(editor->GetKnob(0)->GetX() + 2, editor->GetKnob(0)->GetY() + 1);
    check();  // "suwaking"
    LeftUp(editor->GetKnob(0)->GetX() + 2, editor->GetKnob(0)->GetY() + 1);
    Press('z');
    LeftDown(100, 100);
    MoveTo(150, 150);
    check();  // "moving rect"
    LeftUp(150, 150);
    Press('p');
    check({"0"});
    // The id field stands on the screen beside the vertex's id, above the
    // bottom line, and shows the end of what is typed.
    for (auto [x, y] : {std::pair{636, 300}, {100, 470}}) {
        LeftClick(x, y);
        Type("-98765432101234");
        check({"1234"});  // "write idpath"
        Press(SDLK_ESCAPE);
    }
    for (char box : {'o', 's', 'k', 'l'}) {
        Press(box, true);
        Type(name);
        check({"file:", "nam.bmp"});
        Press(SDLK_ESCAPE);
    }
    Modifiers(false, false, true);
    LeftDown(600, 400);
    MoveTo(20, 10);
    check();  // "moving all"
    Modifiers(false);
    LeftUp(20, 10);
}

}  // namespace
}  // namespace ptb_test

namespace {

TEST_F(LumoScreen, EveryTextIsWholeAndApartInEveryStateWithLongNames) {
    ASSERT_NE(OpenDummyScreen(video, 640, 480), nullptr);
    defaultFont.Open(kFont, 16);
    defaultFont.SetColor(250, 250, 250);
    const std::string name = "npc_closed_door_with_a_very_long_nam.bmp";  // 40 characters

    // The animation editor: a picture, an action and a sound with long
    // names, the action looping and hiding.
    WritePicture("pics/" + name, 30, 30, 200, 0, 0);
    Start();
    lumo2Game& lumo = *editor;
    auto checkLumo = [&](std::vector<std::string> expected = {}) {
        ExpectTextsWholeAndApart(scene, lumo2Game::StateName(lumo.GetState()), expected);
    };
    Press(SDLK_l, {SDLK_LCTRL});
    lumo.PathField()->SetText("pics/");
    Press(SDLK_RETURN);
    lumo.FileField()->SetText(name.c_str());
    Press(SDLK_RETURN);
    ASSERT_EQ(lumo.ImagesPair()->Upper().RowCount(), 1);
    ActionManager* group = lumo.ImagesPair()->Upper().GetRow(0)->GetPayload();
    group->Expand();
    lumo.ImagesPair()->ChooseAction(group);
    group->SelectRow(0);
    lumo.ActivateImages();
    Press(SDLK_RETURN, {SDLK_LCTRL});  // an action named after the picture
    lumo2Game::Pair* anim = lumo.AnimationPair();
    ASSERT_EQ(anim->Upper().RowCount(), 1);
    ActionManager* action = anim->Upper().GetRow(0)->GetPayload();
    action->Expand();
    action->GetRow(0)->GetPayload()->GetSoundText()->SetText("door_creaks_slowly_and_loudly");
    lumo.ActivateAnimation();
    anim->Upper().SelectRow(0);
    Press(SDLK_l, {SDLK_LSHIFT});
    Press(SDLK_h, {SDLK_LSHIFT});
    checkLumo({"images", "animation", "(L)(H)", "active window: animation", "mouse pos: 0 0"});
    lumo.PathField()->SetText(("long/path/" + name).c_str());
    for (SDLKey prompt : {SDLK_l, SDLK_b, SDLK_s, SDLK_d, SDLK_m}) {
        Press(prompt, {SDLK_LCTRL});
        checkLumo({prompt == SDLK_d ? "set delay:" : prompt == SDLK_m ? "move x" : "nam.bmp"});
        Press(SDLK_ESCAPE);
    }
    Press(SDLK_SPACE, {}, ' ');  // a rename
    Type("_renamedQ");
    checkLumo({"Q"});
    Press(SDLK_ESCAPE);
    anim->ChooseAction(action);
    Press(SDLK_SPACE, {SDLK_LSHIFT}, ' ');  // its frame's sound name
    checkLumo();
    Press(SDLK_RETURN);
    for (int s : {lumo2Game::kMoveAll, lumo2Game::kMoveChosen, lumo2Game::kFramesAlongLine,
                  lumo2Game::kFramesAlongMouse, lumo2Game::kMoveBkg, lumo2Game::kEnd}) {
        lumo.SetState(s);
        checkLumo();
    }
    lumo.SetState(lumo2Game::kInitial);
    Press(SDLK_p, {SDLK_LCTRL});  // plays, the lists hidden
    checkLumo();
    Press(SDLK_ESCAPE);
    checkLumo();
    // The numbered rows drawn with a font that did not open, at a size that
    // cannot be drawn (the sanitizer build stops at any overflow).
    Press(SDLK_h, {SDLK_LCTRL});
    defaultFont.Open("missing.ttf", INT_MIN + 3);
    SetRedraw();
    scene->Frame();
}

}  // namespace

namespace ptb_test {
namespace {

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
