// The full-screen video modes the display offers, as the start-up's mode
// search takes them. The SDL body is in platform/sdl_backend.cpp.
#pragma once

#include <vector>

struct ModeSize {
    int width, height;
};

struct ListedModes {
    bool none = false;            // no full-screen mode at all
    bool any = false;             // every size will do
    std::vector<ModeSize> modes;  // otherwise these, in the display's order
};

// Asks the display (after StartMedia): none, any, or else the listed
// modes.
ListedModes ListFullscreenModes();
