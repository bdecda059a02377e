// The animation editor driven through keys, mouse and events: windows,
// prompts, moving and spreading pictures, ghosts, playing, and stopping.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/text.h"
#include "lumo_fixture.h"

namespace {

class LumoEditor : public LumoTest {
protected:
    // Four pictures in one group, all shown in the draw window; starts the
    // editor first unless it runs.
    void FourPictures() {
        if (!editor) Start();
        WritePicture("pics/a.bmp", 6, 6, 200, 0, 0);
        Import("pics/", "a.bmp");
        ActionManager* group = editor->ImagesPair()->Upper().GetRow(0)->GetPayload();
        group->ClearSelection();
        group->SelectRow(0);
        for (int i = 1; i < 4; ++i) {
            lumoObraz copy(group->GetRow(0)->GetPayload());
            group->InsertRow(&copy, ("p" + std::to_string(i)).c_str(), 0);
            group->ClearSelection();
            group->SelectRow(i);
        }
        SelectPictures(0, {0, 1, 2, 3});
        ASSERT_EQ(editor->DrawnObjects().Count(), 4);
        editor->ActivateDraw();
    }
    Obraz* Shown(int i) { return editor->DrawnObjects().At(i); }
    int DrawX() { return editor->GetListPanelWidth() + 20; }
};

TEST_F(LumoEditor, StartsInTheDrawWindowAndTabCyclesTheWindows) {
    Start();
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
    EXPECT_STREQ(editor->StateText()->GetText(), "state: initial");
    EXPECT_STREQ(editor->WindowText()->GetText(), "active window: draw");
    EXPECT_EQ(editor->DrawArea()->GetX(), editor->GetListPanelWidth() + 4);
    Press(SDLK_TAB);
    EXPECT_EQ(editor->GetActiveWindow(), lumo2Game::kImagesWindow);
    EXPECT_STREQ(editor->WindowText()->GetText(), "active window: images");
    EXPECT_TRUE(editor->ImagesPair()->UpperHeaderSelected());
    Press(SDLK_TAB);
    EXPECT_STREQ(editor->WindowText()->GetText(), "active window: animation");
    Press(SDLK_TAB);
    EXPECT_EQ(editor->GetActiveWindow(), lumo2Game::kDrawWindow);
}

TEST_F(LumoEditor, ClicksChooseListRowsAndFieldsAndShowTheMouse) {
    WritePicture("pics/a.bmp", 6, 6, 200, 0, 0);
    Start();
    Import("pics/", "a.bmp");
    ActionManager* group = editor->ImagesPair()->Upper().GetRow(0)->GetPayload();
    // The group's row, under the images header.
    LeftDown(group->GetX() + 2, group->GetY() + 2);
    LeftUp();
    EXPECT_EQ(editor->GetActiveWindow(), lumo2Game::kImagesWindow);
    EXPECT_EQ(editor->ImagesPair()->Upper().SelectedCount(), 1);
    EXPECT_EQ(editor->DrawnObjects().Count(), 1);
    EXPECT_STREQ(editor->MouseText()->GetText(),
                 ("mouse pos: " + std::to_string(group->GetX() + 2) + " " + std::to_string(group->GetY() + 2))
                     .c_str());
    // The animation header.
    Obraz& header = editor->AnimationPair()->Upper();
    LeftDown(header.GetX() + 2, header.GetY() + 2);
    LeftUp();
    EXPECT_EQ(editor->GetActiveWindow(), lumo2Game::kAnimationWindow);

    // In a file prompt a click moves the focus between the fields.
    Press(SDLK_s, {SDLK_LCTRL});
    EXPECT_TRUE(editor->HasInputFocus(editor->PathField()));
    LeftDown(editor->FileField()->GetX() + 1, editor->FileField()->GetY() + 1);
    EXPECT_TRUE(editor->HasInputFocus(editor->FileField()));
    LeftUp();
    Press(SDLK_ESCAPE);
    EXPECT_FALSE(editor->FilePanel().IsVisible());
    EXPECT_EQ(editor->GetInputFocus(), nullptr);
}

TEST_F(LumoEditor, BackgroundsComeFromFilesOrTheFirstShownPicture) {
    WritePicture("pics/bg.bmp", 30, 20, 0, 0, 220);
    FourPictures();
    ddCanvas* bg = editor->BackgroundCanvas();
    EXPECT_FALSE(bg->IsVisible());
    const int x = bg->GetX(), y = bg->GetY();
    FilePrompt(SDLK_b, "pics/", "none.bmp");  // a missing file is ignored
    EXPECT_FALSE(bg->IsVisible());
    FilePrompt(SDLK_b, "pics/", "bg.bmp");
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
    ASSERT_TRUE(bg->IsVisible());
    EXPECT_EQ(bg->GetWidth(), 30);
    EXPECT_EQ(bg->GetX(), x);
    Uint8 r = 0, g = 0, b = 0, a = 0;
    bg->GetRGBA(x + 5, y + 5, &r, &g, &b, &a);
    EXPECT_EQ(b, 220);
    EXPECT_EQ(a, 255);

    // Ctrl + Shift + 'b' takes the first shown picture; it stays where it is.
    SelectPictures(0, {0});
    Shown(0)->SetPos(DrawX() + 50, 60);
    Press(SDLK_b, {SDLK_LCTRL, SDLK_LSHIFT});
    EXPECT_EQ(bg->GetWidth(), 6);
    bg->GetRGBA(x + 1, y + 1, &r, &g, &b, &a);
    EXPECT_EQ(r, 200);
    EXPECT_EQ(Shown(0)->GetX(), DrawX() + 50);

    // Space-drag moves the background.
    input.keys[SDLK_SPACE] = 1;
    LeftDown(DrawX() + 100, 100);
    input.keys[SDLK_SPACE] = 0;
    EXPECT_EQ(editor->GetState(), lumo2Game::kMoveBkg);
    MoveMouse(DrawX() + 104, 98);
    LeftUp();
    EXPECT_EQ(bg->GetX(), x + 4);
    EXPECT_EQ(bg->GetY(), y - 2);
}

TEST_F(LumoEditor, NumberPromptsClampWhatIsTyped) {
    Start();
    // Letters are not taken: "x" leaves the field empty, read as 0.
    for (auto [typed, delay] : {std::pair{"250", 100}, {"-5", 1}, {"x", 1}}) {
        const std::string before = std::to_string(editor->GetDelayValue());
        Press(SDLK_d, {SDLK_LCTRL});
        EXPECT_EQ(editor->GetState(), lumo2Game::kSetDelay);
        EXPECT_TRUE(editor->NumberPanel().IsVisible());
        EXPECT_STREQ(editor->NumberField()->GetText(), before.c_str()) << typed;
        Press(SDLK_DELETE);
        Type(typed);
        Press(SDLK_RETURN);
        EXPECT_EQ(editor->GetDelayValue(), delay) << typed;
        EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
        EXPECT_FALSE(editor->NumberPanel().IsVisible());
    }

    // Esc leaves the delay as it is.
    Press(SDLK_d, {SDLK_LCTRL});
    Type("7");
    Press(SDLK_ESCAPE);
    EXPECT_EQ(editor->GetDelayValue(), 1);
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
}

TEST_F(LumoEditor, MovePromptMovesTheShownPicturesAlongXOrY) {
    FourPictures();
    const int x = Shown(0)->GetX(), y = Shown(0)->GetY();
    Press(SDLK_m, {SDLK_LCTRL});
    EXPECT_EQ(editor->GetState(), lumo2Game::kSetMoveX);
    Press(SDLK_DELETE);
    Type("5000");
    Press(SDLK_RETURN);
    EXPECT_EQ(editor->GetMoveStep(), 1000);
    EXPECT_EQ(Shown(0)->GetX(), x + 1000);
    Press(SDLK_m, {SDLK_LCTRL});
    Press(SDLK_DELETE);
    Type("-3");
    Press(SDLK_RETURN, {SDLK_LSHIFT});
    EXPECT_EQ(Shown(3)->GetY(), y - 3);
    EXPECT_EQ(Shown(3)->GetX(), x + 1000);
}

TEST_F(LumoEditor, ArrowsMoveAndAlignTheShownPictures) {
    FourPictures();
    Obraz* area = editor->DrawArea();
    const int x = Shown(1)->GetX();
    Press(SDLK_RIGHT);
    EXPECT_EQ(Shown(1)->GetX(), x + 1);
    Press(SDLK_LEFT, {SDLK_SPACE});
    EXPECT_EQ(Shown(0)->GetX(), area->GetX());
    Press(SDLK_RIGHT, {SDLK_SPACE});
    EXPECT_EQ(Shown(0)->GetEndX(), area->GetEndX());
    Press(SDLK_UP, {SDLK_SPACE});
    EXPECT_EQ(Shown(3)->GetY(), area->GetY());
    Press(SDLK_DOWN, {SDLK_SPACE});
    EXPECT_EQ(Shown(3)->GetEndY(), editor->BottomGuide()->GetY());
}

TEST_F(LumoEditor, HoldingMMovesOnlyTheChosenPictureUntilMIsReleased) {
    FourPictures();
    Shown(3)->SetPos(DrawX() + 30, 30);
    const int otherX = Shown(0)->GetX();
    input.keys[SDLK_m] = 1;
    LeftDown(Shown(3)->GetX() + 2, Shown(3)->GetY() + 2);
    EXPECT_EQ(editor->GetState(), lumo2Game::kMoveChosen);
    MoveMouse(inputState.MouseX + 10, inputState.MouseY + 4);
    EXPECT_EQ(Shown(3)->GetX(), DrawX() + 40);
    EXPECT_EQ(Shown(3)->GetY(), 34);
    EXPECT_EQ(Shown(0)->GetX(), otherX);
    Press(SDLK_DOWN, {SDLK_m});  // arrows move the chosen one by a pixel
    EXPECT_EQ(Shown(3)->GetY(), 35);
    input.keys[SDLK_m] = 0;
    Release(SDLK_m);
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
    EXPECT_EQ(inputState.LeftButton, 1);  // the button is still down
    MoveMouse(inputState.MouseX + 10, inputState.MouseY);
    EXPECT_EQ(Shown(3)->GetX(), DrawX() + 40);

    // Without a modifier the drag moves everything.
    LeftDown(DrawX() + 100, 80);
    EXPECT_EQ(editor->GetState(), lumo2Game::kMoveAll);
    MoveMouse(DrawX() + 103, 80);
    EXPECT_EQ(Shown(0)->GetX(), otherX + 3);
    LeftUp();
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
}

TEST_F(LumoEditor, PicturesSpreadOnALineByKeyAndByMouse) {
    FourPictures();
    Shown(0)->SetPos(DrawX(), 10);
    Shown(3)->SetPos(DrawX() + 30, 40);
    editor->ActivateAnimation();
    // Shift + 'l' wants frames selected in the animation window: make an
    // action of the four and show them.
    SelectPictures(0, {0, 1, 2, 3});
    Press(SDLK_RETURN);
    ASSERT_EQ(editor->AnimationPair()->Upper().RowCount(), 1);
    editor->AnimationPair()->SelectAllFrames();
    editor->ActivateAnimation();
    ASSERT_EQ(editor->DrawnObjects().Count(), 4);
    Press(SDLK_l, {SDLK_LSHIFT});
    EXPECT_EQ(Shown(0)->GetX(), DrawX());
    EXPECT_EQ(Shown(1)->GetX(), DrawX() + 10);
    EXPECT_EQ(Shown(2)->GetY(), 30);
    EXPECT_EQ(Shown(3)->GetX(), DrawX() + 30);
    EXPECT_EQ(Shown(3)->GetY(), 40);

    // Shift-drag: the pictures gather at the first one and fan out along
    // the mouse's way, a quarter of it apart.
    input.keys[SDLK_LSHIFT] = 1;
    LeftDown(DrawX() + 50, 50);
    input.keys[SDLK_LSHIFT] = 0;
    EXPECT_EQ(editor->GetState(), lumo2Game::kFramesAlongLine);
    EXPECT_EQ(Shown(3)->GetX(), DrawX());
    MoveMouse(DrawX() + 90, 70);
    EXPECT_EQ(Shown(0)->GetX(), DrawX());
    EXPECT_EQ(Shown(1)->GetX(), DrawX() + 10);
    EXPECT_EQ(Shown(1)->GetY(), 15);
    EXPECT_EQ(Shown(3)->GetX(), DrawX() + 30);
    EXPECT_EQ(Shown(3)->GetY(), 25);
    LeftUp();
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
}

TEST_F(LumoEditor, AShiftHeldMousePathGoesOnWithTheNextDrag) {
    FourPictures();
    Shown(0)->SetPos(DrawX(), 10);
    input.keys[SDLK_LCTRL] = 1;
    LeftDown(DrawX() + 40, 20);
    input.keys[SDLK_LCTRL] = 0;
    ASSERT_EQ(editor->GetState(), lumo2Game::kFramesAlongMouse);
    // A straight way of 30 in steps of 10: the pictures go back along it.
    MoveMouse(DrawX() + 50, 20);
    MoveMouse(DrawX() + 60, 20);
    MoveMouse(DrawX() + 70, 20);
    EXPECT_EQ(Shown(0)->GetX(), DrawX());
    EXPECT_EQ(Shown(3)->GetX(), DrawX() + 20);
    EXPECT_EQ(Shown(2)->GetX(), DrawX() + 10);
    EXPECT_EQ(Shown(1)->GetX(), DrawX());
    EXPECT_EQ(Shown(1)->GetY(), 10);
    input.keys[SDLK_LSHIFT] = 1;
    LeftUp();
    input.keys[SDLK_LSHIFT] = 0;
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);

