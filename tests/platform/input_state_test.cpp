#include "platform/input_state.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/headless.h"
#include "platform/input_event.h"
#include "platform/sdl_backend.h"

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
    state.LastEvent = KeyDown(SDLK_F4, 'x');
    SetKeyHeld(1);
    EXPECT_EQ(IsKeyHeld(SDLK_F4), 1);
    EXPECT_EQ(IsKeyHeld(SDLK_F5), 0);
    EXPECT_EQ(GetTypedChar(), 'x');

    state.LastEvent = KeyDown(SDLK_a, 0xE9);  // above 127: masked to 7 bits
    EXPECT_EQ(IsKeyHeld(SDLK_F4), 0);
    EXPECT_EQ(GetTypedChar(), 0xE9 & 127);

    // A mouse motion after the key: no key is "held" and nothing typed.
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.xrel = -7;
    motion.motion.yrel = 3;
    state.LastEvent = motion;
    EXPECT_EQ(IsKeyHeld(SDLK_a), 0);
    EXPECT_EQ(GetTypedChar(), 0);
    EXPECT_EQ(GetMouseRelX(), -7);
    EXPECT_EQ(GetMouseRelY(), 3);

    state.LastEvent = KeyDown(SDLK_b);
    EXPECT_EQ(GetMouseRelX(), 0);
    SetKeyHeld(0);
    EXPECT_EQ(IsKeyHeld(SDLK_b), 0);

    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = 1;
    state.LastEvent = press;
    EXPECT_EQ(IsLeftButtonEvent(), 1);
    state.LastEvent.button.button = 3;
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
    SetKeyRepeat(-1, 40);  // refused
    EXPECT_EQ(input.repeatInterval, 0);
    // SDL keeps its own repeat off: the engine repeats keys itself.
    int delay = -1, interval = -1;
    SdlInput().EnableKeyRepeat(500, 30);
    SDL_GetKeyRepeat(&delay, &interval);
    EXPECT_EQ(std::make_pair(delay, interval), std::make_pair(0, 0));
    SdlInput().GetKeyRepeat(&delay, &interval);
    EXPECT_EQ(std::make_pair(delay, interval), std::make_pair(500, 30));
    SdlInput().EnableKeyRepeat(0, 0);

    SetLeftButton(1);
    SetRightButton(1);
    EXPECT_EQ(GetButtonsDown(), 2);
    SetLeftButton(0);
    SetRightButton(0);
}

// The state in force is the one installed last; the event handed to the
// handlers carries what its SDL event says and nothing else.
TEST_F(InputStateTest, ScopedStatesAndEventValues) {
    SetMouseX(5);
    SetKeyHeld(1);
    {
        InputState inner;
        ScopedInputState scoped(inner);
        EXPECT_EQ(GetMouseX(), 0);
        EXPECT_EQ(GetKeyHeld(), 0);
        SetMouseX(9);
        EXPECT_EQ(inner.MouseX, 9);
    }
    EXPECT_EQ(GetMouseX(), 5);
    EXPECT_EQ(state.MouseX, 5);
    PumpKeys();
    EXPECT_NE(state.KeyStates, nullptr);
    SetInput(&input);  // a new source: its key array is not the cached one
    EXPECT_EQ(state.KeyStates, nullptr);

    SDL_Event ctrlA = KeyDown(SDLK_a, 'a');
    ctrlA.key.keysym.mod = KMOD_LCTRL;
    const InputEvent key = InputEvent::From(ctrlA, 3, 4);
    EXPECT_EQ(key.x, 3);
    EXPECT_EQ(key.y, 4);
    EXPECT_EQ(key.button, 0);
    EXPECT_TRUE(key.Pressed(SDLK_a));
    EXPECT_FALSE(key.Pressed(SDLK_b));
    EXPECT_EQ(key.Char(), 'a');
    EXPECT_TRUE(key.Modifier(SDLK_LCTRL));
    EXPECT_FALSE(key.Modifier(SDLK_RCTRL));
    EXPECT_FALSE(key.Modifier(SDLK_a)) << "not a modifier key";

    // A modifier's own key going down counts as held; going up it does not.
    SDL_Event shift = KeyDown(SDLK_LSHIFT);
    EXPECT_TRUE(InputEvent::From(shift, 0, 0).Modifier(SDLK_LSHIFT));
    shift.type = SDL_KEYUP;
    EXPECT_FALSE(InputEvent::From(shift, 0, 0).Modifier(SDLK_LSHIFT));

    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = SDL_BUTTON_RIGHT;
    const InputEvent click = InputEvent::From(press, 7, 8);
    EXPECT_EQ(click.button, SDL_BUTTON_RIGHT);
    EXPECT_EQ(click.key, SDLK_UNKNOWN);
    EXPECT_EQ(click.Char(), 0);
    EXPECT_FALSE(click.Modifier(SDLK_LCTRL));
}

}  // namespace
