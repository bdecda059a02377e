#include <gtest/gtest.h>

#include <string>

#include "foundation/asm_class_obj.h"

// The script core defines the real method record; this program links the
// foundation alone, so it supplies its own, counting live records.
class asmMethod {
public:
    static int live;
    asmMethod() {
        ++live;
        TrieFree<asmMethod>::Deleter = [](asmMethod* p) { delete p; };
    }
    ~asmMethod() { --live; }
};
int asmMethod::live = 0;

namespace {

struct Counted : asmClassObj {
    static int live;
    explicit Counted(asmClass* c = nullptr) : asmClassObj(c) { ++live; }
    ~Counted() override { --live; }
};
int Counted::live = 0;

struct HookCall {
    asmClassObj* object = nullptr;
    std::string name;
};
HookCall lastHookCall;

}  // namespace

TEST(asmClassObj, IdsIncreaseAndAreNeverReused) {
    auto* a = new asmClassObj;
    auto* b = new asmClassObj;
    EXPECT_EQ(b->GetId(), a->GetId() + 1);
    int next = asmClassObj::NextId();
    EXPECT_EQ(next, b->GetId() + 1);
    delete a;
    asmClassObj c;
    EXPECT_EQ(c.GetId(), next);
    delete b;
    asmClassObj d;
    EXPECT_EQ(d.GetId(), next + 1);
}

TEST(asmClassObj, FreshObjectState) {
    asmClass cls;
    asmClassObj o(&cls);
    EXPECT_EQ(o.GetName(), nullptr);
    EXPECT_EQ(o.GetClass(), &cls);
    EXPECT_EQ(o.GetOwner(), nullptr);
    EXPECT_EQ(o.GetAddedMethods(), nullptr);
    ASSERT_NE(o.GetVars(), nullptr);
    EXPECT_EQ(o.GetVars()->count, 0);
    for (int i = 0; i < kEventCount; ++i) EXPECT_EQ(o.HasEvent(i), 0);
    o.SetName("hero");
    EXPECT_STREQ(o.GetName(), "hero");
    o.SetName(nullptr);
    EXPECT_EQ(o.GetName(), nullptr);
    EXPECT_EQ(cls.name.c_str(), nullptr);
}

TEST(asmClassObj, EventTableIsCreatedOnFirstEvent) {
    asmClassObj o;
    EXPECT_FALSE(o.MarkEventByName("mouselclick"));
    EXPECT_EQ(o.HasEvent(EV_ONCLICK), 0);
    EXPECT_TRUE(o.MarkEventByName("onvisit"));
    EXPECT_EQ(o.HasEvent(EV_ONVISIT), 1);
    EXPECT_EQ(o.HasEvent(EV_ONSTART), 0);
    o.SetEvent(EV_ONTICK);
    EXPECT_EQ(o.HasEvent(3), 1);
    EXPECT_EQ(o.HasEvent(-1), 0);
    EXPECT_EQ(o.HasEvent(kEventCount), 0);
}

TEST(asmClassObj, DestructorFreesVariablesAndAddedMethods) {
    {
        auto* o = new asmClassObj;
        o->GetVars()->Get("child")->pointer = new Counted;
        Counted shared;
        SetTrieEntryRef<asmClassObj>(o->GetVars(), "game", 1, &shared);
        asmClass* added = o->AddedMethods();
        EXPECT_EQ(o->AddedMethods(), added);
        added->methods->Get("walk")->pointer = new asmMethod;
        added->methods->Get("walk")->value = kScriptMethod;
        EXPECT_EQ(Counted::live, 2);
        EXPECT_EQ(asmMethod::live, 1);
        delete o;
        EXPECT_EQ(Counted::live, 1);  // the referenced one lives on
        EXPECT_EQ(asmMethod::live, 0);
    }
    EXPECT_EQ(Counted::live, 0);
}

TEST(asmClassObj, FindMethodLooksInClassThenAddedScriptMethods) {
    asmClass cls;
    SetTrieEntryValue(cls.methods, "load", 0);
    cls.methods->Get("loader");  // makes "load" an inner node too
    asmClassObj o(&cls);
    ASSERT_NE(o.FindMethod("load"), nullptr);
    EXPECT_EQ(o.FindMethod("load")->value, 0);
    EXPECT_EQ(o.FindMethod("loader"), nullptr);  // value -1: no method
    EXPECT_EQ(o.FindMethod("lo"), nullptr);

    asmClass* added = o.AddedMethods();
    SetTrieEntryValue(added->methods, "jump", kScriptMethod);
    SetTrieEntryValue(added->methods, "built", 3);  // only script methods count there
    EXPECT_EQ(o.FindMethod("jump")->value, kScriptMethod);
    EXPECT_EQ(o.FindMethod("built"), nullptr);

    asmClassObj bare;
    EXPECT_EQ(bare.FindMethod("load"), nullptr);
}

TEST(asmClassObj, CallMethodGoesThroughTheInstalledHook) {
    asmClassObj o;
    asmClassObj::SetMethodCallHook(nullptr);
    o.CallMethod(nullptr, "anything");  // no hook: nothing happens
    asmClassObj::SetMethodCallHook([](asmClassObj* obj, asmInterpreter*, const char* n) {
        lastHookCall.object = obj;
        lastHookCall.name = n;
    });
    o.CallMethod(nullptr, "play");
    EXPECT_EQ(lastHookCall.object, &o);
    EXPECT_EQ(lastHookCall.name, "play");
    asmClassObj::SetMethodCallHook(nullptr);
    o.CallBuiltIn(nullptr, 0);  // the root has no built-in methods
}

TEST(asmClassObj, SharedTablesHaveTheirNamesAndIndices) {
    asmClassObj::InitMethods();
    ASSERT_NE(asmClassObj::EventNames, nullptr);
    ASSERT_NE(asmClassObj::CommonMethods, nullptr);
    const char* events[] = {"onstart", "onsetframe", "onendframe", "ontick", "onfinish",
                            "onclick", "onmoveon",   "onmoveoff",  "onrel",  "onvisit"};
    for (int i = 0; i < kEventCount; ++i) {
        ASSERT_NE(asmClassObj::EventNames->Find(events[i]), nullptr) << events[i];
        EXPECT_EQ(asmClassObj::EventNames->Find(events[i])->value, i);
    }
    const char* common[] = {"getname",     "addmethod",     "getidobj",   "addtogamevars", "getbuildername",
                            "getfullname", "buildfullname", "setname",    "printvars",     "printmethods",
                            "hasvar",      "gettype",       "methodname", "hasmet",        "hasaddedmet"};
    for (int i = 0; i < kCommonMethodCount; ++i) {
        ASSERT_NE(asmClassObj::CommonMethods->Find(common[i]), nullptr) << common[i];
        EXPECT_EQ(asmClassObj::CommonMethods->Find(common[i])->value, i);
    }
    EXPECT_EQ(asmClassObj::EventNames->Find("onvisit")->value, 9);
    EXPECT_EQ(asmClassObj::CommonMethods->Find("hasaddedmet")->value, 14);
    ddTrie<int>* inner = asmClassObj::EventNames->Find("onmove");  // prefix of onmoveon
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->value, -1);
    EXPECT_EQ(asmClassObj::CommonMethods->Find("getnames"), nullptr);
    EXPECT_EQ(asmClassObj::EventNames->Find("getname"), nullptr);
    asmClassObj::FreeMethods();
    EXPECT_EQ(asmClassObj::EventNames, nullptr);
    EXPECT_EQ(asmClassObj::CommonMethods, nullptr);
    asmClassObj::FreeMethods();  // twice is harmless
}
