// The finished game of docs/tutorial.md, games/tutorial/, played the way
// the tutorial tells, in a copy of the game's folder with the player's
// clicks and keys (play_fixture.h). What the game prints is what the
// tutorial shows the player; what it keeps in saves/ is what the next run
// of the same folder finds.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "manual_text.h"
#include "play_fixture.h"

namespace fs = std::filesystem;

namespace {

using manual::ReadFile;

// A copy of games/tutorial with the font that build.sh puts there, without
// what a game played in the repository's folder may have kept there.
class TutorialGame : public ::testing::Test {
protected:
    void SetUp() override { fs::remove_all(game / "saves"); }

    play::GameFolder game{fs::path(ENGINE_SOURCE_DIR) / "games" / "tutorial"};
    play::Player hands;
};

// The position in `out` just after the first `what` from `from` on, or npos.
size_t After(const std::string& out, const std::string& what, size_t from = 0) {
    const size_t at = out.find(what, from);
    return at == std::string::npos ? at : at + what.size();
}

std::string Trimmed(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t");
    return b == std::string::npos ? "" : s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

int NumberAfter(const std::string& out, const std::string& what, size_t from = 0) {
    const size_t at = After(out, what, from);
    return at == std::string::npos ? -1 : std::atoi(out.c_str() + at);
}

TEST_F(TutorialGame, TheRobotWalksTheBellRingsTheClockCountsAndTheMenuAndTableWork) {
    hands.Wait(3).Click(600, 500).Wait(200);  // the floor: the robot walks to the nearest point, (550, 540)
    hands.Click(150, 300).Click(750, 50).Wait(20);    // the wall: nothing; then the bell
    hands.Press(SDLK_m).Click(40, 28).Press(SDLK_m);  // M hides the menu, a click misses it, M again
    hands.Click(40, 28).Wait(100);                    // "Pause clock"
    hands.Click(40, 47).Wait(100);                    // "Go on"
    hands.Click(40, 66).Wait(40);                     // "Reset clock"
    hands.Press(SDLK_ESCAPE).EndsHere().Wait(10);     // ends the game in the key's frame

    ProcessResult r = play::Play(game, hands);
    ASSERT_EQ(r.exitCode, 0) << r.out;
    const std::string& out = r.out;

    // The door, the table on the board and the bag, then the room is ready.
    EXPECT_EQ(out.find(
                  "\nstring line: the door is closed\n\nstring line: Best walkers\nAda: 120\nBo: 95\nCy: 60\n"
                  "\nstring bagline: carrying: nothing\n"),
              0u)
        << out;
    const size_t ready = After(out, "\nstring line: the room is ready\n");
    ASSERT_NE(ready, std::string::npos) << out;

    const size_t walking = After(out, "\nstring line: walking to 600 500\n", ready);
    ASSERT_NE(walking, std::string::npos) << out;
    int x = -1, y = -1;
    const size_t arrived = After(out, "\nstring line: arrived at ", walking);
    ASSERT_NE(arrived, std::string::npos) << out;
    ASSERT_EQ(std::sscanf(out.c_str() + arrived, "%d %d", &x, &y), 2) << out;
    // The last step may carry it a little past the point.
    EXPECT_NEAR(x, 550, 8);
    EXPECT_EQ(y, 540);
    EXPECT_EQ(out.find("walking to", walking), std::string::npos) << "only the floor walks: " << out;

    const size_t ding = After(out, "\nstring line: ding! playing: 1\n", arrived);
    ASSERT_NE(ding, std::string::npos) << out;

    // The clock counted the seconds of the stepped clock, stood still while
    // paused and started again from 0 when reset.
    EXPECT_EQ(out.find("Pause clock"), out.rfind("Pause clock")) << "the hidden menu took a click: " << out;
    const int paused = NumberAfter(out, "\nstring line: Pause clock at ", ding);
    const int resumed = NumberAfter(out, "\nstring line: Go on at ", ding);
    const int reset = NumberAfter(out, "\nstring line: Reset clock at ", ding);
    const int last = NumberAfter(out, "\nstring line: goodbye after ", ding);
    // A tick every 1000 ms of 33 ms frames: over 200 frames before the
    // pause, over 100 frames between "Go on" and "Reset clock", over 40
    // after it.
    EXPECT_GE(paused, 6) << out;
    EXPECT_EQ(resumed, paused) << out;
    EXPECT_GE(reset, paused + 3) << out;
    EXPECT_LE(reset, paused + 4) << out;
    EXPECT_GE(last, 1) << out;
    EXPECT_LE(last, 2) << out;
    EXPECT_TRUE(out.ends_with(" s\n")) << out;
}

// The second room: the robot walks to the door, which opens, into the hall,
// picks up the key and walks back through the hall's door. The room is
// built anew, with the door open and the key in the bag, and so is the next
// run of the same folder, from the files in saves/.
TEST_F(TutorialGame, TheDoorLeadsToTheHallAndBackAndTheNextRunKeepsTheOpenDoorAndTheKey) {
    hands.Wait(3).Click(400, 320).Wait(200);  // the door
    hands.Click(660, 550).Wait(450);          // in the hall: the key
    hands.Click(150, 350).Wait(600);          // the hall's door
    hands.Press(SDLK_ESCAPE).EndsHere().Wait(10);
    ProcessResult r = play::Play(game, hands);
    ASSERT_EQ(r.exitCode, 0) << r.out;

    // Each line after the one before: the room ends ("goodbye"), the hall
    // starts with nothing in the bag, the key goes in, and the room is back.
    size_t at = 0;
    for (const char* line :
         {"line: to the door", "line: arrived at 40", "line: the door opens", "line: goodbye after",
          "bagline: carrying: nothing", "line: the hall is ready", "line: arrived at 69",
          "bagline: carrying: key", "line: arrived at 1", "line: the door is open", "bagline: carrying: key",
          "line: the room is ready", "line: goodbye after"}) {
        at = After(r.out, std::string("\nstring ") + line, at);
        ASSERT_NE(at, std::string::npos) << "no \"" << line << "\" in its place: " << r.out;
    }
    EXPECT_EQ(ReadFile(game / "saves/door"), "1");
    EXPECT_EQ(ReadFile(game / "saves/bag"), "key");

    play::Player again;
    again.Wait(3).Press(SDLK_ESCAPE).EndsHere().Wait(10);
    r = play::Play(game, again);
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out.find("\nstring line: the door is open\n"), 0u) << r.out;
    EXPECT_NE(r.out.find("\nstring bagline: carrying: key\n"), std::string::npos) << r.out;
}

// Every line the tutorial's steps give (its "asm" blocks, comments left
// out) is a line of the finished game's script: a step cannot show a line
// that the game played above does not run, nor an error report it does
// not give.
TEST(TutorialPage, EveryScriptLineOfTheStepsAndTheErrorReportItShowsAreTheGames) {
    std::set<std::string> script;
    for (const std::string& line :
         manual::Lines(ReadFile(manual::kRoot / "games/tutorial/scripts/tutorial.asm")))
        script.insert(Trimmed(line));
    int lines = 0;
    for (const manual::Block& block : manual::FencedBlocks(manual::ReadRepoFile("docs/tutorial.md"))) {
        if (block.info != "asm") continue;
        for (const std::string& line : manual::Lines(block.body)) {
            const std::string code = Trimmed(line);
            if (code.empty() || code[0] == ';') continue;
            ++lines;
            EXPECT_TRUE(script.count(code)) << "docs/tutorial.md line " << block.line << "'s block: " << code;
        }
    }
    EXPECT_GT(lines, 300);

    // The error report it shows is the game's with `wall` misspelt once.
    play::GameFolder game{fs::path(ENGINE_SOURCE_DIR) / "games" / "tutorial"};
    std::string text = ReadFile(game / "scripts/tutorial.asm");
    const size_t wall = text.find("call wall, load");
    ASSERT_NE(wall, std::string::npos);
    game.Write("scripts/tutorial.asm", text.replace(wall, 15, "call wal, load"));
    const ProcessResult r = game.RunEngine();
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out,
              manual::BlockAfter(manual::ReadRepoFile("docs/tutorial.md"), "### Reading an error report"));
}

