#include "script/script_types.h"

#include <cstring>
#include <map>
#include <string>

namespace {

std::map<std::string, asmBuiltinClass>& Registry() {
    static std::map<std::string, asmBuiltinClass> classes;
    return classes;
}

asmObjectFactory gameFactory = nullptr;

constexpr const char* kBuiltinTypeNames[] = {
    "int", "real", "string", "def",  "anima", "snd",    "timer", "vector",
    "db",  "img",  "text",   "menu", "path",  "button", "font",  "filter",
};

}  // namespace

void RegisterScriptClass(const asmBuiltinClass& c) {
    if (!c.name) return;
    Registry()[c.name] = c;
}

const asmBuiltinClass* FindScriptClass(const char* name) {
    if (!name) return nullptr;
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : &it->second;
}

std::vector<std::string> ScriptClassNames() {
    std::vector<std::string> names;
    for (const auto& entry : Registry()) names.push_back(entry.first);
    return names;
}

void ForgetScriptClasses() { Registry().clear(); }

bool IsBuiltinTypeName(const char* name) {
    if (!name) return false;
    for (const char* n : kBuiltinTypeNames)
        if (std::strcmp(n, name) == 0) return true;
    return false;
}

void SetGameFactory(asmObjectFactory factory) { gameFactory = factory; }
asmObjectFactory GetGameFactory() { return gameFactory; }
