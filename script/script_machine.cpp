#include "script/script_machine.h"

#include <sys/stat.h>

#include <string>

#include "foundation/fatal.h"
#include "foundation/file_io.h"
#include "script/asm_var.h"
#include "script/script_types.h"

namespace {

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

asmScriptMachine::asmScriptMachine(std::span<const asmBuiltinClass> handed)
    : classes(handed), objects(interp, classes) {}

asmScriptMachine::~asmScriptMachine() { Clear(); }

void asmScriptMachine::CreateBuiltinObjects() {
    asmClassObj::InitMethods();
    // The built-in objects first, in their table's order (their ids follow it).
    classes.ForEach([this](const asmBuiltinClass& c) {
        if (c.typeCode != TYPE_NONE) return;
        if (c.initMethods) c.initMethods();
        asmClass* cls = c.descriptor ? c.descriptor() : nullptr;
        if (cls) cls->name = c.name;
        if (!c.create) return;
        asmClassObj* object = c.create(cls, c.name);
        object->SetName(c.name);
        objects.AddToObjectMap(c.name, object);
    });
    classes.ForEach([](const asmBuiltinClass& c) {
        if (c.typeCode != TYPE_NONE && c.initMethods) c.initMethods();
    });
    interp.SetUpCells(asmVarInt::Methods, asmVarReal::Methods, asmVarString::Methods);
}

void asmScriptMachine::InitTypes() {
    interp.InitTypeMap();
    classes.ForEach([this](const asmBuiltinClass& c) {
        if (c.typeCode == TYPE_NONE) return;
        asmClass* cls = c.descriptor ? c.descriptor() : nullptr;
        if (!cls) {
            std::string out = "\n";
            out += c.name;
            out += " == NULL!\n";
            std::fwrite(out.data(), 1, out.size(), stdout);
            return;
        }
        cls->name = c.name;
        SetTrieEntryRef(interp.typeMap, c.name, c.typeCode, cls);
    });
}

void asmScriptMachine::FreeBuiltinMethods() {
    classes.ForEach([](const asmBuiltinClass& c) {
        if (c.freeMethods) c.freeMethods();
    });
    asmClassObj::FreeMethods();
}

void asmScriptMachine::SetUp() {
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
