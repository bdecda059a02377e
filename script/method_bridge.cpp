// The bridge from a call by name to a method: the search order, the
// methods common to every object, and the debug reports of calls.
#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>

#include "foundation/fatal.h"
#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_objects.h"

namespace {

// Entry with an index other than -1, or null.
ddTrie<asmMethod>* ClassEntry(asmClass* cls, const char* name) {
    if (!cls) return nullptr;
    ddTrie<asmMethod>* e = cls->methods->Find(name);
    return e && e->value != -1 ? e : nullptr;
}

ddTrie<asmMethod>* ScriptEntry(ddTrie<asmMethod>* e) { return e && e->value == kScriptMethod ? e : nullptr; }

void Write(const std::string& s) { std::fwrite(s.data(), 1, s.size(), stdout); }

// "<named>obj::name" for a named object, "<unnamed>name" otherwise.
void Report(const char* named, const char* unnamed, const asmClassObj* object, const char* name,
            const char* tail = "\n") {
    std::string out;
    const char* objectName = object->GetName();
    if (objectName) {
        out = named;
        out += objectName;
        out += "::";
    } else {
        out = unnamed;
    }
    out += name;
    out += tail;
    Write(out);
}

const char* NameOrNull(const char* s) { return s ? s : "null"; }

}  // namespace

void asmObjects::CallMethod(asmClassObj* object, const char* name, asmCallCache& cache) {
    if (!object) return;
    if (!name) name = "";
    if (!cache.Holds(object, name, m.NameEpoch(), m.currentGame)) {
        // A register cell forwards the call to the value it holds, which
        // may change from one call to the next: no memory for it.
        if (dynamic_cast<asmVarReg*>(object)) {
            object->CallMethod(&m, name);
            return;
        }
        Remember(cache, object, name, Search(object, name));
    }
    m.lastCalledName = name;
    Finish(object, name, {cache.index, cache.method, cache.common, cache.deep});
}

void asmObjects::Remember(asmCallCache& c, const asmClassObj* object, const char* name,
                          const asmMethodFound& found) {
    c.epoch = m.NameEpoch();
    c.object = object;
    c.objectId = object->GetId();
    c.cls = object->GetClass();
    c.name = name;
    c.deep = found.deep;
    const asmClassObj* owner = object->GetOwner();
    c.owner = owner;
    c.ownerClass = owner ? owner->GetClass() : nullptr;
    c.gameClass = m.currentGame ? m.currentGame->GetClass() : nullptr;
    c.index = found.index;
    c.method = found.method;
    c.common = found.common;
    c.direct = found.common == kNoCommon && found.index == kScriptMethod && found.method;
}

ddTrie<asmMethod>* asmObjects::FindScriptMethod(const char* name) {
    if (m.currentObject)
        if (ddTrie<asmMethod>* e = m.currentObject->FindMethod(name)) return e;
    if (m.currentGame)
        if (ddTrie<asmMethod>* e = m.currentGame->FindMethod(name)) return e;
    return ClassEntry(m.globalClass, name);
}

asmMethodFound asmObjects::Search(const asmClassObj* object, const char* name) {
    ++methodSearches;
    asmMethodFound found;
    ddTrie<asmMethod>* entry = ClassEntry(object->GetClass(), name);
    if (!entry && asmClassObj::CommonMethods) {
        ddTrie<int>* c = asmClassObj::CommonMethods->Find(name);
        if (c && c->value != -1) found.common = c->value;
    }
    if (!entry && found.common == kNoCommon) {
        if (asmClass* added = object->GetAddedMethods()) entry = ScriptEntry(added->methods->Find(name));
        if (!entry) {
            // From here on the result depends on the owner and the game.
            found.deep = true;
            if (object->GetOwner()) entry = ScriptEntry(object->GetOwner()->FindMethod(name));
            if (!entry && m.currentGame) entry = ScriptEntry(m.currentGame->FindMethod(name));
            if (!entry) entry = ClassEntry(m.globalClass, name);
        }
    }
    if (entry) {
        found.index = entry->value;
        found.method = entry->pointer;
    }
    return found;
}

void asmObjects::Call(asmClassObj* object, const char* name) {
    if (!object || IsWithdrawn(object)) return;
    if (!name) name = "";
    m.lastCalledName = name;
    Finish(object, name, Search(object, name));
}

