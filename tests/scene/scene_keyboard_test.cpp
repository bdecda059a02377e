// The scene sets up the keyboard (unicode, default key repeat) only when
// it is the first scene of the program.
#include <gtest/gtest.h>

#include "platform/headless.h"
#include "platform/input_source.h"
#include "scene/frame_flags.h"
#include "scene/scene.h"

namespace {

class SceneKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override { SetInput(&input); }
    void TearDown() override { SetInput(nullptr); }
    FakeInput input;
};

TEST_F(SceneKeyboardTest, OnlyTheFirstSceneSetsUpTheKeyboard) {
    SceneFirstTime = 1;
    {
        ddScene first;
        EXPECT_EQ(input.unicode, 1);
        EXPECT_EQ(input.repeatDelay, 500);
        EXPECT_EQ(input.repeatInterval, 30);
        EXPECT_EQ(SceneFirstTime, 0);
    }
    input.unicode = -1;
    input.repeatDelay = -1;
    ddScene second;
    EXPECT_EQ(input.unicode, -1);
    EXPECT_EQ(input.repeatDelay, -1);
}

}  // namespace