    // The next Ctrl-drag starts from the kept path's first node: the way is
    // now 60 long, 15 between pictures.
    input.keys[SDLK_LCTRL] = 1;
    LeftDown(DrawX() + 200, 90);
    input.keys[SDLK_LCTRL] = 0;
    MoveMouse(DrawX() + 70, 50);
    // 15 apart, walking back from the newest point: (60, 20) and (50, 20).
    EXPECT_EQ(Shown(3)->GetX(), DrawX() + 20);
    EXPECT_EQ(Shown(2)->GetX(), DrawX() + 10);
    EXPECT_EQ(Shown(3)->GetY(), 10);
    EXPECT_EQ(Shown(0)->GetX(), DrawX());
    LeftUp();  // without Shift the path goes
    input.keys[SDLK_LCTRL] = 1;
    LeftDown(DrawX() + 100, 90);
    input.keys[SDLK_LCTRL] = 0;
    MoveMouse(DrawX() + 108, 90);
    MoveMouse(DrawX() + 116, 90);
    EXPECT_EQ(Shown(3)->GetX(), DrawX() + 8);
    EXPECT_EQ(Shown(3)->GetY(), 10);
}

TEST_F(LumoEditor, RightClicksFillTheGhostRingInTurn) {
    FourPictures();
    Shown(2)->SetPos(DrawX() + 40, 40);
    ASSERT_EQ(lumo2Game::kGhostCount, 3);
    for (int i = 0; i < 4; ++i) {
        RightDown(DrawX() + 42, 42);
        EXPECT_EQ(editor->GetGhostIndex(), (i + 1) % 3);
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(editor->GetGhost(i)->IsVisible());
        EXPECT_EQ(editor->GetGhost(i)->GetX(), DrawX() + 40);
        EXPECT_EQ(editor->GetGhost(i)->GetLayer(), lumo2Game::kGhostLayer);
    }
    // Right-clicking a ghost where no picture is hides it.
    Shown(2)->SetPos(DrawX() + 100, 40);
    RightDown(DrawX() + 42, 42);
    EXPECT_FALSE(editor->GetGhost(2)->IsVisible());
    EXPECT_TRUE(editor->GetGhost(0)->IsVisible());
}

