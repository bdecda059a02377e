// What the engine asks of the system about keys, the mouse and the cursor.
// SDL answers in the program (platform/sdl_backend.cpp); tests install a
// source they drive by hand (platform/headless.h).
#pragma once

#include <cstdint>

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
    // The key repeat setting, in ms; a delay of 0 is no repeat. The source
    // only keeps it: the repeats themselves are made by the game loop from
    // the key events it takes (platform/input_state.h).
    virtual void EnableKeyRepeat(int delay, int interval) = 0;
    virtual void GetKeyRepeat(int* delay, int* interval) = 0;
    virtual void EnableUnicode(int on) = 0;
};

// The source in force: SDL itself unless another was installed.
InputSource& CurrentInput();
// Installs a source (not owned); null goes back to SDL. Forgets the cached
// key array, which belonged to the old source.
void SetInput(InputSource* source);
