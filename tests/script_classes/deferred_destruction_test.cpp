// Script objects deleted by the handler of one of their own engine events,
// raised from inside the game loop's frame: the object leaves its names and
// the scene at once, hears nothing more, and is destroyed when the frame is
// over (under ASan, any touch of it by the engine code that raised the
// event would be reported).
#include <gtest/gtest.h>

#include <memory>

#include "script/asm_var.h"
#include "script/script_machine.h"
#include "script_classes/script_loop_fixture.h"
#include "shell/game_api.h"

namespace {

using loop_test::Button;

class DeferredDestruction : public ScriptLoopTest {};

// The keeper module holds the button; its handlers count in "log": 1 per
// click, 10 per release.
const char* kSelfDeletingButton = R"(
new int, log
module keeper
method init
  new button, b
  push 10
  push 10
  push 20
  push 20
  call b, setrect
  push "onclick"
  push "clicked"
  call b, addmethod
  push "onrel"
  push "released"
  call b, addmethod
end method
method clicked
  add log, 1
  pop log
  call keeper, dropb
end method
method released
  add log, 10
  pop log
end method
method dropb
  delete b
end method
end module
)";

TEST_F(DeferredDestruction, AButtonDeletedByItsOwnClickLeavesTheSceneAtOnce) {
    machine->LoadText(kSelfDeletingButton);
    ASSERT_EQ(scene->ButtonCount(), 1);
    // Press and release in one frame: the release finds no button.
    events.frames = {{{}, [&] { input.mouseX = input.mouseY = 15; }},
                     {{Button(SDL_MOUSEBUTTONDOWN, 1, 15, 15), Button(SDL_MOUSEBUTTONUP, 1, 15, 15)}, {}},
                     {{Button(SDL_MOUSEBUTTONDOWN, 1, 15, 15), Button(SDL_MOUSEBUTTONUP, 1, 15, 15)}, {}}};
    GameAPI game;
    game.Run();
    EXPECT_EQ(IntVar("log"), 1);
    EXPECT_EQ(scene->ButtonCount(), 0);
    EXPECT_EQ(scene->PressButtons(15, 15), 0);
}

TEST_F(DeferredDestruction, ADirectPressIsHeldByTheSceneWalkToo) {
    machine->LoadText(kSelfDeletingButton);
    // Raised by a press offered straight to the scene, with no frame running.
    EXPECT_EQ(scene->PressButtons(15, 15), 1);
    EXPECT_EQ(IntVar("log"), 1);
    EXPECT_EQ(scene->ButtonCount(), 0);
    EXPECT_EQ(scene->ReleaseButtons(15, 15), 0);
    EXPECT_EQ(IntVar("log"), 1);
}

}  // namespace