TEST_F(LumoEditor, RenamingSoundNamesAndFlagsInTheAnimationWindow) {
    FourPictures();
    SelectPictures(0, {0, 1});
    Press(SDLK_RETURN, {SDLK_LCTRL});  // named after the first picture's row
    lumo2Game::Pair* anim = editor->AnimationPair();
    ASSERT_EQ(anim->Upper().RowCount(), 1);
    EXPECT_STREQ(anim->Upper().GetRow(0)->GetText(), "a.bmp");
    editor->ActivateAnimation();
    ActionManager* action = anim->Upper().GetRow(0)->GetPayload();
    ASSERT_EQ(anim->Lower(), action);

    // The last frame is selected: Shift + Space edits its sound name.
    Press(SDLK_SPACE, {SDLK_LSHIFT});
    EXPECT_EQ(editor->GetState(), lumo2Game::kSetSndName);
    Type("boom");
    Press(SDLK_KP_ENTER);
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
    EXPECT_STREQ(action->GetRow(1)->GetPayload()->GetSoundName(), "boom");
    // Ctrl + 'f' copies it, Ctrl + Shift + 'f' pastes it on another frame.
    Press(SDLK_f, {SDLK_LCTRL});
    EXPECT_STREQ(editor->CopiedSound().c_str(), "boom");
    action->ClearSelection();
    action->SelectRow(0);
    Press(SDLK_f, {SDLK_LCTRL, SDLK_LSHIFT});
    EXPECT_STREQ(action->GetRow(0)->GetPayload()->GetSoundName(), "boom");

    // Space renames the frame; Enter ends it.
    Press(SDLK_SPACE);
    EXPECT_EQ(editor->GetState(), lumo2Game::kSetName);
    Press(SDLK_KP_ENTER);  // neither ends the rename nor leaves the state
    EXPECT_EQ(editor->GetState(), lumo2Game::kSetName);
    EXPECT_TRUE(editor->AnimationPair()->IsWriting());
    Press(SDLK_BACKSPACE);
    Type("zz");
    Press(SDLK_RETURN);
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
    EXPECT_STREQ(action->GetRow(0)->GetText(), "a.bmzz");
    Press(SDLK_n, {SDLK_LCTRL});
    EXPECT_STREQ(action->GetRow(0)->GetText(), "0");

    // With the action's row selected: renumbering and the two flags.
    anim->Upper().SelectRow(0);
    action->ClearSelection();
    Press(SDLK_n, {SDLK_LCTRL});
    EXPECT_STREQ(action->GetRow(1)->GetText(), "1");
    Press(SDLK_h, {SDLK_LSHIFT});
    EXPECT_TRUE(action->Hides());
    Press(SDLK_h, {SDLK_LSHIFT});
    EXPECT_FALSE(action->Hides());
}

