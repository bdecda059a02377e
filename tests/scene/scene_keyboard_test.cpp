// The keyboard is set up (unicode, default key repeat) once, by the
// start-up before it makes its scene; a scene itself leaves it alone.
#include <gtest/gtest.h>

#include "platform/headless.h"
#include "platform/input_source.h"
#include "scene/scene.h"

namespace {

class SceneKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override { SetInput(&input); }
    void TearDown() override { SetInput(nullptr); }
    FakeInput input;
};

TEST_F(SceneKeyboardTest, OnlyTheStartUpSetsUpTheKeyboard) {
    SeedRandomAndSetUpKeys();
    EXPECT_EQ(input.unicode, 1);
    EXPECT_EQ(input.repeatDelay, 500);
    EXPECT_EQ(input.repeatInterval, 30);
    input.unicode = -1;
    input.repeatDelay = -1;
    ddScene scene;
    EXPECT_EQ(input.unicode, -1);
    EXPECT_EQ(input.repeatDelay, -1);
}

}  // namespace
