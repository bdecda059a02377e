// The built-in script classes. Each floor that has some lists them once, in
// one const table of rows: the script core its values, vectors and tables
// (CoreScriptClasses), the floor of the engine's script classes the rest,
// which it hands to the machine at its set-up. A class that no table lists
// does not exist for scripts.
#pragma once

#include <cstdint>
#include <span>

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
    // ("gameapi", "engine", "mouse", "keyboard"). The "gameapi" class's
    // also makes the scripted games.
    asmObjectFactory create = nullptr;
};

// The row of a class built on asmScriptClass (script/script_class.h) whose
// objects are made with `new Obj(cls, name)`.
template <class Obj>
constexpr asmBuiltinClass ScriptClassRow(const char* name, int32_t typeCode) {
    return {name,
            typeCode,
            Obj::InitMethods,
            Obj::FreeMethods,
            [] { return Obj::Methods; },
            [](asmClass* cls, const char* objectName) -> asmClassObj* { return new Obj(cls, objectName); }};
}

// The core's own classes: "int", "real", "string", "def", "vector", "db".
std::span<const asmBuiltinClass> CoreScriptClasses();

// The classes one machine knows: the core's and those it was handed.
class asmClassList {
public:
    explicit asmClassList(std::span<const asmBuiltinClass> handed = {}) : handed(handed) {}

    // The class of that name, or null.
    const asmBuiltinClass* Find(const char* name) const;
    // The maker of scripted games (the "gameapi" class's), or null.
    asmObjectFactory GameFactory() const;
    // Every class, the core's first, each table in its order.
    template <class Fn>
    void ForEach(Fn&& fn) const {
        for (const asmBuiltinClass& c : CoreScriptClasses()) fn(c);
        for (const asmBuiltinClass& c : handed) fn(c);
    }

private:
    std::span<const asmBuiltinClass> handed;
};

// Whether the name is one of the engine's built-in type names (whether or
// not a class for it is listed).
bool IsBuiltinTypeName(const char* name);
