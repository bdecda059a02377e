// The table of game kinds and the loop that runs them by name.
#include "shell/game_kinds.h"

#include <gtest/gtest.h>

#include <string>

#include "loop_fixture.h"

namespace loop_test {
namespace {

std::string g_ran;
int g_tableSize = 0;

class GameKinds : public LoopTest {
protected:
    void SetUp() override {
        LoopTest::SetUp();
        g_ran.clear();
        g_tableSize = 0;
    }

    static std::string First(::GameKinds kinds) {
        g_ran += "first ";
        g_tableSize = static_cast<int>(kinds.size());
        EXPECT_EQ(ScreenAt(5, 5), (Rgb{0, 0, 0}));
        GraphAPI::FillScreen(255, 0, 255);
        return "second";
    }
    static std::string Second(::GameKinds) {
        g_ran += "second ";
        EXPECT_EQ(ScreenAt(5, 5), (Rgb{0, 0, 0})) << "what the first kind drew is gone";
        return "exit";
    }
    static std::string Stray(::GameKinds) {
        g_ran += "stray ";
        return "nobody lists this";
    }
    static constexpr GameKind kKinds[] = {{"first", First}, {"second", Second}, {"stray", Stray}};
};

TEST_F(GameKinds, EachKindRunsOnceOnAClearedScreenUntilOneNamesNoSuccessor) {
    GraphAPI::FillScreen(255, 255, 255);
    RunGameKinds(kKinds, "first");
    EXPECT_EQ(g_ran, "first second ");
    EXPECT_EQ(g_tableSize, 3) << "a kind is handed the table it runs from";
}

TEST_F(GameKinds, UnknownOrEmptyNamesEndTheLoop) {
    RunGameKinds(kKinds, "stray");
    EXPECT_EQ(g_ran, "stray ");
    RunGameKinds(kKinds, "");
    RunGameKinds(kKinds, "First");  // names are compared exactly
    RunGameKinds({}, "first");
    EXPECT_EQ(g_ran, "stray ") << "nothing else ran";
}

}  // namespace
}  // namespace loop_test