void asmObjects::Finish(asmClassObj* object, const char* name, const asmMethodFound& found) {
    if (!found.Found()) {
        if ((m.debugLevel == 1 || m.debugLevel == 2) && m.sp != -1)
            Report("stack!=-1 !! :  ", "stack!=-1 !! : null::", object, name);
        else if (m.debugLevel == 3)
            Report("no method :  ", "no method : null::", object, name);
        return;
    }
    Dispatch(object, name, found);
}

void asmObjects::CallInit(asmClassObj* object) {
    if (!object) return;
    static const char* const kInit = "init";
    ddTrie<asmMethod>* entry = object->FindMethod(kInit);
    if (!entry) return;
    m.lastCalledName = kInit;
    Dispatch(object, kInit, {entry->value, entry->pointer, kNoCommon, false});
}

void asmObjects::Dispatch(asmClassObj* object, const char* name, const asmMethodFound& found) {
    if (m.debugLevel == 1) Report("call: ", "call: null::", object, name);
    m.running.push_back(object);
    if (found.common != kNoCommon) {
        RunCommonMethod(object, found.common);
    } else if (found.index == kScriptMethod) {
        if (found.method) m.RunScriptMethod(object, *found.method, name);
    } else {
        object->CallBuiltIn(&m, found.index);
    }
    CallReturned(object, name);
}

void asmObjects::CallReturned(asmClassObj* object, const char* name) {
    if (m.debugLevel == 4) {
        std::string tail = "   stack: ";
        tail += std::to_string(m.sp);
        tail += '\n';
        Report("method:  ", "method: null::", object, name, tail.c_str());
    }
    m.running.pop_back();
    if (m.running.empty() && !asmDestructionHold::Held()) DestroyDeferred();
}

// ---------------------------------------------------------------- common methods

std::string asmObjects::GetFullName(const asmClassObj* object) {
    std::string full;
    for (const asmClassObj* o = object; o; o = o->GetOwner()) {
        const char* n = o->GetName();
        full.insert(0, n ? n : "");
    }
    return full;
}

void asmObjects::AddMethod(asmClassObj* object, const char* newName, const char* sourceName) {
    ddTrie<asmMethod>* source = FindScriptMethod(sourceName);
    if (!source || source->value != kScriptMethod || !newName || !*newName) return;
    asmClass* added = object->AddedMethods();
    ddTrie<asmMethod>* entry = added->methods->Get(newName);
    if (entry->pointer && entry->owns) {
        std::string out = "method ";
        out += newName;
        out += " already in use\n";
        FatalExit(out, 1);
    }
    entry->value = kScriptMethod;
    entry->pointer = source->pointer;
    entry->owns = 0;
    object->MarkEventByName(newName);
    m.NamesChanged();
}

void asmObjects::AddToGameVars(asmClassObj* object, const char* name) {
    // Without a running game there is no table to add to.
    ddTrie<asmClassObj>* vars = GetGameObjectVars();
    if (!vars || !name || !*name) return;
    ddTrie<asmClassObj>* entry = vars->Get(name);
    if (entry->pointer) {
        std::string out = "there's already declared object ";
        out += name;
        out += '\n';
        FatalExit(out, 1);
    }
    entry->pointer = object;
    entry->owns = 0;
    entry->value = 1;
    m.NamesChanged();
}

