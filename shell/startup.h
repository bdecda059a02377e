// Start-up: the single-instance rule, the configuration, the video mode,
// caption, icon and default font, and the loop over game kinds.
#pragma once

#include "foundation/dd_string.h"
#include "shell/config.h"

// The game kind to run next; a kind that wants a successor writes it
// during its run. Reset to "exit" before every run.
inline ddString ActiveGame;

// The marker's name shared by every copy of the program.
inline constexpr const char* kInstanceName = "com_tandrel_velkor_lomtark";

// Opens the video mode the configuration asks for (may end the program
// with "No modes available!" or the video-mode failure).
void OpenVideoMode(const StartupConfig& cfg);

// Runs game kinds until ActiveGame is "exit".
void RunGameKinds();

// The whole start-up; the program's result.
int RunProgram();
