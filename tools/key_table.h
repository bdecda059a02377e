// The editors' tables of command keys: each row names a key, the chord of
// modifiers it asks for (as the key event records them) and what it does
// to the editor. The first row whose key went down with its chord takes
// the key.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

#include "platform/input_event.h"

enum class Chord : uint8_t {
    Any,        // whatever modifiers are held
    Ctrl,       // left Ctrl, left Shift or not
    CtrlShift,  // left Ctrl and left Shift
    Shift,      // left Shift without left Ctrl
    NoCtrl,     // without left Ctrl, left Shift or not
};

template <typename Editor>
struct KeyCommand {
    int key;
    Chord chord;
    void (*run)(Editor& editor, const InputEvent& key);
};

// Whether the key event's left Ctrl and left Shift make the chord.
inline bool ChordHeld(Chord chord, const InputEvent& key) {
    const bool ctrl = key.Modifier(SDLK_LCTRL), shift = key.Modifier(SDLK_LSHIFT);
    switch (chord) {
    case Chord::Any:
        return true;
    case Chord::Ctrl:
        return ctrl;
    case Chord::CtrlShift:
        return ctrl && shift;
    case Chord::Shift:
        return shift && !ctrl;
    case Chord::NoCtrl:
        return !ctrl;
    }
    return false;
}

// Runs the first row for the key going down; false when no row takes it.
template <typename Editor, size_t N>
bool RunKeyCommand(const KeyCommand<Editor> (&rows)[N], Editor& editor, const InputEvent& key) {
    for (const KeyCommand<Editor>& row : rows) {
        if (row.key != key.key || !ChordHeld(row.chord, key)) continue;
        row.run(editor, key);
        return true;
    }
    return false;
}
