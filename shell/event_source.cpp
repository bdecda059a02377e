#include "shell/event_source.h"

namespace {

class SdlEvents final : public EventSource {
public:
    int PollEvent(SDL_Event* event) override { return SDL_PollEvent(event); }
    int WaitEvent(SDL_Event* event) override { return SDL_WaitEvent(event); }
};

SdlEvents g_sdlEvents;
EventSource* g_events = nullptr;

}  // namespace

EventSource& CurrentEvents() { return g_events ? *g_events : g_sdlEvents; }

void SetEvents(EventSource* source) { g_events = source; }
