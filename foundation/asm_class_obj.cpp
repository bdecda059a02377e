#include "foundation/asm_class_obj.h"

#include <cstring>

const char* const kEventNames[kEventCount] = {
    "onstart", "onsetframe", "onendframe", "ontick", "onfinish",
    "onclick", "onmoveon",   "onmoveoff",  "onrel",  "onvisit",
};

ddTrie<int>* asmClassObj::EventNames = nullptr;
ddTrie<int>* asmClassObj::CommonMethods = nullptr;

namespace {
// The id the next object gets; ids only increase.
int32_t g_idCounter = 0;
// How CallMethod finds and runs a method; the script core installs it.
asmClassObj::MethodCallHook g_methodCallHook = nullptr;
}  // namespace

asmClassObj::asmClassObj(asmClass* c) : cls(c), id(g_idCounter), vars(new ddTrie<asmClassObj>) {
    ++g_idCounter;
}

int32_t asmClassObj::NextId() { return g_idCounter; }

void asmClassObj::SetMethodCallHook(MethodCallHook hook) { g_methodCallHook = hook; }

asmClassObj::MethodCallHook asmClassObj::GetMethodCallHook() { return g_methodCallHook; }

asmClassObj::~asmClassObj() {
    delete vars;  // deletes the variables the trie owns
    vars = nullptr;
    delete addedMethods;
    addedMethods = nullptr;
    delete[] events;
    events = nullptr;
}

void asmClassObj::SetName(const char* n) { name = n; }

void asmClassObj::CallMethod(asmInterpreter* interp, const char* methodName) {
    if (g_methodCallHook) g_methodCallHook(this, interp, methodName);
}

void asmClassObj::CallBuiltIn(asmInterpreter*, int) {}

asmClass* asmClassObj::AddedMethods() {
    if (!addedMethods) addedMethods = new asmClass;
    return addedMethods;
}

int asmClassObj::HasEvent(int index) const {
    if (!events || index < 0 || index >= kEventCount) return 0;
    return events[index];
}

void asmClassObj::SetEvent(int index) {
    if (index < 0 || index >= kEventCount) return;
    if (!events) events = new int32_t[kEventCount]();
    events[index] = 1;
}

bool asmClassObj::MarkEventByName(const char* methodName) {
    if (!methodName) return false;
    for (int i = 0; i < kEventCount; ++i) {
        if (std::strcmp(methodName, kEventNames[i]) == 0) {
            SetEvent(i);
            return true;
        }
    }
    return false;
}

ddTrie<asmMethod>* asmClassObj::FindMethod(const char* methodName) const {
    if (cls) {
        ddTrie<asmMethod>* e = cls->methods->Find(methodName);
        if (e && e->value != -1) return e;
    }
    if (addedMethods) {
        ddTrie<asmMethod>* e = addedMethods->methods->Find(methodName);
        if (e && e->value == kScriptMethod) return e;
    }
    return nullptr;
}

void asmClassObj::InitMethods() {
    FreeMethods();
    EventNames = new ddTrie<int>;
    EventNames->Init();
    for (int i = 0; i < kEventCount; ++i) EventNames->Get(kEventNames[i])->value = i;
    CommonMethods = new ddTrie<int>;
    CommonMethods->Init();
    for (int i = 0; i < kCommonMethodCount; ++i) CommonMethods->Get(kCommonMethodNames[i])->value = i;
}

void asmClassObj::FreeMethods() {
    delete EventNames;  // the destructor clears the trie
    EventNames = nullptr;
    delete CommonMethods;
    CommonMethods = nullptr;
}
