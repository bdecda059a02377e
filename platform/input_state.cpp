#include "platform/input_state.h"

#include "platform/sdl_backend.h"

namespace {

InputSource* g_input = nullptr;

bool LastIsKey() { return LastEvent.type == SDL_KEYDOWN || LastEvent.type == SDL_KEYUP; }

bool ValidKey(int key) { return key >= 0 && key < SDLK_LAST; }

// The modifier keys and their bits in a key event's modifier state.
struct ModifierBit {
    int key;
    int mask;
};
constexpr ModifierBit kModifierBits[] = {
    {SDLK_LSHIFT, KMOD_LSHIFT}, {SDLK_RSHIFT, KMOD_RSHIFT}, {SDLK_LCTRL, KMOD_LCTRL},
    {SDLK_RCTRL, KMOD_RCTRL},   {SDLK_LALT, KMOD_LALT},     {SDLK_RALT, KMOD_RALT},
};

}  // namespace

InputSource& CurrentInput() { return g_input ? *g_input : SdlInput(); }

void SetInput(InputSource* source) {
    g_input = source;
    KeyStates = nullptr;  // the cached array belonged to the old source
}

void SetLeftButton(int v) { LeftButton = v; }
void SetRightButton(int v) { RightButton = v; }
int GetLeftButton() { return LeftButton; }
int GetRightButton() { return RightButton; }
int GetButtonsDown() { return LeftButton + RightButton; }
void SetKeyHeld(int v) { KeyHeld = v; }
int GetKeyHeld() { return KeyHeld; }

int IsKeyHeld(int key) {
    return LastEvent.type == SDL_KEYDOWN && LastEvent.key.keysym.sym == key && KeyHeld ? 1 : 0;
}

int GetTypedChar() { return LastIsKey() ? (LastEvent.key.keysym.unicode & 0xFF) & 127 : 0; }

void SetMouseX(int v) { MouseX = v; }
void SetMouseY(int v) { MouseY = v; }
int GetMouseX() { return MouseX; }
int GetMouseY() { return MouseY; }
void SetMouseMoved(int v) { MouseMoved = v; }
int GetMouseMoved() { return MouseMoved; }

int GetMouseRelX() { return LastEvent.type == SDL_MOUSEMOTION ? LastEvent.motion.xrel : 0; }
int GetMouseRelY() { return LastEvent.type == SDL_MOUSEMOTION ? LastEvent.motion.yrel : 0; }

int IsLeftButtonEvent() {
    bool button = LastEvent.type == SDL_MOUSEBUTTONDOWN || LastEvent.type == SDL_MOUSEBUTTONUP;
    return button && LastEvent.button.button == 1 ? 1 : 0;
}

const uint8_t* PumpKeys() {
    InputSource& in = CurrentInput();
    in.PumpEvents();
    KeyStates = in.GetKeyState();
    return KeyStates;
}

int IsKeyDown(int key) {
    const uint8_t* keys = PumpKeys();
    return keys && ValidKey(key) && keys[key] ? 1 : 0;
}

int IsModifierHeld(int key) {
    if (!LastIsKey()) return 0;
    for (const ModifierBit& m : kModifierBits) {
        if (m.key != key) continue;
        if (LastEvent.type == SDL_KEYDOWN && LastEvent.key.keysym.sym == key) return 1;
        return (LastEvent.key.keysym.mod & m.mask) ? 1 : 0;
    }
    return 0;
}

int IsKeyDownCached(int key) { return KeyStates && ValidKey(key) && KeyStates[key] ? 1 : 0; }

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

void SetKeyRepeat(int delay, int interval) { CurrentInput().EnableKeyRepeat(delay, interval); }
void SetDefaultKeyRepeat() { SetKeyRepeat(500, 30); }
void DisableKeyRepeat() { SetKeyRepeat(0, 0); }
