#include "platform/event_source.h"

#include "platform/sdl_backend.h"

namespace {
EventSource* g_events = nullptr;
}

EventSource& CurrentEvents() { return g_events ? *g_events : SdlEvents(); }

void SetEvents(EventSource* source) { g_events = source; }
