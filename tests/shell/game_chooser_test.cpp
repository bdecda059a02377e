// The start menu game kind, driven through the input and event seams.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "common/run_process.h"
#include "loop_fixture.h"
#include "shell/game_chooser.h"
#include "shell/game_kinds.h"
#include "shell/menu.h"

namespace loop_test {
namespace {

// Items 60 x 20 from (0, 0) downwards: a heading, then the game kinds.
const char* kChooserMenu =
    "<def><size> 60 20</size>\n"
    "<menu> 0 0 bottom\n"
    "\t<title> Choose right right</title>\n"
    "\t<asmgame> Play right right</asmgame>\n"
    "\t<ptbuilder> Paths right right</ptbuilder>\n"
    "\t<exit> Quit right right</exit>\n"
    "</menu></def>\n";

// Kinds the chooser may offer; only the chooser runs in this test program.
std::string Unused(GameKinds) {
    ADD_FAILURE() << "only the chooser runs here";
    return "exit";
}
constexpr GameKind kKinds[] = {{"asmgame", Unused},
                               {"lumo", Unused},
                               {"ptbuilder", Unused},
                               {"gamechooser", RunGameChooserKind}};

class Chooser : public LoopTest {
protected:
    void SetUp() override {
        LoopTest::SetUp();
        char buf[4096];
        oldDir = getcwd(buf, sizeof buf) ? buf : ".";
        ASSERT_EQ(chdir(folder.Path().c_str()), 0);
    }
    void TearDown() override {
        if (chdir(oldDir.c_str()) != 0) ADD_FAILURE() << "cannot go back to " << oldDir;
        LoopTest::TearDown();
    }

    // A press and release of the given button at (x, y), after a frame that
    // lets the mouse get there.
    void ClickAt(int x, int y, int button = SDL_BUTTON_LEFT) {
        events.frames.push_back({{}, [this, x, y] {
                                     input.mouseX = x;
                                     input.mouseY = y;
                                 }});
        events.frames.push_back(
            {{Button(SDL_MOUSEBUTTONDOWN, button, x, y), Button(SDL_MOUSEBUTTONUP, button, x, y)}, {}});
    }

    // Runs the chooser on `kinds` until its run ends; the kind it chose.
    std::string RunChooser(GameKinds kinds = kKinds) {
        GameChooser chooser(kinds);
        chooser.Run();
        return chooser.Chosen();
    }

    TempFolder folder;
    std::string oldDir;
};

TEST_F(Chooser, ClickingAGameKindChoosesItAndEndsTheRun) {
    folder.Write("configs/progs/menu.db", kChooserMenu);
    const int drawables = scene->DrawableCount();
    for (auto [y, kind] : {std::pair{30, "asmgame"}, {50, "ptbuilder"}, {70, "exit"}}) {
        events = FakeEvents();
        ClickAt(10, y);
        // More frames than needed: the run must end on the click, before the quit.
        ClickAt(10, y);
        EXPECT_EQ(RunChooser(), kind);
        EXPECT_EQ(events.framesStarted, 2) << kind;
    }
    EXPECT_EQ(scene->DrawableCount(), drawables) << "the menu and the canvas left the scene";
}

TEST_F(Chooser, OtherItemsOutsideClicksRightButtonAndKeysChooseNothing) {
    folder.Write("configs/progs/menu.db", kChooserMenu);
    ClickAt(100, 100);                  // outside: nothing
    ClickAt(10, 30, SDL_BUTTON_RIGHT);  // right button: nothing
    events.frames.push_back({{Key(SDL_KEYDOWN, SDLK_a), Key(SDL_KEYUP, SDLK_a)}, {}});
    ClickAt(10, 10);  // the heading: ends without a choice
    ClickAt(10, 30);
    EXPECT_EQ(RunChooser(), "exit");
    EXPECT_EQ(events.framesStarted, 7);
}

TEST_F(Chooser, TheGameKindLoopRunsTheChooserAndWhatItChose) {
    folder.Write("configs/progs/menu.db", kChooserMenu);
    ClickAt(10, 70);
    RunGameKinds(kKinds, "gamechooser");
    EXPECT_EQ(events.framesStarted, 2);

    // A kind the table does not list, or the chooser itself, is no choice:
    // the program ends after the chooser.
    const GameKind chooserOnly[] = {{"gamechooser", RunGameChooserKind}};
    events = FakeEvents();
    ClickAt(10, 50);
    EXPECT_EQ(RunChooser(chooserOnly), "exit");
    events = FakeEvents();
    ClickAt(10, 50);
    RunGameKinds(chooserOnly, "gamechooser");
    EXPECT_EQ(events.framesStarted, 2);
    folder.Write("configs/progs/menu.db",
                 "<def><size> 60 20</size>\n<menu> 0 0 bottom\n"
                 "\t<gamechooser> Again right right</gamechooser>\n</menu></def>\n");
    events = FakeEvents();
    ClickAt(10, 10);
    EXPECT_EQ(RunChooser(), "exit");
}

TEST_F(Chooser, AMissingMenuFileEndsTheRunWithAMessage) {
    ProcessResult r = RunInChild([this] {
        const std::string chosen = RunChooser();
        return events.framesStarted == 0 && chosen == "exit" ? 0 : 3;
    });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "gamechooser: no menu items in configs/progs/menu.db\n");
}

}  // namespace
}  // namespace loop_test
