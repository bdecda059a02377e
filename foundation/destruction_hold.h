// Held by engine code that walks its objects and raises script events on
// them (the game loop's frame, the scene's walks): objects deleted
// meanwhile are withdrawn at once and destroyed when the outermost hold
// ends, never under the feet of the engine code that raised the event.
//
// The script machine installs what the end of the outermost hold does
// (destroy what waits, unless a script call is still running); without it
// the hold only counts.
#pragma once

class asmDestructionHold {
public:
    asmDestructionHold();
    ~asmDestructionHold();
    asmDestructionHold(const asmDestructionHold&) = delete;
    asmDestructionHold& operator=(const asmDestructionHold&) = delete;

    // True while any hold is alive.
    static bool Held();
    // Run when the outermost hold ends; null runs nothing.
    static void SetReleaseAction(void (*action)());
};
