// The script machine's life: set-up of every table and built-in object,
// reading "scripts/game" and assembling the script it names, the queued
// "init" methods, the games run one after another, and the tear-down.
#pragma once

#include <span>
#include <string>

#include "foundation/asm_class_obj.h"
#include "script/interpreter.h"
#include "script/script_objects.h"
#include "script/script_types.h"

class asmScriptMachine {
public:
    // Runs one game object's main loop; returns the name of the next game.
    using GameRunner = std::string (*)(asmClassObj* game);

    // Knows the core's classes and those handed to it (the table must
    // outlive the machine).
    explicit asmScriptMachine(std::span<const asmBuiltinClass> handed = {});
    ~asmScriptMachine();
    asmScriptMachine(const asmScriptMachine&) = delete;
    asmScriptMachine& operator=(const asmScriptMachine&) = delete;

    // Next game "exit", load, then every game in turn until one names "exit".
    void Run(GameRunner runGame);

    // Set-up, the script file, labels, and the queued "init" methods.
    void Load();
    // Set-up alone: built-in objects and method tables, types, opcodes, end
    // kinds, the global class and object.
    void SetUp();
    // Assembles the script text and runs the queued "init" methods.
    void LoadText(const std::string& source);
    // Every object, table and method table freed.
    void Clear();

    const asmClassList classes;
    asmInterpreter interp;
    asmObjects objects;

private:
    void CreateBuiltinObjects();
    void InitTypes();
    void FreeBuiltinMethods();

    bool setUp = false;
};