// The tutorial's walk-path editor steps: the background, the two rows of
// points joined across, saved under the name the game reads, then Alt+F4.
// What they save is the graph the game comes with.
TEST_F(TutorialGame, TheWalkPathEditorStepsSaveTheGamesGraph) {
    std::string text = ReadFile(game / "configs/zel_config");
    const size_t at = text.find("asmgame");
    ASSERT_NE(at, std::string::npos);
    game.Write("configs/zel_config", text.replace(at, 7, "ptbuilder"));
    fs::remove(game / "data/room.ptf");

    hands.Wait(2).Press(SDLK_l, SDLK_LCTRL).Type("pictures/room.png").Press(SDLK_RETURN).Press(SDLK_v);
    for (int row : {440, 540}) {
        for (int x = 100; x <= 700; x += 150) hands.Click(x, row);
        hands.Press(SDLK_ESCAPE);
    }
    for (int x = 100; x <= 700; x += 150) hands.Click(x, 440).Click(x, 540).Press(SDLK_ESCAPE);
    hands.Press(SDLK_s, SDLK_LCTRL).Type("data/room.ptf").Press(SDLK_RETURN);
    hands.Press(SDLK_F4, SDLK_LALT).EndsHere().Wait(10);

    ProcessResult r = play::Play(game, hands);
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, "");
    const std::string saved = ReadFile(game / "data/room.ptf");
    EXPECT_FALSE(saved.empty());
    EXPECT_EQ(saved, ReadFile(fs::path(ENGINE_SOURCE_DIR) / "games/tutorial/data/room.ptf"));
    // The prompts remember the names for the next run.
    EXPECT_EQ(ReadFile(game / "configs/ptbuilder_background"), "pictures/room.png");
    EXPECT_EQ(ReadFile(game / "configs/ptbuilder_path"), "data/room.ptf");
}

}  // namespace
