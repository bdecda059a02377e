// The SDL back-end of the platform seams: SDL's clock, input and event
// queue, installed by the program at start-up (until then, and whenever a
// test uninstalls its own, input and events fall back to these). The same
// file holds the SDL bodies of platform/media.h and platform/video_modes.h.
#pragma once

#include "platform/event_source.h"
#include "platform/input_source.h"

// Makes SDL the clock, the input source and the event source.
void UseSdlBackend();

// SDL's input and event queue, the fallbacks of CurrentInput() and
// CurrentEvents().
InputSource& SdlInput();
EventSource& SdlEvents();
