// Where the game loop takes its events from: SDL's queue, or a queue a test
// fills by hand (platform/headless.h).
#pragma once

#include <SDL/SDL.h>

class EventSource {
public:
    virtual ~EventSource() = default;
    // As SDL_PollEvent: 1 and the event when one is pending, else 0.
    virtual int PollEvent(SDL_Event* event) = 0;
    // As SDL_WaitEvent: 1 and the next event, 0 on failure.
    virtual int WaitEvent(SDL_Event* event) = 0;
};

// The source in force: SDL's queue unless another was installed.
EventSource& CurrentEvents();
// Installs a source (not owned); null goes back to SDL.
void SetEvents(EventSource* source);
