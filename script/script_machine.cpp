#include "script/script_machine.h"

#include <sys/stat.h>

#include <string>

#include "foundation/fatal.h"
#include "foundation/file_io.h"
#include "script/asm_var.h"
#include "script/script_types.h"
#include "script/table_class.h"
#include "script/vector_class.h"

namespace {

// The built-in objects, each in the object map under its class's name.
constexpr const char* kBuiltinObjects[] = {"gameapi", "engine", "mouse", "keyboard"};

// Method tables built after the value classes, in this order.
constexpr const char* kLateClasses[] = {"font", "anima", "img",   "snd",  "vector", "db",
                                        "text", "menu",  "timer", "path", "button", "filter"};

// Freed in this order (before the shared tables).
constexpr const char* kFreeOrder[] = {"font",  "int",      "real", "string", "anima",  "gameapi", "engine",
                                      "mouse", "keyboard", "img",  "snd",    "vector", "db",      "text",
                                      "menu",  "timer",    "path", "button", "filter"};

struct TypeRow {
    const char* name;
    int code;
};
// The built-in types, registered in this order.
constexpr TypeRow kTypes[] = {
    {"int", 4},    {"real", 5},    {"string", 6}, {"def", 7},     {"anima", 9}, {"snd", 8},
    {"timer", 10}, {"vector", 11}, {"db", 12},    {"img", 15},    {"text", 14}, {"menu", 13},
    {"path", 16},  {"button", 17}, {"font", 18},  {"filter", 19},
};

asmClassObj* NewInt(asmClass* cls, const char* name) { return new asmVarInt(cls, name); }
asmClassObj* NewReal(asmClass* cls, const char* name) { return new asmVarReal(cls, name); }
asmClassObj* NewString(asmClass* cls, const char* name) { return new asmVarString(cls, name); }
asmClassObj* NewDef(asmClass* cls, const char* name) {
    auto* cell = new asmVarReg(cls, name);
    cell->SetPartClasses(asmVarInt::Class, asmVarReal::Class, asmVarString::Class);
    cell->SetName(name);
    return cell;
}

asmClass* IntClass() { return asmVarInt::Class; }
asmClass* RealClass() { return asmVarReal::Class; }
asmClass* StringClass() { return asmVarString::Class; }
asmClass* defDescriptor = nullptr;
asmClass* DefClass() { return defDescriptor; }

// The value classes are part of the script core and always present.
void RegisterValueClasses() {
    RegisterScriptClass({"int", 4, asmVarInt::InitMethods, asmVarInt::FreeMethods, IntClass, NewInt});
    RegisterScriptClass({"real", 5, asmVarReal::InitMethods, asmVarReal::FreeMethods, RealClass, NewReal});
    RegisterScriptClass(
        {"string", 6, asmVarString::InitMethods, asmVarString::FreeMethods, StringClass, NewString});
    RegisterScriptClass({"def", 7, nullptr, nullptr, DefClass, NewDef});
    RegisterVectorScriptClass();
    RegisterTableScriptClass();
}

bool IsTrimmed(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsTrimmed(s[b])) ++b;
    while (e > b && IsTrimmed(s[e - 1])) --e;
    return s.substr(b, e - b);
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

asmScriptMachine::asmScriptMachine() : objects(interp) {}

asmScriptMachine::~asmScriptMachine() { Clear(); }

void asmScriptMachine::CreateBuiltinObjects() {
    asmClassObj::InitMethods();
    for (const char* name : kBuiltinObjects) {
        const asmBuiltinClass* c = FindScriptClass(name);
        if (!c) continue;
        if (c->initMethods) c->initMethods();
        asmClass* cls = c->descriptor ? c->descriptor() : nullptr;
        if (cls) cls->name = name;
        if (!c->create) continue;
        asmClassObj* object = c->create(cls, name);
        object->SetName(name);
        objects.AddToObjectMap(name, object);
    }
    defDescriptor = defClass = new asmClass;
    asmVarInt::InitMethods();
    asmVarReal::InitMethods();
    asmVarString::InitMethods();
    interp.SetUpCells(asmVarInt::Class, asmVarReal::Class, asmVarString::Class);
    for (const char* name : kLateClasses) {
        const asmBuiltinClass* c = FindScriptClass(name);
        if (c && c->initMethods) c->initMethods();
    }
}

void asmScriptMachine::InitTypes() {
    interp.InitTypeMap();
    for (const TypeRow& row : kTypes) {
        // A class this program does not carry stays out of the type map.
        const asmBuiltinClass* c = FindScriptClass(row.name);
        if (!c) continue;
        asmClass* cls = c->descriptor ? c->descriptor() : nullptr;
        if (!cls) {
            std::string out = "\n";
            out += row.name;
            out += " == NULL!\n";
            std::fwrite(out.data(), 1, out.size(), stdout);
            continue;
        }
        cls->name = row.name;
        SetTrieEntryRef(interp.typeMap, row.name, row.code, cls);
    }
}

void asmScriptMachine::FreeBuiltinMethods() {
    delete defClass;
    defClass = defDescriptor = nullptr;
    for (const char* name : kFreeOrder) {
        if (const asmBuiltinClass* c = FindScriptClass(name))
            if (c->freeMethods) c->freeMethods();
    }
    asmClassObj::FreeMethods();
}

void asmScriptMachine::SetUp() {
    RegisterValueClasses();
    setUp = true;
    interp.loading = true;
    CreateBuiltinObjects();
    InitTypes();
    interp.InitOpcodes();
    interp.InitEndKinds();
    interp.CreateGlobalClass();
    objects.NewObject("global", "global");
    ddTrie<asmClassObj>* global = objects.GetObjectMap()->Find("global");
    interp.globalObject = global ? global->pointer : nullptr;
    objects.RemoveFromInitQueue(interp.globalObject);
    interp.SelectGlobal();
    interp.NamesChanged();
}

void asmScriptMachine::LoadText(const std::string& source) {
    interp.AssembleText(source);
    interp.TieLabels();
    interp.loading = false;
    interp.NamesChanged();
    objects.QueueInit(interp.globalObject);
    objects.RunInitQueue();
}

void asmScriptMachine::Load() {
    SetUp();
    std::string named;
    if (!ReadWholeFile("scripts/game", named)) named.clear();
    std::string path = "scripts/" + Trim(named);
    std::string source;
    // A folder is not a script, whatever the platform lets one open.
    if (!IsRegularFile(path) || !ReadWholeFile(path.c_str(), source))
        FatalExit("\nfailed to open asm file!\n", 1);
    LoadText(source);
}

void asmScriptMachine::Run(GameRunner runGame) {
    objects.nextGame = "exit";
    Load();
    while (objects.nextGame != "exit") {
        std::string name = objects.nextGame.c_str() ? objects.nextGame.c_str() : "";
        ddTrie<asmClass>* type = interp.typeMap ? interp.typeMap->Find(name.c_str()) : nullptr;
        // A name no type bears fails in NewObject like any "new" of an unknown class;
        // a class, module or built-in type is refused here instead of run as a game.
        if (type && type->pointer && type->value != KIND_GAME) {
            std::string out = "\nno such game to play: ";
            out += name;
            out += '\n';
            FatalExit(out, 1);
        }
        objects.NewObject(name.c_str(), name.c_str());
        asmClassObj* game = interp.currentGame;
        std::string next = runGame ? runGame(game) : std::string("exit");
        objects.nextGame = next.c_str();
        interp.SetCurrentGame(nullptr);
        interp.currentObject = interp.globalObject;
        delete game;
        objects.DestroyDeferred();
        interp.NamesChanged();
    }
}

void asmScriptMachine::Clear() {
    if (!setUp) return;
    objects.ClearObjects();
    FreeBuiltinMethods();
    interp.ClearProgram();
    interp.ResetStorage();
    interp.currentObject = nullptr;
    interp.globalObject = nullptr;
    interp.loading = true;
    setUp = false;
}
