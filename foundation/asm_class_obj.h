// The root of every object a script can name and call, its class
// descriptor, and the two tables every object shares: the event names and
// the methods common to every object.
#pragma once

#include <cstdint>

#include "foundation/dd_string.h"
#include "foundation/dd_trie.h"

class asmInterpreter;
class asmMethod;  // a method written in script; defined by the script core
class asmClassObj;

// Method records are owned by the script core, whose interpreter installs
// the deleter when it is made (the method trie frees the records it owns
// through it).
// Foundation cannot delete the type itself: it only knows its name.
template <>
struct TrieFree<asmMethod> {
    static inline void (*Deleter)(asmMethod*) = nullptr;
    static void Free(asmMethod* p) {
        if (Deleter) Deleter(p);
    }
};

// Indices of the shared event table.
enum asmEvent : int {
    EV_ONSTART = 0,
    EV_ONSETFRAME = 1,
    EV_ONENDFRAME = 2,
    EV_ONTICK = 3,
    EV_ONFINISH = 4,
    EV_ONCLICK = 5,
    EV_ONMOVEON = 6,
    EV_ONMOVEOFF = 7,
    EV_ONREL = 8,
    EV_ONVISIT = 9,
};
constexpr int kEventCount = 10;
constexpr int kCommonMethodCount = 15;

// Index -> name; the tries are built from these in this order.
extern const char* const kEventNames[kEventCount];
inline constexpr const char* kCommonMethodNames[kCommonMethodCount] = {
    "getname",     "addmethod",     "getidobj",   "addtogamevars", "getbuildername",
    "getfullname", "buildfullname", "setname",    "printvars",     "printmethods",
    "hasvar",      "gettype",       "methodname", "hasmet",        "hasaddedmet",
};

// Method index marking a method written in script; -1 means no method.
constexpr int kScriptMethod = -2;

// A class descriptor: its name and the map from method names to entries
// (value: built-in index, or -2 with the asmMethod as pointer).
class asmClass {
public:
    asmClass();
    virtual ~asmClass();
    asmClass(const asmClass&) = delete;
    asmClass& operator=(const asmClass&) = delete;

    ddTrie<asmMethod>* methods;
    ddString name;
};

class asmClassObj {
public:
    explicit asmClassObj(asmClass* cls = nullptr);
    virtual ~asmClassObj();
    asmClassObj(const asmClassObj&) = delete;
    asmClassObj& operator=(const asmClassObj&) = delete;

    // Virtual operations, in this order for every derived class.
    virtual void SetName(const char* n);
    // Calls a method by name. The lookup and dispatch live in the script
    // core, which installs them with SetMethodCallHook; without one, a call
    // does nothing (an unknown name is ignored, never fatal).
    virtual void CallMethod(asmInterpreter* interp, const char* methodName);
    // Runs built-in method number `index`; the root has none.
    virtual void CallBuiltIn(asmInterpreter* interp, int index);

    using MethodCallHook = void (*)(asmClassObj* object, asmInterpreter* interp, const char* methodName);
    static void SetMethodCallHook(MethodCallHook hook);
    static MethodCallHook GetMethodCallHook();

    const char* GetName() const { return name.c_str(); }
    const ddString& Name() const { return name; }
    ddTrie<asmClassObj>* GetVars() { return vars; }
    int GetId() const { return id; }

    asmClass* GetClass() const { return cls; }
    void SetClass(asmClass* c) { cls = c; }
    asmClassObj* GetOwner() const { return owner; }
    void SetOwner(asmClassObj* o) { owner = o; }

    // Methods added to this object alone; created on first use and owned.
    asmClass* GetAddedMethods() const { return addedMethods; }
    asmClass* AddedMethods();

    // 1 when the object has a script method for event `index` (0..9).
    int HasEvent(int index) const;
    // Marks event `index` as handled, creating the table on first use.
    void SetEvent(int index);
    // SetEvent for `methodName` when it is one of the event names; returns
    // whether it was.
    bool MarkEventByName(const char* methodName);

    // The entry for `methodName` in the object's class with an index other
    // than -1; otherwise the added methods' entry with index -2; else null.
    ddTrie<asmMethod>* FindMethod(const char* methodName) const;

    // Shared tables, built once at the script machine's set-up.
    static void InitMethods();
    static void FreeMethods();
    static ddTrie<int>* EventNames;
    static ddTrie<int>* CommonMethods;

    // The id the next object gets; ids only increase.
    static int32_t NextId();

    // Bits that the registries keeping the object set on it (what kind of
    // object it is, which of their lists hold it), so that they can tell in
    // one look whether an object that goes away concerns them. The meaning
    // of each bit belongs to whoever sets it.
    uint8_t Marks() const { return marks; }
    bool HasMark(uint8_t bit) const { return (marks & bit) != 0; }
    void SetMark(uint8_t bit, bool on) { marks = static_cast<uint8_t>(on ? marks | bit : marks & ~bit); }

private:
    asmClass* cls;
    asmClass* addedMethods = nullptr;
    asmClassObj* owner = nullptr;
    ddString name;
    int32_t* events = nullptr;
    int32_t id;
    ddTrie<asmClassObj>* vars;
    uint8_t marks = 0;
};
