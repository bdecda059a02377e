// Object tables, name look-up, "new", "delete", the init queue and safe
// destruction.
#include "script/script_objects.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "foundation/fatal.h"
#include "foundation/object_gone.h"
#include "script/asm_var.h"
#include "script/interpreter.h"
#include "script/script_types.h"

asmObjects* asmObjects::Instance = nullptr;

namespace {

// A call by name from native code (an engine event, a game's hook) goes to
// the object layer of the machine it names.
void MethodCallHook(asmClassObj* object, asmInterpreter* interp, const char* name) {
    if (asmObjects* objects = interp ? asmObjects::Of(*interp) : nullptr) objects->Call(object, name);
}

// The object the entry holds, or null.
asmClassObj* Held(ddTrie<asmClassObj>* table, const char* name) {
    if (!table) return nullptr;
    ddTrie<asmClassObj>* e = table->Find(name);
    return e ? e->pointer : nullptr;
}

template <typename Fn>
void ForEachNode(ddTrie<asmClassObj>* node, Fn&& fn) {
    if (!node) return;
    fn(node);
    for (int i = 0; i < node->count; ++i) ForEachNode(node->children[i], fn);
}

// The object and every object it owns, through its variables.
void CollectOwned(asmClassObj* object, std::vector<asmClassObj*>& out) {
    out.push_back(object);
    ForEachNode(object->GetVars(), [&](ddTrie<asmClassObj>* n) {
        if (n->pointer && n->owns && n->pointer != object) CollectOwned(n->pointer, out);
    });
}

}  // namespace

asmObjects::asmObjects(asmInterpreter& machine, const asmClassList& known)
    : m(machine), classes(known), objectMap(new ddTrie<asmClassObj>) {
    Instance = this;
    m.SetObjectModel(this);
    asmClassObj::SetMethodCallHook(MethodCallHook);
    asmDestructionHold::SetReleaseAction(ReleaseHeld);
}

asmObjects* asmObjects::Of(asmInterpreter& machine) {
    return dynamic_cast<asmObjects*>(machine.GetObjectModel());
}

asmObjects::~asmObjects() {
    ClearObjects();
    delete objectMap;
    if (m.GetObjectModel() == this) m.SetObjectModel(nullptr);
    if (Instance == this) {
        Instance = nullptr;
        asmClassObj::SetMethodCallHook(nullptr);
        asmDestructionHold::SetReleaseAction(nullptr);
    }
}

void asmObjects::ClearObjects() {
    DestroyDeferred();
    initQueue.clear();
    if (m.currentGame) m.SetCurrentGame(nullptr);
    m.currentObject = nullptr;
    m.globalObject = nullptr;
    objectMap->Clear();  // deletes every owned object
    DestroyDeferred();
    m.NamesChanged();
}

// ---------------------------------------------------------------- tables

ddTrie<asmClassObj>* asmObjects::GetCurrentObjectVars() {
    return m.currentObject ? m.currentObject->GetVars() : nullptr;
}

ddTrie<asmClassObj>* asmObjects::GetOwnerObjectVars() {
    asmClassObj* owner = m.currentObject ? m.currentObject->GetOwner() : nullptr;
    return owner ? owner->GetVars() : nullptr;
}

ddTrie<asmClassObj>* asmObjects::GetGameObjectVars() {
    return m.currentGame ? m.currentGame->GetVars() : nullptr;
}

void asmObjects::AddToObjectMap(const char* name, asmClassObj* object) {
    ddTrie<asmClassObj>* e = objectMap->Get(name);
    if (!e) {
        delete object;
        return;
    }
    if (e->pointer && e->owns) Destroy(e->pointer);
    e->value = 1;
    e->pointer = object;
    e->owns = 1;
    m.NamesChanged();
}

