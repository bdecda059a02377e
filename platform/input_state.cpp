#include "platform/input_state.h"

#include <algorithm>

#include "foundation/clock.h"
#include "platform/input_event.h"
#include "platform/sdl_backend.h"

namespace {

InputSource* g_input = nullptr;

InputState g_builtInState;
constinit InputState* g_state = &g_builtInState;

bool ValidKey(int key) { return key >= 0 && key < SDLK_LAST; }

// Keys that never repeat: unknown ones, the lock keys and the modifiers.
bool Repeats(int key) { return key != SDLK_UNKNOWN && (key < SDLK_NUMLOCK || key > SDLK_COMPOSE); }

struct RepeatSetting {
    int delay = 0, interval = 0;
};

RepeatSetting CurrentRepeat() {
    RepeatSetting r;
    CurrentInput().GetKeyRepeat(&r.delay, &r.interval);
    return r;
}

// The last event as a handler would be handed it (the mouse left out).
InputEvent Last() { return InputEvent::From(g_state->LastEvent, 0, 0); }

}  // namespace

InputState& CurrentInputState() { return *g_state; }

ScopedInputState::ScopedInputState(InputState& state) : previous(g_state) { g_state = &state; }

ScopedInputState::~ScopedInputState() { g_state = previous; }

InputSource& CurrentInput() { return g_input ? *g_input : SdlInput(); }

void SetInput(InputSource* source) {
    g_input = source;
    g_state->KeyStates = nullptr;  // the cached array belonged to the old source
}

void SetLeftButton(int v) { g_state->LeftButton = v; }
void SetRightButton(int v) { g_state->RightButton = v; }
int GetLeftButton() { return g_state->LeftButton; }
int GetRightButton() { return g_state->RightButton; }
int GetButtonsDown() { return g_state->LeftButton + g_state->RightButton; }
void SetKeyHeld(int v) { g_state->KeyHeld = v; }
int GetKeyHeld() { return g_state->KeyHeld; }

int IsKeyHeld(int key) { return Last().Pressed(key) && g_state->KeyHeld ? 1 : 0; }

int GetTypedChar() { return Last().Char(); }

void SetMouseX(int v) { g_state->MouseX = v; }
void SetMouseY(int v) { g_state->MouseY = v; }
int GetMouseX() { return g_state->MouseX; }
int GetMouseY() { return g_state->MouseY; }
void SetMouseMoved(int v) { g_state->MouseMoved = v; }
int GetMouseMoved() { return g_state->MouseMoved; }

int GetMouseRelX() {
    const SDL_Event& last = g_state->LastEvent;
    return last.type == SDL_MOUSEMOTION ? last.motion.xrel : 0;
}
int GetMouseRelY() {
    const SDL_Event& last = g_state->LastEvent;
    return last.type == SDL_MOUSEMOTION ? last.motion.yrel : 0;
}

int IsLeftButtonEvent() { return Last().button == 1 ? 1 : 0; }

const uint8_t* PumpKeys() {
    InputSource& in = CurrentInput();
    in.PumpEvents();
    g_state->KeyStates = in.GetKeyState();
    return g_state->KeyStates;
}

int IsKeyDown(int key) {
    const uint8_t* keys = PumpKeys();
    return keys && ValidKey(key) && keys[key] ? 1 : 0;
}

int IsKeyDownCached(int key) {
    const uint8_t* keys = g_state->KeyStates;
    return keys && ValidKey(key) && keys[key] ? 1 : 0;
}

int IsLeftButtonDown() {
    InputSource& in = CurrentInput();
    in.PumpEvents();
    return (in.GetMouseState(nullptr, nullptr) & SDL_BUTTON(1)) ? 1 : 0;
}

void HideCursor() { CurrentInput().ShowCursor(0); }

void ShowCursorAtMouse() {
    InputSource& in = CurrentInput();
    in.PumpEvents();
    int x = 0, y = 0;
    in.GetMouseState(&x, &y);
    in.ShowCursor(1);
    in.WarpMouse(x, y);
}

void SetKeyRepeat(int delay, int interval) {
    if (delay < 0 || interval < 0) return;
    CurrentInput().EnableKeyRepeat(delay, interval);
    g_state->RepeatEvent.type = SDL_NOEVENT;
}
void SetDefaultKeyRepeat() { SetKeyRepeat(500, 30); }
void DisableKeyRepeat() { SetKeyRepeat(0, 0); }

void KeyWentDown(const SDL_Event& keyDown) {
    if (!Repeats(keyDown.key.keysym.sym)) return;
    const RepeatSetting r = CurrentRepeat();
    if (r.delay <= 0) return;
    g_state->RepeatEvent = keyDown;
    g_state->RepeatDue = ClockTicks() + static_cast<uint32_t>(r.delay);
}

void KeyWentUp(const SDL_Event& keyUp) {
    SDL_Event& repeat = g_state->RepeatEvent;
    if (repeat.type == SDL_KEYDOWN && repeat.key.keysym.sym == keyUp.key.keysym.sym)
        repeat.type = SDL_NOEVENT;
}

const SDL_Event* DueKeyRepeat() {
    if (g_state->RepeatEvent.type != SDL_KEYDOWN) return nullptr;
    const uint32_t now = ClockTicks();
    if (static_cast<int32_t>(now - g_state->RepeatDue) < 0) return nullptr;
    g_state->RepeatDue = now + static_cast<uint32_t>(std::max(CurrentRepeat().interval, 0));
    return &g_state->RepeatEvent;
}
