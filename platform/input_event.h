// One input event as its handlers see it: what happened (the SDL event
// type), where the mouse is, which button, which key with the modifiers and
// the character the event records. The game loop makes it once from the
// polled SDL event and hands it to every hook, so a handler never reads
// back from the global input state what the event itself says.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

struct InputEvent {
    uint8_t type = SDL_NOEVENT;  // SDL_KEYDOWN, SDL_MOUSEBUTTONDOWN, ...
    int x = 0, y = 0;            // the mouse, application coordinates
    int button = 0;              // a button event's button (1 left, 3 right)
    int key = SDLK_UNKNOWN;      // a key event's key symbol
    int mod = KMOD_NONE;         // the modifiers a key event records
    int unicode = 0;             // a key event's character, untranslated

    // The event with the mouse at (x, y) in application coordinates; the
    // key fields only from a key event, the button only from a button event.
    static InputEvent From(const SDL_Event& event, int x, int y);

    bool IsKey() const { return type == SDL_KEYDOWN || type == SDL_KEYUP; }
    // True when this is that key going down.
    bool Pressed(int k) const { return type == SDL_KEYDOWN && key == k; }
    // Whether a modifier key (left or right Shift, Ctrl or Alt) was down
    // when this key event happened, as the event records it: a chord typed
    // within one frame reads as it was typed, whatever the keyboard holds by
    // the time the event is handled. The modifier's own key going down
    // counts as held. False after any other event and for any other key.
    bool Modifier(int k) const;
    // The 7-bit character of a key event, else 0.
    int Char() const { return IsKey() ? (unicode & 0xFF) & 127 : 0; }
};
