// Start-up: the single-instance rule, the configuration, the video mode,
// caption, icon and default font; then the game kinds run from their table.
#pragma once

#include "app/config.h"
#include "platform/sdl_backend.h"

// The marker's name shared by every copy of the program.
inline constexpr const char* kInstanceName = "com_tandrel_velkor_lomtark";

// Opens the video mode the configuration asks for (may end the program
// with "No modes available!" or the video-mode failure): once the mode is
// chosen, registers the exit handler that closes the media, then opens the
// audio device and GraphAPI::Init opens the rest (see startup.cpp).
void OpenVideoMode(const StartupConfig& cfg);

// The whole start-up; the program's result. `useSeams` installs the clock,
// the input and the event source once the media library runs: SDL's for the
// program, hand-driven ones for a test that plays a game in its own process.
int RunProgram(void (*useSeams)() = UseSdlBackend);
