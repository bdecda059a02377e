// The input state: the last event, the held key, the mouse buttons and
// position, and the queries everything reads them through.
//
// The game loop writes the last event, the held key, the mouse buttons and
// the mouse-moved flag; the mouse writes the position; everything else reads
// them through the accessors below. What the system itself knows (the key
// array, the mouse state, the cursor) is read through the InputSource in
// force, so tests can drive the keyboard and mouse without a window.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

#include "platform/input_source.h"

inline SDL_Event LastEvent{};
inline int32_t LeftButton = 0, RightButton = 0;
inline int32_t MouseMoved = 0;
inline int32_t KeyHeld = 0;
inline int32_t MouseX = 0, MouseY = 0;  // application coordinates
inline const uint8_t* KeyStates = nullptr;

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
// Whether a modifier key (left or right Shift, Ctrl or Alt) was down when
// the last event, a key event, happened, as the event records it: a chord
// typed within one frame reads as it was typed, whatever the keyboard holds
// by the time the event is handled. The modifier's own key going down
// counts as held. 0 after any other event and for any other key.
int IsModifierHeld(int key);
// Reads the cached array without pumping; 0 before the first pump.
int IsKeyDownCached(int key);
int IsLeftButtonDown();
void HideCursor();
// Shows the system cursor where the mouse is.
void ShowCursorAtMouse();
void SetKeyRepeat(int delay, int interval);
void SetDefaultKeyRepeat();
void DisableKeyRepeat();
