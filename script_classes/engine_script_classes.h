// The built-in script classes that need the engine's window, sound or
// scene, as the one table the script machine is handed; and the run of the
// machine for the "asmgame" game kind.
#pragma once

#include <span>
#include <string>

#include "script/script_types.h"
#include "shell/game_kinds.h"

// Every class of this floor; a class whose code is not in the program is
// simply not listed.
std::span<const asmBuiltinClass> EngineScriptClasses();

// Builds the script machine with these classes, runs it until a game names
// "exit", and tears it down.
void RunScriptMachine();

// The game kind "asmgame": the script machine, then the music stopped;
// names no successor (the games a script plays follow each other inside
// the machine).
std::string RunScriptGameKind(GameKinds kinds);
