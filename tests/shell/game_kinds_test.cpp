// The registry of game kinds and the loop that runs them by name.
#include "shell/game_kinds.h"

#include <gtest/gtest.h>

#include <string>

#include "loop_fixture.h"

namespace loop_test {
namespace {

std::string g_ran;

class GameKinds : public LoopTest {
protected:
    void SetUp() override {
        LoopTest::SetUp();
        g_ran.clear();
    }
};

TEST_F(GameKinds, EachKindRunsOnceOnAClearedScreenUntilOneNamesNoSuccessor) {
    RegisterGameKind("first", [] {
        g_ran += "first ";
        EXPECT_EQ(ScreenAt(5, 5), (Rgb{0, 0, 0}));
        GraphAPI::FillScreen(255, 0, 255);
        ActiveGame = "second";
    });
    RegisterGameKind("second", [] {
        g_ran += "second ";
        EXPECT_EQ(ScreenAt(5, 5), (Rgb{0, 0, 0})) << "what the first kind drew is gone";
    });
    GraphAPI::FillScreen(255, 255, 255);
    ActiveGame = "first";
    RunGameKinds();
    EXPECT_EQ(g_ran, "first second ");
    EXPECT_STREQ(ActiveGame.c_str(), "exit");
}

TEST_F(GameKinds, ALaterRegistrationReplacesAndUnknownOrMissingNamesEndTheLoop) {
    RegisterGameKind("kind", [] { g_ran += "old "; });
    RegisterGameKind("kind", [] {
        g_ran += "new ";
        ActiveGame = "nobody registered this";
    });
    ActiveGame = "kind";
    RunGameKinds();
    EXPECT_EQ(g_ran, "new ");
    EXPECT_STREQ(ActiveGame.c_str(), "exit");

    ActiveGame = ddString();  // no text at all
    RunGameKinds();
    EXPECT_STREQ(ActiveGame.c_str(), "exit");

    ClearGameKinds();
    ActiveGame = "kind";
    RunGameKinds();
    EXPECT_EQ(g_ran, "new ") << "a cleared registry runs nothing";
    EXPECT_STREQ(ActiveGame.c_str(), "exit");
}

}  // namespace
}  // namespace loop_test
