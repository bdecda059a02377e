// The game kinds the program can run, by name, and the loop that runs them
// one after another. Each kind registers itself from its own floor (the
// chooser here, the script machine from the script classes, the editors
// from tools); the program registers them explicitly at start-up.
#pragma once

#include "foundation/dd_string.h"

// The game kind to run next; a kind that wants a successor writes it
// during its run. Reset to "exit" before every run.
inline ddString ActiveGame;

// Runs one game kind to its end.
using GameKindRun = void (*)();

// Makes `name` (not null) run `run`; the same name again replaces the
// earlier one.
void RegisterGameKind(const char* name, GameKindRun run);

// Forgets every registered kind.
void ClearGameKinds();

// Runs game kinds until ActiveGame is "exit", each on a cleared screen;
// a name nobody registered ends the loop.
void RunGameKinds();