TEST_F(LumoEditor, PlayingShowsTheBuiltAnimationUntilAKey) {
    FourPictures();
    SelectPictures(0, {0, 1});
    Press(SDLK_RETURN);
    Press(SDLK_p, {SDLK_LCTRL});
    EXPECT_EQ(editor->GetState(), lumo2Game::kPlaying);
    ASSERT_NE(editor->GetBuilt(), nullptr);
    EXPECT_EQ(editor->GetBuilt()->GetLayer(), lumo2Game::kPlayLayer);
    EXPECT_TRUE(editor->GetBuilt()->IsPlaying());
    EXPECT_TRUE(editor->DrawnObjects().IsEmpty());
    EXPECT_TRUE(editor->ListsHidden());
    EXPECT_FALSE(std::filesystem::exists("lumo_factory/tmp.lum"));
    Press(SDLK_q);
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
    EXPECT_FALSE(editor->GetBuilt()->IsPlaying());
    // Ctrl + 'h' brings the lists back and hides the animation.
    Press(SDLK_h, {SDLK_LCTRL});
    EXPECT_FALSE(editor->ListsHidden());
    EXPECT_FALSE(editor->GetBuilt()->IsVisible());

    // An animation that ends by itself returns to "initial" too.
    Press(SDLK_p, {SDLK_LCTRL});
    ASSERT_EQ(editor->GetState(), lumo2Game::kPlaying);
    for (int i = 0; i < 4 && editor->GetState() == lumo2Game::kPlaying; ++i) editor->GetBuilt()->Tick();
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
}