asmClassObj* asmObjects::LookupVar(const char* name) {
    if (!name || !*name) return nullptr;
    if (asmClassObj* o = Held(GetCurrentObjectVars(), name)) return o;
    if (asmClassObj* o = Held(GetOwnerObjectVars(), name)) return o;
    if (asmClassObj* o = Held(objectMap, name)) return o;
    if (m.globalObject)
        if (asmClassObj* o = Held(m.globalObject->GetVars(), name)) return o;
    return Held(GetGameObjectVars(), name);
}

// ---------------------------------------------------------------- creation

void asmObjects::NewObject(const char* className, const char* objectName) {
    ddTrie<asmClass>* type = m.typeMap ? m.typeMap->Find(className) : nullptr;
    if (!type || !type->pointer) m.Fatal("no such class to new object:", className);
    const int kind = type->value;

    if (kind == KIND_CLASS || kind == KIND_MODULE) {
        ddTrie<asmClassObj>* target = objectMap;
        if (kind == KIND_CLASS && !m.loading && m.currentObject) target = m.currentObject->GetVars();
        ddTrie<asmClassObj>* entry = target->Get(objectName);
        if (!entry) m.Fatal("wrong new object name:", objectName);
        if (entry->pointer) {
            std::string out = "\nthere's already declared object ";
            out += objectName;
            out += '\n';
            FatalExit(out, 1);
        }
        auto* object = new asmClassObj(type->pointer);
        entry->pointer = object;
        entry->owns = 1;
        entry->value = 1;
        object->SetName(objectName);
        m.NamesChanged();
        if (m.loading || kind == KIND_MODULE) {
            QueueInit(object);
        } else {
            object->SetOwner(m.currentObject);
            CallInit(object);
        }
        return;
    }

    if (kind == KIND_GAME) {
        asmObjectFactory make = classes.GameFactory();
        if (!make) m.Fatal("no such class to new object:", className);
        asmClassObj* game = make(type->pointer, objectName);
        game->SetName(objectName);
        m.SetCurrentGame(game);
        ddTrie<asmClassObj>* self = game->GetVars()->Get(objectName);
        if (self) {
            self->pointer = game;
            self->owns = 0;
            self->value = 1;
        }
        m.currentObject = game;
        m.NamesChanged();
        return;
    }

    m.Fatal("no such class to new object:", className);
}

std::string asmObjects::ObjectName(asmOperand& op) {
    std::string name = m.OperandName(op);
    unsigned char first = name.empty() ? 0 : static_cast<unsigned char>(name[0]);
    if (!(std::isalpha(first) || first == '_')) m.Fatal("wrong new object name:", name.c_str());
    return name;
}

ddTrie<asmClassObj>* asmObjects::NewTarget() {
    return m.currentObject ? m.currentObject->GetVars() : objectMap;
}

void asmObjects::ExecNew(asmOperand& typeOp, asmOperand& nameOp) {
    std::string typeName = m.OperandName(typeOp);
    ddTrie<asmClass>* type = m.typeMap ? m.typeMap->Find(typeName.c_str()) : nullptr;
    if (!type || type->value == -1) {
        // A built-in type whose class this program does not carry.
        if (IsBuiltinTypeName(typeName.c_str()))
            m.Fatal("can't create object of such type:", ObjectName(typeOp).c_str());
        m.Fatal("declaration of non existing type", typeName.c_str());
    }
    const int kind = type->value;
    ddTrie<asmClassObj>* target = NewTarget();

    if (kind == KIND_CLASS) {
        std::string objectName = ObjectName(nameOp);
        NewObject(typeName.c_str(), objectName.c_str());
        return;
    }
    const asmBuiltinClass* builtin = kind >= 4 && kind <= 19 ? classes.Find(typeName.c_str()) : nullptr;
    if (!builtin || !builtin->create || builtin->typeCode != kind)
        m.Fatal("can't create object of such type:", ObjectName(typeOp).c_str());

    std::string objectName = ObjectName(nameOp);
    ddTrie<asmClassObj>* entry = target->Get(objectName.c_str());
    if (entry->pointer) m.Fatal("already created", objectName.c_str());
    asmClassObj* object = builtin->create(type->pointer, objectName.c_str());
    object->SetOwner(m.currentObject);
    // The constructor may have run script code that changed the table.
    entry = target->Get(objectName.c_str());
    if (entry->pointer) {
        delete object;
        m.Fatal("already created", objectName.c_str());
    }
    entry->pointer = object;
    entry->owns = 1;
    entry->value = 1;
    object->SetName(objectName.c_str());
    m.NamesChanged();
}

