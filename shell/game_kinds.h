// The game kinds the program can run, by name, and the loop that runs them
// one after another. Each floor that has a kind gives its run function (the
// chooser here, the script machine in script_classes, the editors in
// tools); the program lists them all in one const table (app/) and hands
// it to the loop, which owns the name of the kind to run next.
#pragma once

#include <span>
#include <string>

struct GameKind;
using GameKinds = std::span<const GameKind>;

// Runs one game kind to its end and returns the name of the kind to run
// next, "exit" for none. `kinds` is the table the loop runs from.
using GameKindRun = std::string (*)(GameKinds kinds);

struct GameKind {
    const char* name;
    GameKindRun run;
};

// Runs the kind named `first`, then each one the last run named, each on a
// cleared screen, until a run names "exit"; a name the table does not list
// (an empty one too) ends the loop as well.
void RunGameKinds(GameKinds kinds, const std::string& first);