TEST_F(LumoEditor, PlayDrawsTheAnimationFromItsFirstFrameWhereTheFramesAreEdited) {
    WritePicture("pics/red.bmp", 6, 6, 200, 0, 0);
    WritePicture("pics/green.bmp", 6, 6, 0, 200, 0);
    Start();
    Import("pics/", "red.bmp");
    Import("pics/", "green.bmp");
    lumo2Game::Pair* anim = editor->AnimationPair();
    // "one" holds the red picture; "two" the red, then the green one.
    for (const char* name : {"one", "two"}) {
        anim->Upper().ClearSelection();
        if (anim->Lower()) anim->Lower()->ClearSelection();
        SelectPictures(0, {0});
        Press(SDLK_RETURN);
        anim->Upper().GetRow(anim->Upper().RowCount() - 1)->SetText(name);
    }
    SelectPictures(1, {0});
    Press(SDLK_SPACE);
    editor->ShowSelection(nullptr);
    for (int a = 0; a < 2; ++a) {
        ActionManager* action = anim->Upper().GetRow(a)->GetPayload();
        for (int f = 0; f < action->RowCount(); ++f) action->GetRow(f)->GetPayload()->SetPos(30, 20);
    }
    const int x = editor->DrawArea()->GetX() + 32, y = editor->DrawArea()->GetY() + 22;
    // A delay of 2: the first frame outlasts the update that follows Play.
    Press(SDLK_d, {SDLK_LCTRL});
    editor->NumberField()->SetText("2");
    Press(SDLK_RETURN);
    editor->ActivateAnimation();
    auto play = [&](int row) {
        anim->Upper().ClearSelection();
        if (anim->Lower()) anim->Lower()->ClearSelection();
        anim->Upper().SelectRow(row);
        Press(SDLK_p, {SDLK_LCTRL});
        ASSERT_EQ(editor->GetState(), lumo2Game::kPlaying);
        scene->Frame();
    };

    play(0);  // one frame: drawn from the start
    EXPECT_EQ(ScreenAt(x, y), (loop_test::Rgb{200, 0, 0}));
    Press(SDLK_q);
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
    Press(SDLK_h, {SDLK_LCTRL});

    play(1);  // two frames: the first shows before the first change
    EXPECT_EQ(ScreenAt(x, y), (loop_test::Rgb{200, 0, 0}));
    for (int i = 0; i < 100 && editor->GetBuilt()->GetFrameNr() == 0; ++i) editor->GetBuilt()->Tick();
    scene->Frame();
    EXPECT_EQ(ScreenAt(x, y), (loop_test::Rgb{0, 200, 0}));
}