// ---------------------------------------------------------------- deletion

void asmObjects::ExecDelete(asmOperand& nameOp) {
    ddTrie<asmClassObj>* table = NewTarget();
    std::string name = ObjectName(nameOp);
    ddTrie<asmClassObj>* entry = table->Find(name.c_str());
    if (!entry || !entry->pointer) m.Fatal("there is no object to delete: ", name.c_str());
    asmClassObj* object = entry->pointer;
    const bool owned = entry->owns != 0;
    entry->pointer = nullptr;
    entry->owns = 1;
    m.NamesChanged();
    if (owned) Destroy(object);
}

bool asmObjects::IsRunning(asmClassObj* object) const {
    return std::find(m.running.begin(), m.running.end(), object) != m.running.end();
}

void asmObjects::ForgetAliases(const std::vector<asmClassObj*>& dying) {
    auto clear = [&](ddTrie<asmClassObj>* table) {
        ForEachNode(table, [&](ddTrie<asmClassObj>* n) {
            if (n->pointer && !n->owns && std::find(dying.begin(), dying.end(), n->pointer) != dying.end()) {
                n->pointer = nullptr;
                n->owns = 1;
            }
        });
    };
    clear(GetGameObjectVars());
    clear(objectMap);
    if (m.globalObject) clear(m.globalObject->GetVars());
}

void asmObjects::RemoveFromInitQueue(asmClassObj* object) {
    initQueue.erase(std::remove(initQueue.begin(), initQueue.end(), object), initQueue.end());
}

void asmObjects::Destroy(asmClassObj* object) {
    if (!object) return;
    std::vector<asmClassObj*> dying;
    CollectOwned(object, dying);
    ForgetAliases(dying);
    bool busy = asmDestructionHold::Held();
    for (asmClassObj* d : dying) {
        RemoveFromInitQueue(d);
        if (IsRunning(d) || d == m.currentObject) busy = true;
    }
    m.NamesChanged();
    if (!busy) {
        delete object;
        return;
    }
    deferred.push_back(object);
    for (asmClassObj* d : dying) {
        withdrawn.push_back(d);
        AnnounceGone(*d, GoneReason::Withdrawn);
    }
}

void asmObjects::DestroyDeferred() {
    while (!deferred.empty()) {
        std::vector<asmClassObj*> now;
        now.swap(deferred);
        for (asmClassObj* o : now) delete o;
    }
    withdrawn.clear();
}

bool asmObjects::IsWithdrawn(const asmClassObj* object) const {
    return !withdrawn.empty() && std::find(withdrawn.begin(), withdrawn.end(), object) != withdrawn.end();
}

// The foundation's destruction hold calls this without arguments when its
// outermost hold ends: the running layer is the only way in.
void asmObjects::ReleaseHeld() {
    if (Instance && Instance->m.running.empty()) Instance->DestroyDeferred();
}

// ---------------------------------------------------------------- init

void asmObjects::RunInitQueue() {
    // An "init" may create or delete queued objects: take them one at a time.
    while (!initQueue.empty()) {
        asmClassObj* object = initQueue.front();
        initQueue.erase(initQueue.begin());
        m.currentObject = object;
        m.NamesChanged();
        CallInit(object);
    }
    m.currentObject = m.globalObject;
    m.NamesChanged();
}
