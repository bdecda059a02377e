// The walk-path editor driven with the mouse and keys: building a graph,
// removing, depths, ids, prompts, saving and loading, previews and the
// game-kind loop.
#include <filesystem>

#include "graphics/filter.h"
#include "graphics/text.h"
#include "path_builder_fixture.h"
#include "shell/game_kinds.h"
#include "shell/menu.h"
#include "tools/file_loader.h"
#include "tools/lumo_game.h"
#include "tools/path_builder.h"

namespace ptb_test {
namespace {

TEST_F(PathBuilderTest, StartsInitialWithHiddenWidgetsAndStopsLeavingTheSceneAsItWas) {
    const int before = scene->DrawableCount();
    Start();
    EXPECT_EQ(State(), "initial");
    EXPECT_STREQ(editor->GetStateText()->GetText(), "initial");
    EXPECT_EQ(editor->GetActiveVertex(), -1);
    EXPECT_FALSE(editor->GetMenu()->IsVisible());
    EXPECT_FALSE(editor->GetIdField()->IsVisible());
    EXPECT_FALSE(editor->GetPathBox()->IsVisible());
    EXPECT_FALSE(editor->GetDepthPanel().IsVisible());
    EXPECT_GT(scene->DrawableCount(), before);
    editor->OnStop();
    EXPECT_EQ(scene->DrawableCount(), before);
    // each box left its memory file behind
    EXPECT_TRUE(std::filesystem::exists(pathbuilderGame::kPathMemory));
}

TEST_F(PathBuilderTest, ClicksBuildAnEdgeChainAndConnectToExistingVertices) {
    Start();
    Press('v');
    EXPECT_EQ(State(), "adding/removing v/e");
    LeftClick(100, 100);
    EXPECT_EQ(State(), "active add");
    EXPECT_EQ(editor->GetActiveVertex(), 0);
    LeftClick(200, 100);
    LeftClick(200, 200);
    // within 10 of vertex 0: joined to it, no new vertex
    LeftClick(106, 108);
    ASSERT_EQ(View().GetVertexCount(), 3);
    ddGraph& g = View().GetGraph();
    EXPECT_TRUE(g.IsConnected(0, 1));
    EXPECT_TRUE(g.IsConnected(1, 2));
    EXPECT_TRUE(g.IsConnected(2, 0));
    EXPECT_EQ(g.GetVertex(0)->EdgeCount(), 2);
    EXPECT_EQ(editor->GetActiveVertex(), 0);
    EXPECT_EQ(View().GetLineLayer().Count(), 3);

    // the rubber line follows the pointer from the active vertex, fading to 255
    MoveTo(150, 150);
    EXPECT_FALSE(editor->GetRubberLine().IsEmpty());
    EXPECT_EQ(editor->GetRubberLine().GetGradientStart(), 127);
    EXPECT_EQ(editor->GetRubberLine().GetGradientEnd(), 255);
    EXPECT_EQ(editor->GetMouseText()->GetText(), std::string("150,150"));

    // Esc ends the chain, the next click starts a new one
    Press(SDLK_ESCAPE);
    EXPECT_EQ(State(), "adding/removing v/e");
    EXPECT_TRUE(editor->GetRubberLine().IsEmpty());
    LeftClick(300, 300);
    EXPECT_EQ(editor->GetActiveVertex(), 3);
    RightClick(0, 0);  // a right click ends it too
    EXPECT_EQ(State(), "adding/removing v/e");
    EXPECT_EQ(g.GetVertex(3)->EdgeCount(), 0);
}

TEST_F(PathBuilderTest, RightClickRemovesTheNearVertexAndTheEdgeUnderThePointer) {
    Start();
    Press('v');
    LeftClick(100, 100);
    LeftClick(300, 100);
    Press(SDLK_ESCAPE);
    LeftClick(200, 40);
    Press(SDLK_ESCAPE);
    // vertex 3 lies on the line from 0 to 1
    LeftClick(200, 100);
    Press(SDLK_ESCAPE);
    ASSERT_EQ(View().GetVertexCount(), 4);
    ddGraph& g = View().GetGraph();

    RightClick(200, 65);  // 25 from vertex 2: nothing
    EXPECT_NE(g.GetVertex(2), nullptr);
    RightClick(200, 55);  // 15 from vertex 2: removed
    EXPECT_EQ(g.GetVertex(2), nullptr);

    ASSERT_TRUE(g.IsConnected(0, 1));
    RightClick(200, 100);  // vertex 3, and then the edge its square sat on
    EXPECT_EQ(g.GetVertex(3), nullptr);
    EXPECT_FALSE(g.IsConnected(0, 1));
    EXPECT_TRUE(View().GetLineLayer().IsEmpty());
    EXPECT_EQ(g.GetCount(), 4);

    // the next vertex takes the first empty slot
    LeftClick(400, 400);
    EXPECT_EQ(editor->GetActiveVertex(), 2);
}

TEST_F(PathBuilderTest, SavingWritesTheGraphRelativeToTheBackgroundAndReloads) {
    Start();
    Press('v');
    LeftClick(100, 120);
    LeftClick(150, 120);
    Press(SDLK_ESCAPE);
    // pan everything by (+20, +10) with Space held
    MoveTo(300, 300);
    Modifiers(false, false, true);
    LeftDown(300, 300);
    EXPECT_EQ(State(), "moving all");
    MoveTo(320, 310);
    Modifiers(false);
    LeftUp(320, 310);
    EXPECT_EQ(State(), "adding/removing v/e");
    EXPECT_EQ(Vertex(0)->GetX(), 120);
    EXPECT_EQ(editor->GetBackground().GetPosX(), 20);
    EXPECT_EQ(editor->GetMouseText()->GetText(), std::string("300,300"));

    Prompt('s', "room.ptf");
    EXPECT_EQ(State(), "initial");
    EXPECT_EQ(Vertex(0)->GetX(), 100) << "saving brings the background back to its origin first";
    EXPECT_EQ(ReadFile("room.ptf"),
              "<>\n\t<graph> 2\n\t</graph>\n\t<vertex> \n\t\t<v> 0 100 120 0.000000 0\n\t\t</v>\n"
              "\t\t<v> 1 150 120 0.000000 0\n\t\t</v>\n\t</vertex>\n\t<edge> \n\t\t<e> 0 1\n\t\t</e>\n"
              "\t\t<e> 1 0\n\t\t</e>\n\t</edge>\n</>\n")
        << ReadFile("room.ptf");

    ddWalkGraph back;
    back.LoadGraph("room.ptf");
    ASSERT_EQ(back.GetVertexCount(), 2);
    EXPECT_EQ(back.GetPathVertex(1)->GetX(), 150);
    EXPECT_TRUE(back.GetGraph().IsConnected(0, 1));

    // loading through the editor replaces what is being edited
    Press('v');
    LeftClick(500, 400);
    Prompt('o', "room.ptf");
    EXPECT_EQ(View().GetVertexCount(), 2);
    EXPECT_EQ(Vertex(1)->GetX(), 150);
    EXPECT_EQ(View().GetLineLayer().Count(), 1);
    // the prompt's text is remembered in its memory file at the end
    editor.reset();
    EXPECT_EQ(ReadFile(pathbuilderGame::kPathMemory), "room.ptf");
}

TEST_F(PathBuilderTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
    Start();
    Press('v');
    LeftClick(10, 10);
    folder.Write("keep.ptf", "old graph\n");
    // the writer's temporary file cannot be made beside the target
    std::filesystem::create_directory("keep.ptf.tmp" + std::to_string(getpid()));
    testing::internal::CaptureStdout();
    Prompt('s', "keep.ptf");
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(ReadFile("keep.ptf"), "old graph\n");
    EXPECT_NE(said.find("keep.ptf"), std::string::npos) << said;
    EXPECT_NE(said.find("not saved"), std::string::npos) << said;
}

TEST_F(PathBuilderTest, LoadingANameWithoutAGraphKeepsTheGraphBeingEdited) {
    Start();
    Press('v');
    LeftClick(10, 10);
    folder.Write("broken.ptf", "<x><graph> -4</graph></x>\n");
    testing::internal::CaptureStdout();
    Prompt('o', "missing.ptf");
    Prompt('o', "broken.ptf");
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(View().GetVertex(0), nullptr);
    EXPECT_NE(said.find("no walk path graph in missing.ptf"), std::string::npos) << said;
    EXPECT_NE(said.find("no walk path graph in broken.ptf"), std::string::npos) << said;
}

TEST_F(PathBuilderTest, EscInAPromptBringsBackTheTextItHadWhenOpened) {
    Start();
    Prompt('s', "first.ptf");
    Press('o', true);
    EXPECT_EQ(State(), "load path");
    EXPECT_TRUE(editor->GetPathBox()->IsVisible());
    Type("xyz");
    EXPECT_STREQ(editor->GetPathBox()->GetText(), "first.ptfxyz");
    // letters typed into the box are not commands
    EXPECT_EQ(State(), "load path");
    Press(SDLK_ESCAPE);
    EXPECT_EQ(State(), "initial");
    EXPECT_STREQ(editor->GetPathBox()->GetText(), "first.ptf");
    EXPECT_FALSE(editor->GetPathBox()->IsVisible());
    EXPECT_EQ(editor->GetInputFocus(), nullptr);
}

TEST_F(PathBuilderTest, ShiftSpreadsDepthsOverTheSelectionBetweenTheKnobs) {
    Start();
    Press('v');
    for (int y : {100, 150, 200}) {
        LeftClick(100, y);
        Press(SDLK_ESCAPE);
    }
    Press('z');
    EXPECT_EQ(State(), "zooming");
    EXPECT_TRUE(editor->GetDepthPanel().IsVisible());
    // a rectangle round all three: the lowest first
    LeftDown(50, 50);
    EXPECT_EQ(State(), "moving rect");
    MoveTo(150, 250);
    EXPECT_EQ(editor->GetSelection().size(), 3u);
    EXPECT_EQ(editor->GetMarkers().Count(), 3);
    LeftUp(150, 250);
    EXPECT_EQ(State(), "set vertex");
    EXPECT_EQ(editor->GetSelection(), (std::vector<int>{2, 1, 0}));

    ddCanvas* track = editor->GetTrack(0);
    const int top = track->GetPosY();
    // knobs at 0 and 254: the first by clicking the track, the second by dragging it
    ddCanvas* knob2 = editor->GetKnob(1);
    LeftClick(knob2->GetPosX() + 2, knob2->GetPosY() + 1);
    EXPECT_EQ(State(), "set vertex");
    const int trackX = track->GetPosX() + 2;
    LeftClick(trackX, top - 40);  // above the track: no hit
    LeftClick(trackX, top + 3);
    EXPECT_EQ(editor->GetActiveKnob(), editor->GetKnob(0));
    Press(SDLK_UP);
    Press(SDLK_UP);
    Press(SDLK_UP);  // clamped at the top
    EXPECT_EQ(editor->KnobValue(editor->GetKnob(0)), 0);
    EXPECT_STREQ(editor->GetValueText(0)->GetText(), "0");

    LeftDown(knob2->GetPosX() + 2, knob2->GetPosY() + 1);
    EXPECT_EQ(State(), "suwaking");
    MoveTo(knob2->GetPosX() + 2, top + 400);
    EXPECT_EQ(editor->KnobValue(knob2), 254);
    // with Shift the release spreads values 0, 84 and 169 over the selection
    input.keys[SDLK_LSHIFT] = 1;
    LeftUp(knob2->GetPosX() + 2, top + 400);
    input.keys[SDLK_LSHIFT] = 0;
    EXPECT_EQ(State(), "set vertex");
    EXPECT_FLOAT_EQ(Vertex(2)->GetDepth(), -1.0f);
    EXPECT_NEAR(Vertex(1)->GetDepth(), -0.3386, 1e-3);
    EXPECT_NEAR(Vertex(0)->GetDepth(), 0.3307, 1e-3);
    EXPECT_STREQ(editor->GetValueText(1)->GetText(), "254");

    // without Shift every selected vertex takes the active knob's value
    Press(SDLK_LEFT);
    EXPECT_EQ(editor->KnobValue(knob2), 244);
    for (int i : {0, 1, 2}) EXPECT_FLOAT_EQ(Vertex(i)->GetDepth(), (244.0f - 127.0f) / 127.0f);
    // vertices are shaded by the new depth
    const int shade = ddbuildedptf::DepthToShade(Vertex(0)->GetDepth());
    EXPECT_EQ(static_cast<pathfpoint*>(View().GetPointLayer().At(0))->GetFillR(), shade);

    // entering the state again places the knobs by the first and last selected
    Press('z');
    RightClick(100, 200);
    EXPECT_EQ(State(), "set vertex");
    EXPECT_EQ(editor->GetSelection(), (std::vector<int>{2}));
    EXPECT_EQ(editor->KnobValue(editor->GetKnob(0)), shade);
    EXPECT_EQ(editor->KnobValue(editor->GetKnob(1)), shade);
}

TEST_F(PathBuilderTest, DraggingSelectedVerticesMovesThemTogether) {
    Start();
    Press('v');
    LeftClick(100, 100);
    LeftClick(200, 100);
    Press(SDLK_ESCAPE);
    Press('z');
    LeftDown(100, 100);
    EXPECT_EQ(State(), "moving vertex");
    MoveTo(110, 130);
    MoveTo(115, 140);
    LeftUp(115, 140);
    EXPECT_EQ(State(), "zooming");
    EXPECT_EQ(Vertex(0)->GetX(), 115);
    EXPECT_EQ(Vertex(0)->GetY(), 140);
    EXPECT_EQ(Vertex(1)->GetX(), 200);

    // left Ctrl adds to the selection
    LeftDown(115, 140);
    LeftUp(115, 140);
    Modifiers(true);
    LeftDown(200, 100);
    Modifiers(false);
    EXPECT_EQ(editor->GetSelection(), (std::vector<int>{0, 1}));
    MoveTo(205, 90);
    LeftUp(205, 90);
    EXPECT_EQ(Vertex(0)->GetX(), 120);
    EXPECT_EQ(Vertex(1)->GetY(), 90);

    // a vertex removed while selected leaves the selection
    Press('v');
    RightClick(120, 130);
    Press('z');
    Modifiers(true);
    LeftDown(205, 90);
    Modifiers(false);
    EXPECT_EQ(editor->GetSelection(), (std::vector<int>{1}));
    MoveTo(215, 90);
    LeftUp(215, 90);
    EXPECT_EQ(Vertex(1)->GetX(), 215);
}

TEST_F(PathBuilderTest, IdsAreTypedIntoTheFieldOverTheChosenVertex) {
    Start();
    Press('v');
    LeftClick(100, 100);
    Press(SDLK_ESCAPE);
    Press('p');
    EXPECT_EQ(State(), "set idpath");
    EXPECT_TRUE(View().LabelsShown());
    LeftClick(300, 300);  // nothing there
    EXPECT_EQ(State(), "set idpath");
    EXPECT_EQ(editor->GetActiveVertex(), -1);
    LeftClick(103, 98);
    EXPECT_EQ(State(), "write idpath");
    EXPECT_TRUE(editor->GetIdField()->IsVisible());
    EXPECT_TRUE(editor->HasInputFocus(editor->GetIdField()));
    EXPECT_STREQ(editor->GetIdField()->GetText(), "0");
    Press(SDLK_BACKSPACE);
    Type("42");
    // commands do not work while typing
    Press('h', true);
    EXPECT_FALSE(editor->GetMenu()->IsVisible());
    Press(SDLK_RETURN);
    EXPECT_EQ(State(), "set idpath");
    EXPECT_EQ(Vertex(0)->GetId(), 42);
    EXPECT_STREQ(static_cast<pathfpoint*>(View().GetPointLayer().At(0))->GetLabel(), "42");

    LeftClick(100, 100);
    Type("7");
    Press(SDLK_ESCAPE);
    EXPECT_EQ(State(), "set idpath");
    EXPECT_EQ(Vertex(0)->GetId(), 42);
}

TEST_F(PathBuilderTest, CtrlTogglesOncePerPressAndSwallowsOtherLetters) {
    Start();
    for (int key : {'v', 'z', 'p'}) {
        Press(key);
        const std::string state = State();
        Press('h', true);
        EXPECT_TRUE(editor->GetMenu()->IsVisible()) << state;
        Press('h', true);
        EXPECT_FALSE(editor->GetMenu()->IsVisible()) << state;
        Press('i', true);
        EXPECT_FALSE(editor->GetPreviewsLayer().IsVisible()) << state;
        Press('i', true);
        EXPECT_TRUE(editor->GetPreviewsLayer().IsVisible()) << state;
        // left Ctrl with 'v' is swallowed: no state change
        Press('v', true);
        EXPECT_EQ(State(), state);
    }
    Press('q');
    EXPECT_EQ(State(), "set idpath");
    Press(SDLK_ESCAPE);
    EXPECT_EQ(State(), "initial");
}

TEST_F(PathBuilderTest, MenuItemsRunTheirCommands) {
    Start();
    Press('h', true);
    ASSERT_TRUE(editor->GetMenu()->IsVisible());
    LeftClick(10, 5);  // "game"
    EXPECT_TRUE(editor->GetMenu()->IsOpen("game"));
    LeftClick(10, 18 + 5);  // "addrem"
    EXPECT_EQ(State(), "adding/removing v/e");
    Press(SDLK_ESCAPE);
    LeftClick(10, 5);
    LeftClick(10, 4 * 18 + 5);  // "loadpt"
    EXPECT_EQ(State(), "load path");
    Press(SDLK_ESCAPE);
    // a click outside collapses the menu
    LeftClick(10, 5);
    LeftClick(400, 400);
    EXPECT_FALSE(editor->GetMenu()->IsOpen("game"));
    LeftClick(10, 5);
    LeftClick(10, 8 * 18 + 5);  // "exit"
    EXPECT_FALSE(editor->IsRunning());
    EXPECT_STREQ(editor->GetNextAction(), "exit");
}

TEST_F(PathBuilderTest, PreviewsStandAtEveryVertexScaledByDepth) {
    WritePicture("walker.bmp", 8, 12, 200, 10, 10);
    WriteAnimation("walker.lum", "walker.bmp");
    Start();
    Press('v');
    LeftClick(100, 100);
    LeftClick(200, 150);
    Press(SDLK_ESCAPE);
    LeftClick(300, 200);
    Press(SDLK_ESCAPE);
    RightClick(200, 150);  // slot 1 is empty now
    Prompt('k', "walker.lum");
    ASSERT_EQ(editor->GetPreviewCount(), 2);
    EXPECT_EQ(editor->GetPreviewsLayer().Count(), 2);
    EXPECT_EQ(editor->GetPreview(1), nullptr);
    Animacja* p = editor->GetPreview(2);
    EXPECT_EQ(p->GetPosX(), 300);
    EXPECT_EQ(p->GetLayer(), 230);
    EXPECT_DOUBLE_EQ(editor->GetPreviewFilter(2)->GetZoomX(), 1.0);
    EXPECT_EQ(editor->GetPreviewFilter(2)->GetLinked(), p);

    // A vertex added later has one at once; one removed takes its own.
    Press('v');
    LeftClick(500, 260);  // into the empty slot 1
    ASSERT_NE(editor->GetPreview(1), nullptr);
    EXPECT_EQ(editor->GetPreview(1)->GetPosX(), 500);
    Press(SDLK_ESCAPE);
    RightClick(100, 100);
    EXPECT_EQ(editor->GetPreviewsLayer().Count(), 2);
    Press(SDLK_ESCAPE);

    // depth -1 never zooms to 0
    Press('z');
    RightClick(300, 200);
    ddCanvas* track = editor->GetTrack(0);
    LeftClick(track->GetPosX() + 2, track->GetPosY());
    EXPECT_FLOAT_EQ(Vertex(2)->GetDepth(), -1.0f);
    EXPECT_NEAR(editor->GetPreviewFilter(2)->GetZoomX(), 0.01, 1e-9);

    // closing through the menu
    Press(SDLK_ESCAPE);
    Press('h', true);
    LeftClick(100, 5);           // "anima"
    LeftClick(100, 2 * 18 + 5);  // "closean"
    EXPECT_EQ(editor->GetPreviewCount(), 0);
    EXPECT_TRUE(editor->GetPreviewsLayer().IsEmpty());
}

TEST_F(PathBuilderTest, BackgroundsComeFromPicturesOrAnimationDefinitions) {
    WritePicture("room.bmp", 30, 20, 10, 200, 10);
    WritePicture("first.bmp", 9, 7, 10, 10, 200);
    WriteAnimation("scene.lum", "first.bmp");
    Start();
    Prompt('l', "room.bmp");
    EXPECT_EQ(editor->GetBackground().GetWidth(), 30);
    EXPECT_EQ(editor->GetBackground().GetLayer(), -10);
    Prompt('l', "scene.lum");
    EXPECT_EQ(editor->GetBackground().GetWidth(), 9);
    EXPECT_EQ(editor->GetBackground().GetHeight(), 7);
    EXPECT_EQ(editor->GetBackground().GetLayer(), -10);
}

// A chord typed within one frame, its four key events polled together:
// the modifier the key event records decides, not the keyboard's state by
// the time the event is handled.
std::vector<SDL_Event> Chord(SDLKey modifier, int mod, SDLKey key) {
    return {loop_test::Key(SDL_KEYDOWN, modifier), loop_test::Key(SDL_KEYDOWN, key, mod),
            loop_test::Key(SDL_KEYUP, key, mod), loop_test::Key(SDL_KEYUP, modifier)};
}

TEST_F(PathBuilderTest, ChordsTypedWithinOneFrameAreReadFromTheirKeyEvents) {
    // Ctrl+l in the walk-path editor; then Esc, and Alt+F4 ends the loop
    // before the frame with 'v'.
    std::string opened;
    std::vector<SDL_Event> closing = Chord(SDLK_LALT, KMOD_LALT, SDLK_F4);
    closing.insert(closing.begin(), loop_test::Key(SDL_KEYDOWN, SDLK_ESCAPE));
    events.frames = {{Chord(SDLK_LCTRL, KMOD_LCTRL, SDLK_l), {}},
                     {closing, [&] { opened = State(); }},
                     {{loop_test::Key(SDL_KEYDOWN, SDLK_v)}, {}}};
    editor = std::make_unique<pathbuilderGame>();
    EXPECT_STREQ(editor->Run(), "exit");
    EXPECT_EQ(opened, "loading bkg");
    EXPECT_EQ(State(), "initial");
    EXPECT_EQ(events.framesStarted, 2);

    // Ctrl+s in the animation editor.
    events = loop_test::FakeEvents{};
    int lumoState = -1;
    auto lumo = std::make_unique<lumo2Game>();
    events.frames = {{Chord(SDLK_LCTRL, KMOD_LCTRL, SDLK_s), {}},
                     {{}, [&] { lumoState = lumo->GetState(); }}};
    lumo->Run();
    EXPECT_STREQ(lumo2Game::StateName(lumoState), "saving");
}

TEST_F(PathBuilderTest, TheGameKindLoopRunsTheEditorWithTheViewAtTheOrigin) {
    video.AppOffsetX = 30;
    video.AppOffsetY = 40;
    const int before = scene->DrawableCount();
    // 'v', then a click at (100, 100) and one at (160, 100), then Ctrl+s
    // with a name, then the quit event
    events.frames.push_back({{loop_test::Key(SDL_KEYDOWN, SDLK_v)}, [this] { input.keys[SDLK_v] = 1; }});
    events.frames.push_back({{}, [this] {
                                 input.keys[SDLK_v] = 0;
                                 input.mouseX = 100;
                                 input.mouseY = 100;
                             }});
    events.frames.push_back({{loop_test::Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 100),
                              loop_test::Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 100, 100)},
                             {}});
    events.frames.push_back({{}, [this] { input.mouseX = 160; }});
    events.frames.push_back({{loop_test::Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 160, 100),
                              loop_test::Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 160, 100)},
                             {}});
    events.frames.push_back({{loop_test::Key(SDL_KEYDOWN, SDLK_s, KMOD_LCTRL)}, [this] {
                                 input.keys[SDLK_LCTRL] = 1;
                                 input.keys[SDLK_s] = 1;
                             }});
    std::vector<SDL_Event> typed;
    for (char c : std::string("a.ptf")) {
        SDL_Event e = loop_test::Key(SDL_KEYDOWN, static_cast<SDLKey>(c));
        e.key.keysym.unicode = static_cast<Uint16>(c);
        typed.push_back(e);
    }
    typed.push_back(loop_test::Key(SDL_KEYDOWN, SDLK_RETURN));
    events.frames.push_back({typed, [this] {
                                 input.keys[SDLK_LCTRL] = 0;
                                 input.keys[SDLK_s] = 0;
                             }});
    const GameKind kinds[] = {{"ptbuilder", RunPathBuilderKind}};
    RunGameKinds(kinds, "ptbuilder");
    EXPECT_EQ(GraphAPI::CurrentVideo().AppOffsetX, 0);
    EXPECT_EQ(GraphAPI::CurrentVideo().AppOffsetY, 0);
    EXPECT_EQ(scene->DrawableCount(), before);
    ddWalkGraph back;
    back.LoadGraph("a.ptf");
    ASSERT_EQ(back.GetVertexCount(), 2);
    EXPECT_EQ(back.GetPathVertex(0)->GetX(), 100);
    EXPECT_EQ(back.GetPathVertex(1)->GetX(), 160);
    EXPECT_TRUE(back.GetGraph().IsConnected(0, 1));
}

}  // namespace
}  // namespace ptb_test

