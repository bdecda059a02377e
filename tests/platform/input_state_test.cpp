#include "platform/input_state.h"

#include <gtest/gtest.h>

#include "platform/headless.h"

namespace {

class InputStateTest : public ::testing::Test {
protected:
    void SetUp() override { SetInput(&input); }
    void TearDown() override { SetInput(nullptr); }
    InputState state;  // fresh for each test
    ScopedInputState installed{state};
    FakeInput input;
};

SDL_Event KeyDown(SDLKey sym, Uint16 unicode = 0) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = sym;
    e.key.keysym.unicode = unicode;
    return e;
}

TEST_F(InputStateTest, KeyHeldAndTypedCharacterLookAtKeyEventsOnly) {
    CurrentInputState().LastEvent = KeyDown(SDLK_F4, 'x');
    SetKeyHeld(1);
    EXPECT_EQ(IsKeyHeld(SDLK_F4), 1);
    EXPECT_EQ(IsKeyHeld(SDLK_F5), 0);
    EXPECT_EQ(GetTypedChar(), 'x');

    CurrentInputState().LastEvent = KeyDown(SDLK_a, 0xE9);  // above 127: masked to 7 bits
    EXPECT_EQ(IsKeyHeld(SDLK_F4), 0);
    EXPECT_EQ(GetTypedChar(), 0xE9 & 127);

    // A mouse motion after the key: no key is "held" and nothing typed.
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.xrel = -7;
    motion.motion.yrel = 3;
    CurrentInputState().LastEvent = motion;
    EXPECT_EQ(IsKeyHeld(SDLK_a), 0);
    EXPECT_EQ(GetTypedChar(), 0);
    EXPECT_EQ(GetMouseRelX(), -7);
    EXPECT_EQ(GetMouseRelY(), 3);

    CurrentInputState().LastEvent = KeyDown(SDLK_b);
    EXPECT_EQ(GetMouseRelX(), 0);
    SetKeyHeld(0);
    EXPECT_EQ(IsKeyHeld(SDLK_b), 0);

    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = 1;
    CurrentInputState().LastEvent = press;
    EXPECT_EQ(IsLeftButtonEvent(), 1);
    CurrentInputState().LastEvent.button.button = 3;
    EXPECT_EQ(IsLeftButtonEvent(), 0);
}

TEST_F(InputStateTest, KeyboardAndMouseGoThroughTheSource) {
    input.keys[SDLK_LCTRL] = 1;
    EXPECT_EQ(IsKeyDown(SDLK_LCTRL), 1);
    EXPECT_EQ(input.pumps, 1);
    EXPECT_EQ(IsKeyDown(SDLK_RCTRL), 0);
    EXPECT_EQ(IsKeyDown(-1), 0);
    EXPECT_EQ(IsKeyDown(SDLK_LAST), 0);
    input.keys[SDLK_LCTRL] = 0;
    EXPECT_EQ(IsKeyDownCached(SDLK_LCTRL), 0);
    input.keys[SDLK_q] = 1;
    EXPECT_EQ(IsKeyDownCached(SDLK_q), 1) << "the cached array is SDL's live array";

    input.buttons = SDL_BUTTON(1);
    EXPECT_EQ(IsLeftButtonDown(), 1);
    input.buttons = SDL_BUTTON(3);
    EXPECT_EQ(IsLeftButtonDown(), 0);

    input.mouseX = 33;
    input.mouseY = 44;
    ShowCursorAtMouse();
    EXPECT_EQ(input.shown, 1);
    EXPECT_EQ(input.warpX, 33);
    EXPECT_EQ(input.warpY, 44);
    HideCursor();
    EXPECT_EQ(input.shown, 0);

    SetDefaultKeyRepeat();
    EXPECT_EQ(input.repeatDelay, 500);
    EXPECT_EQ(input.repeatInterval, 30);
    DisableKeyRepeat();
    EXPECT_EQ(input.repeatDelay, 0);

    SetLeftButton(1);
    SetRightButton(1);
    EXPECT_EQ(GetButtonsDown(), 2);
    SetLeftButton(0);
    SetRightButton(0);
}

}  // namespace
