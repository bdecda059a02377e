// The built-in script classes that need the engine's window, sound or
// scene, registered with the script machine before it starts; and the run
// of the machine for the "asmgame" game kind.
#pragma once

// One registration per class; a class whose code is not in the program
// is simply not listed.
void RegisterEngineScriptClasses();

// Builds the script machine, runs it until a game names "exit", and tears
// it down.
void RunScriptMachine();

// Registers the game kind "asmgame": the script machine, then the music
// stopped.
void RegisterScriptGameKind();
