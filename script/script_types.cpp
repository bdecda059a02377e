#include "script/script_types.h"

#include <cstring>

#include "script/asm_var.h"
#include "script/table_class.h"
#include "script/vector_class.h"

namespace {

constexpr const char* kBuiltinTypeNames[] = {
    "int", "real", "string", "def",  "anima", "snd",    "timer", "vector",
    "db",  "img",  "text",   "menu", "path",  "button", "font",  "filter",
};

// "def" objects are register cells, whose parts take the value classes'
// descriptors; its own descriptor has no methods.
asmClass* defMethods = nullptr;

asmClassObj* NewDef(asmClass* cls, const char* name) {
    auto* cell = new asmVarReg(cls, name);
    cell->SetPartClasses(asmVarInt::Methods, asmVarReal::Methods, asmVarString::Methods);
    cell->SetName(name);
    return cell;
}

void FreeDefMethods() {
    delete defMethods;
    defMethods = nullptr;
}

void InitDefMethods() {
    FreeDefMethods();
    defMethods = new asmClass;
}

constexpr asmBuiltinClass kCoreClasses[] = {
    ScriptClassRow<asmVarInt>("int", TYPE_INT),
    ScriptClassRow<asmVarReal>("real", TYPE_REAL),
    ScriptClassRow<asmVarString>("string", TYPE_STRING),
    {"def", TYPE_DEF, InitDefMethods, FreeDefMethods, [] { return defMethods; }, NewDef},
    ScriptClassRow<asmClassVector>("vector", asmClassVector::kTypeCode),
    ScriptClassRow<asmClassDB>("db", asmClassDB::kTypeCode),
};

bool SameName(const asmBuiltinClass& c, const char* name) { return std::strcmp(c.name, name) == 0; }

}  // namespace

std::span<const asmBuiltinClass> CoreScriptClasses() { return kCoreClasses; }

const asmBuiltinClass* asmClassList::Find(const char* name) const {
    if (!name) return nullptr;
    for (const asmBuiltinClass& c : CoreScriptClasses())
        if (SameName(c, name)) return &c;
    for (const asmBuiltinClass& c : handed)
        if (SameName(c, name)) return &c;
    return nullptr;
}

asmObjectFactory asmClassList::GameFactory() const {
    const asmBuiltinClass* game = Find("gameapi");
    return game ? game->create : nullptr;
}

bool IsBuiltinTypeName(const char* name) {
    if (!name) return false;
    for (const char* n : kBuiltinTypeNames)
        if (std::strcmp(n, name) == 0) return true;
    return false;
}
