// Input events as the game loop hands them to handlers, for tests that
// call the handlers directly.
#pragma once

#include <SDL/SDL.h>

#include "platform/input_event.h"

// A key going down (or up) with the modifiers it records and its character.
inline InputEvent KeyEvent(int sym, int mod = KMOD_NONE, int unicode = 0, uint8_t type = SDL_KEYDOWN) {
    return InputEvent{.type = type, .key = sym, .mod = mod, .unicode = unicode};
}

// A mouse button going down or up at (x, y), application coordinates.
inline InputEvent ButtonEvent(uint8_t type, int button, int x, int y) {
    return InputEvent{.type = type, .x = x, .y = y, .button = button};
}

// The mouse now at (x, y), as the frame's sampling hands it on.
inline InputEvent MotionEvent(int x, int y) { return InputEvent{.type = SDL_MOUSEMOTION, .x = x, .y = y}; }