namespace {

// The methods every object answers to, by the names and indices of
// kCommonMethodNames (whose trie a call by name goes through).
constexpr MethodRow<asmObjects::CommonCall> kCommonRows[] = {
    {"getname", 0,
     [](asmObjects::CommonCall& c, asmInterpreter& m, int) {
         PushString(m, NameOrNull(c.object.GetName()));
     }},
    {"addmethod", 1,
     [](asmObjects::CommonCall& c, asmInterpreter& m, int) {
         ddString source = PopArgString(m);
         ddString newName = PopArgString(m);
         c.objects.AddMethod(&c.object, newName.c_str(), source.c_str());
     }},
    {"getidobj", 2, [](asmObjects::CommonCall& c, asmInterpreter& m, int) { PushInt(m, c.object.GetId()); }},
    {"addtogamevars", 3,
     [](asmObjects::CommonCall& c, asmInterpreter& m, int) {
         ddString name = PopArgString(m);
         c.objects.AddToGameVars(&c.object, name.c_str());
     }},
    {"getbuildername", 4,
     [](asmObjects::CommonCall& c, asmInterpreter& m, int) {
         PushString(m, c.object.GetOwner() ? NameOrNull(c.object.GetOwner()->GetName()) : "null");
     }},
    {"getfullname", 5,
     [](asmObjects::CommonCall& c, asmInterpreter& m, int) {
         PushString(m, asmObjects::GetFullName(&c.object).c_str());
     }},
    {"buildfullname", 6,
     [](asmObjects::CommonCall& c, asmInterpreter&, int) {
         c.objects.AddToGameVars(&c.object, asmObjects::GetFullName(&c.object).c_str());
     }},
    {"setname", 7,
     [](asmObjects::CommonCall& c, asmInterpreter& m, int) {
         ddString name = PopArgString(m);
         c.object.SetName(name.c_str() ? name.c_str() : "");
     }},
    {"printvars", 8,
     [](asmObjects::CommonCall& c, asmInterpreter&, int) {
         if (!c.object.GetVars()) {
             std::string out = "object ";
             out += NameOrNull(c.object.GetName());
             out += " has no vars";
             Write(out);
         } else {
             ddTrie<asmClassObj>::Dump(c.object.GetVars());
         }
     }},
    {"printmethods", 9,
     [](asmObjects::CommonCall& c, asmInterpreter&, int) {
         if (c.object.GetClass()) ddTrie<asmMethod>::Dump(c.object.GetClass()->methods);
         if (c.object.GetAddedMethods()) ddTrie<asmMethod>::Dump(c.object.GetAddedMethods()->methods);
     }},
    {"hasvar", 10,
     [](asmObjects::CommonCall& c, asmInterpreter& m, int) {
         std::string name = NameOrNull(PopArg(m, 0)->GetString());
         ddTrie<asmClassObj>* e = c.object.GetVars() ? c.object.GetVars()->Find(name.c_str()) : nullptr;
         PushInt(m, e && e->pointer ? 1 : 0);
     }},
    {"gettype", 11,
     [](asmObjects::CommonCall& c, asmInterpreter& m, int) {
         PushString(m, c.object.GetClass() ? NameOrNull(c.object.GetClass()->name.c_str()) : "null");
     }},
    {"methodname", 12,
     [](asmObjects::CommonCall&, asmInterpreter& m, int) { PushString(m, NameOrNull(m.runningMethodName)); }},
    {"hasmet", 13,
     [](asmObjects::CommonCall& c, asmInterpreter& m, int) {
         ddString name = PopArgString(m);
         PushInt(m, ClassEntry(c.object.GetClass(), name.c_str()) ? 1 : 0);
     }},
    {"hasaddedmet", 14,
     [](asmObjects::CommonCall& c, asmInterpreter& m, int) {
         ddString name = PopArgString(m);
         asmClass* added = c.object.GetAddedMethods();
         PushInt(m, added && ScriptEntry(added->methods->Find(name.c_str())) ? 1 : 0);
     }},
};
static_assert(std::size(kCommonRows) == kCommonMethodCount);

// Each row answers to the name that a call by name finds at its index.
consteval bool RowsAnswerToTheirNames() {
    for (const auto& row : kCommonRows)
        if (row.index < 0 || row.index >= kCommonMethodCount ||
            std::string_view(row.name) != kCommonMethodNames[row.index])
            return false;
    return true;
}
static_assert(RowsAnswerToTheirNames());

// No common method has an index past the rows; the report names none.
constexpr UnknownMethod kUnknownCommon{"txobjmets unknown method!\n", OnUnknown::Report};
constexpr MethodTable<asmObjects::CommonCall> kCommonTable{kCommonRows, kUnknownCommon};

}  // namespace

const MethodTable<asmObjects::CommonCall>& asmObjects::CommonMethodTable() { return kCommonTable; }

void asmObjects::RunCommonMethod(asmClassObj* object, int index) {
    CommonCall call{*this, *object};
    kCommonTable.Run(call, &m, index);
}