namespace ptb_test {
namespace {

TEST_F(PathBuilderTest, MissingOrEmptyFileNamesChangeNothingAndNeverCrash) {
    Start();
    Press('v');
    LeftClick(50, 50);
    LeftClick(90, 50);
    Press(SDLK_ESCAPE);
    testing::internal::CaptureStdout();
    Prompt('k', "nowhere.lum");
    Prompt('l', "nowhere.png");
    Prompt('l', "lum");
    Prompt('s', "");
    Prompt('s', "no/such/folder/x.ptf");
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("walk path graph not saved to no/such/folder/x.ptf"), std::string::npos) << said;
    EXPECT_EQ(View().GetVertexCount(), 2);
    // the previews of an unreadable definition are there but empty; moving
    // and depths still reach them safely
    Press('z');
    LeftDown(50, 50);
    MoveTo(60, 70);
    LeftUp(60, 70);
    EXPECT_EQ(Vertex(0)->GetY(), 70);
    Press(SDLK_ESCAPE);
    Press('h', true);
    LeftClick(100, 5);
    LeftClick(100, 2 * 18 + 5);
    EXPECT_EQ(editor->GetPreviewCount(), 0);
    editor->OnStop();
    editor->OnStop();  // a second stop finds nothing left to do
}

}  // namespace
}  // namespace ptb_test
