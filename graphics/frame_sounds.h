// What an animation needs from its sound table: a call each time one of its
// frames is entered. The table itself (sounds, banks, the rows per action
// and frame) lives on the audio floor, which installs the loader below once
// at start-up; without a loader an animation reads no sound table and plays
// no frame sounds.
#pragma once

#include <memory>
#include <vector>

class Animacja;

class FrameSounds {
public:
    virtual ~FrameSounds() = default;
    // The animation entered frame `frame` of action `action`.
    virtual void OnFrame(int action, int frame) = 0;
};

// Reads the sound table at `path` for `owner`, one row per action holding
// framesPerAction[action] frames; null when the file cannot be read.
using FrameSoundsLoader = std::shared_ptr<FrameSounds> (*)(Animacja* owner,
                                                           const std::vector<int>& framesPerAction,
                                                           const char* path);

// The installed loader, or null.
FrameSoundsLoader CurrentFrameSoundsLoader();
// Installs the loader; null goes back to none. Returns the one it replaces.
FrameSoundsLoader SetFrameSoundsLoader(FrameSoundsLoader loader);
