// The built-in script classes the machine knows: each registers its name,
// its type code (for the classes "new" can make), how its method table is
// built and freed, and how its objects are made. A class that is not
// registered simply does not exist for scripts.
//
// Adding a class is one RegisterScriptClass call (see
// script_classes/engine_script_classes.cpp for the ones that need a window).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class asmClass;
class asmClassObj;

// Makes an object of the class with its descriptor and name.
using asmObjectFactory = asmClassObj* (*)(asmClass* cls, const char* name);

struct asmBuiltinClass {
    const char* name = nullptr;  // "img", "gameapi", ...
    int32_t typeCode = -1;       // 4..19 for types "new" makes; -1 for the built-in objects' classes
    void (*initMethods)() = nullptr;
    void (*freeMethods)() = nullptr;
    asmClass* (*descriptor)() = nullptr;
    // The object "new" makes, or the one built-in object of that name
    // ("gameapi", "engine", "mouse", "keyboard").
    asmObjectFactory create = nullptr;
};

// Registers (or replaces) a class under its name.
void RegisterScriptClass(const asmBuiltinClass& c);
// The registered class of that name, or null.
const asmBuiltinClass* FindScriptClass(const char* name);
// The names of every registered class, in byte order.
std::vector<std::string> ScriptClassNames();
// Forgets every registered class (tests).
void ForgetScriptClasses();

// Whether the name is one of the engine's built-in type names (whether or
// not a class for it is registered).
bool IsBuiltinTypeName(const char* name);

// The scripted game: "new" of a game class and the running of one. Set by
// the part of the engine that has a window.
void SetGameFactory(asmObjectFactory factory);
asmObjectFactory GetGameFactory();