TEST_F(LumoEditor, DeleteEmptiesTheDrawWindowBeforeRowsGo) {
    FourPictures();
    SelectPictures(0, {0, 1, 2, 3});
    Press(SDLK_RETURN);
    ActionManager* action = editor->AnimationPair()->Upper().GetRow(0)->GetPayload();
    action->ClearSelection();
    action->SelectRow(1);
    action->SelectRow(2);
    editor->ActivateAnimation();
    ASSERT_EQ(editor->DrawnObjects().Count(), 2);
    const int before = scene->DrawableCount();
    Press(SDLK_DELETE);
    EXPECT_EQ(action->RowCount(), 2);
    EXPECT_EQ(scene->DrawableCount(), before - 2 + editor->DrawnObjects().Count());
    scene->Frame();  // draws with nothing left pointing at the deleted rows
}

TEST_F(LumoEditor, EveryCommandInEveryWindowIsSafeWithEmptyListsAndWithPictures) {
    Start();
    const std::vector<SDLKey> keys = {SDLK_SPACE, SDLK_RETURN, SDLK_LSHIFT, SDLK_DELETE,   SDLK_UP, SDLK_DOWN,
                                      SDLK_LEFT,  SDLK_RIGHT,  SDLK_PAGEUP, SDLK_PAGEDOWN, SDLK_l,  SDLK_b,
                                      SDLK_h,     SDLK_s,      SDLK_p,      SDLK_d,        SDLK_m,  SDLK_r,
                                      SDLK_n,     SDLK_f,      SDLK_a,      SDLK_1,        SDLK_c,  SDLK_v};
    const std::vector<std::vector<SDLKey>> mods = {
        {}, {SDLK_LCTRL}, {SDLK_LSHIFT}, {SDLK_LCTRL, SDLK_LSHIFT}, {SDLK_RSHIFT}, {SDLK_SPACE}};
    auto everything = [&] {
        for (int window = 0; window < 3; ++window) {
            for (SDLKey key : keys)
                for (const auto& held : mods) {
                    Press(key, held);
                    // Leave whatever state the key entered.
                    if (editor->GetState() != lumo2Game::kInitial) Press(SDLK_ESCAPE);
                    if (editor->GetState() != lumo2Game::kInitial) Press(SDLK_RETURN);
                    ASSERT_EQ(editor->GetState(), lumo2Game::kInitial)
                        << "key " << key << " in window " << window;
                }
            Press(SDLK_TAB);
            scene->Frame();
        }
    };
    everything();
    FourPictures();
    SelectPictures(0, {1, 2});
    Press(SDLK_RETURN);
    everything();
}

