// The built-in script classes that need the engine's window, sound or
// scene, as the one table the script machine is handed; and the run of the
// machine for the "asmgame" game kind.
#pragma once

#include <span>

#include "script/script_types.h"

// Every class of this floor; a class whose code is not in the program is
// simply not listed.
std::span<const asmBuiltinClass> EngineScriptClasses();

// Builds the script machine with these classes, runs it until a game names
// "exit", and tears it down.
void RunScriptMachine();

// Registers the game kind "asmgame": the script machine, then the music
// stopped.
void RegisterScriptGameKind();
