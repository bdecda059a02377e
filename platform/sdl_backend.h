// The SDL back-end of the platform seams: SDL's clock, input and event queue.
// The program installs them at start-up; until then, and whenever a test
// uninstalls its own, input and events fall back to these.
#pragma once

#include "platform/event_source.h"
#include "platform/input_source.h"

// Makes SDL the clock, the input source and the event source.
void UseSdlBackend();

// SDL's input and event queue, the fallbacks of CurrentInput() and
// CurrentEvents().
InputSource& SdlInput();
EventSource& SdlEvents();
