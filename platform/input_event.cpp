#include "platform/input_event.h"

namespace {

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

InputEvent InputEvent::From(const SDL_Event& event, int x, int y) {
    InputEvent e;
    e.type = event.type;
    e.x = x;
    e.y = y;
    if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
        e.key = event.key.keysym.sym;
        e.mod = event.key.keysym.mod;
        e.unicode = event.key.keysym.unicode;
    } else if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
        e.button = event.button.button;
    }
    return e;
}

bool InputEvent::Modifier(int k) const {
    if (!IsKey()) return false;
    for (const ModifierBit& m : kModifierBits) {
        if (m.key != k) continue;
        if (Pressed(k)) return true;
        return (mod & m.mask) != 0;
    }
    return false;
}