TEST_F(LumoEditor, QuitEndsTheLoopAndStoresThePathAndFileFields) {
    folder.Write("lumo_factory/txtpath", "anim/\n");
    editor = std::make_unique<lumo2Game>();
    loop_test::FakeEvents::Frame frame;
    frame.before = [this] {
        EXPECT_STREQ(editor->PathField()->GetText(), "anim/");
        editor->FileField()->SetText("walk.lum");
    };
    events.frames.push_back(frame);
    EXPECT_STREQ(editor->Run(), "exit");
    EXPECT_EQ(ReadText("lumo_factory/txtpath"), "anim/");
    EXPECT_EQ(ReadText("lumo_factory/txtfile"), "walk.lum");
    EXPECT_EQ(editor->PathField(), nullptr);
    EXPECT_EQ(scene->DrawableCount(), 0);
}

TEST_F(LumoEditor, StoppingKeepsThePathAndFileEvenWithoutTheFactoryFolder) {
    std::filesystem::remove_all("lumo_factory");
    Start();
    editor->PathField()->SetText("anim/");
    editor->FileField()->SetText("walk.lum");
    editor->OnStop();
    EXPECT_EQ(ReadText("lumo_factory/txtpath"), "anim/");
    EXPECT_EQ(ReadText("lumo_factory/txtfile"), "walk.lum");

    // Where the folder cannot be made, the editor says so on one line.
    std::filesystem::remove_all("lumo_factory");
    folder.Write("lumo_factory", "");
    Start();
    testing::internal::CaptureStdout();
    editor->OnStop();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "lumo: the path and file name cannot be kept in lumo_factory/\n");
}

}  // namespace
