// The input state and the process-wide frame flags.
//
// The game loop writes the last event, the held key, the mouse buttons and
// the mouse-moved flag; the mouse writes the position; everything else
// reads them through the accessors below. What SDL itself knows (the key
// array, the mouse state, the cursor) is read through an InputSource, so
// tests can drive the keyboard and mouse without a window.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

#include "graphics/stage.h"  // SetRedraw

// Frame flags and the frame delay.
inline uint8_t RedrawRequested = 1;  // draw everything at the end of this frame
inline uint8_t ResortRequested = 1;  // re-sort the drawables at the next frame
inline uint8_t UpdateRequested = 1;  // run every drawable's per-frame update
inline int32_t BlitAfterRedraw = 1;  // push the whole screen after a full redraw
inline int32_t LoopDelay = 33;       // frame delay in milliseconds
inline int32_t SceneFirstTime = 1;   // cleared by the first scene

// Input state.
inline SDL_Event LastEvent{};
inline int32_t LeftButton = 0, RightButton = 0;
inline int32_t MouseMoved = 0;
inline int32_t KeyHeld = 0;
inline int32_t MouseX = 0, MouseY = 0;  // application coordinates
inline const uint8_t* KeyStates = nullptr;

// What the engine asks of SDL about keys, the mouse and the cursor.
class InputSource {
public:
    virtual ~InputSource() = default;
    virtual void PumpEvents() = 0;
    // The key-state array, indexed by key symbol (SDLK_LAST entries).
    virtual const uint8_t* GetKeyState() = 0;
    // The button bits; writes the position in screen coordinates.
    virtual uint8_t GetMouseState(int* x, int* y) = 0;
    virtual void ShowCursor(int on) = 0;
    virtual void WarpMouse(int x, int y) = 0;
    virtual void EnableKeyRepeat(int delay, int interval) = 0;
    virtual void EnableUnicode(int on) = 0;
};

// The source in force: SDL itself unless a test installed another.
InputSource& CurrentInput();
// Installs a source (not owned); null goes back to SDL.
void SetInput(InputSource* source);

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
const uint8_t* PumpKeys();
int IsKeyDown(int key);
int IsKeyDownCached(int key);
int IsLeftButtonDown();
void HideCursor();
void ShowCursorAtMouse();
void SetKeyRepeat(int delay, int interval);
void SetDefaultKeyRepeat();
void DisableKeyRepeat();

inline int MaxInt(int a, int b) { return a > b ? a : b; }
inline int MinInt(int a, int b) { return a < b ? a : b; }
// |a|; the most negative int stays as it is instead of overflowing.
inline int AbsInt(int a) {
    return a < 0 ? static_cast<int>(0u - static_cast<unsigned>(a)) : a;
}
