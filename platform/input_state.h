// The input state: the last event, the held key and its repeat, the mouse
// buttons and position, and the queries everything reads them through.
//
// One state is the current one, reached through CurrentInputState(). The
// loop of game kinds owns the real one and installs it for the whole run;
// the game loop writes the last event, the held key and its repeat, the
// mouse buttons and the mouse-moved flag, and the mouse writes the
// position. Tests install a fresh one with ScopedInputState. With none
// installed a built-in state at the initial values is current. What the
// system itself knows (the key array, the mouse state, the cursor, the key
// repeat setting) is read through the InputSource in force, so tests can
// drive the keyboard and mouse without a window.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

#include "platform/input_source.h"

struct InputState {
    InputState() = default;
    InputState(const InputState&) = delete;
    InputState& operator=(const InputState&) = delete;

    SDL_Event LastEvent{};  // the event the game loop polled last
    int32_t LeftButton = 0, RightButton = 0;
    int32_t MouseMoved = 0;              // the mouse moved in this frame
    int32_t KeyHeld = 0;                 // between a key-down and the next key-up
    int32_t MouseX = 0, MouseY = 0;      // application coordinates
    const uint8_t* KeyStates = nullptr;  // cached by the pumping queries
    // The key-down that repeats while its key is held (SDL_NOEVENT: none),
    // and the engine clock's tick when it next does.
    SDL_Event RepeatEvent{};
    uint32_t RepeatDue = 0;
};

// The installed state, or the built-in one; never null.
InputState& CurrentInputState();

// Makes a state the current one for as long as it lives; the one before
// comes back after it.
class ScopedInputState {
public:
    explicit ScopedInputState(InputState& state);
    ~ScopedInputState();
    ScopedInputState(const ScopedInputState&) = delete;
    ScopedInputState& operator=(const ScopedInputState&) = delete;

private:
    InputState* previous;
};

void SetLeftButton(int v);
void SetRightButton(int v);
int GetLeftButton();
int GetRightButton();
int GetButtonsDown();
void SetKeyHeld(int v);
int GetKeyHeld();
// True when the last event is that key going down and it is still held.
int IsKeyHeld(int key);
// The 7-bit character of the last event when it is a key event, else 0.
int GetTypedChar();
void SetMouseX(int v);
void SetMouseY(int v);
int GetMouseX();
int GetMouseY();
void SetMouseMoved(int v);
int GetMouseMoved();
// Relative motion of the last event when it is a mouse motion, else 0.
int GetMouseRelX();
int GetMouseRelY();
// 1 when the last event is a mouse button event of button 1.
int IsLeftButtonEvent();
// Pumps the source and caches its key array in KeyStates.
const uint8_t* PumpKeys();
// Pumps, then reads the key; 0 for a key outside the array.
int IsKeyDown(int key);
// Reads the cached array without pumping; 0 before the first pump.
int IsKeyDownCached(int key);
int IsLeftButtonDown();
void HideCursor();
// Shows the system cursor where the mouse is.
void ShowCursorAtMouse();
// The key repeat setting, kept by the input source; a negative value is
// refused and the setting stays. A new setting ends the current repeat.
void SetKeyRepeat(int delay, int interval);
void SetDefaultKeyRepeat();
void DisableKeyRepeat();

// Key repeat, made by the engine from the key events the game loop takes:
// the last key that went down repeats its key-down, first after the delay,
// then at every interval, until that key goes up. Modifier and lock keys
// neither repeat nor end the repeat of another key.
void KeyWentDown(const SDL_Event& keyDown);
void KeyWentUp(const SDL_Event& keyUp);
// The repeating key-down when it is due (the next one is then an interval
// later), else null.
const SDL_Event* DueKeyRepeat();
