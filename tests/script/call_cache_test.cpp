// Calls by name remember what they found at their call site: repeated calls
// search the method tables once, and every change that can alter the result
// ("addmethod", an object replaced under the same name, a class swapped by
// "clparent", a different running game) is seen by the next call.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "script/child_process.h"
#include "script/code.h"
#include "script/script_machine.h"

namespace {

int IntOf(asmScriptMachine& machine, const char* name) {
    auto* v = dynamic_cast<asmVar*>(machine.objects.LookupVar(name));
    return v ? v->GetInt() : -1;
}

// Runs `script`, then calls `method` on the global object; prints the
// method searches that call needed and the listed int variables.
std::string RunAndCount(const std::string& script, const char* method,
                        std::initializer_list<const char*> counters) {
    ChildOutcome r = RunInChild([&] {
        asmScriptMachine machine;
        machine.SetUp();
        machine.LoadText(script);
        uint64_t before = machine.objects.MethodSearches();
        machine.interp.globalObject->CallMethod(&machine.interp, method);
        std::printf("searches %llu",
                    static_cast<unsigned long long>(machine.objects.MethodSearches() - before));
        for (const char* c : counters) std::printf(" %s=%d", c, IntOf(machine, c));
    });
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitCode, 0) << r.out;
    return r.out;
}

}  // namespace

TEST(CallSiteCache, ManyCallsFromOneSiteSearchOnce) {
    const char* script =
        "class k\n"
        "method empty\n  add hits, 1\n  pop hits\nend method\n"
        "method drive\n  localint $1\n  mov $1, 0\nagain:\n  cthis empty\n  call other, empty\n"
        "  call other, getidobj\n"  // a common method
        "  pop $a\n"
        "  call other, fromglobal\n"  // falls through to the global class
        "  call other, nowhere\n"     // found nowhere
        "  add $1, 1\n  pop $1\n  cmp $1, 100\n  jl again\nend method\nend class\n"
        "method fromglobal\n  add far, 1\n  pop far\nend method\n"
        "method go\n  call obj, drive\nend method\nnew int, hits\nnew int, far\nnew k, obj\nnew k, other\n";
    // "go" itself, "drive", then one search for each of the five call sites.
    EXPECT_EQ(RunAndCount(script, "go", {"hits", "far"}), "searches 7 hits=200 far=100");
}

TEST(CallSiteCache, AnAddedMethodIsSeenByTheNextCall) {
    const char* script =
        "class bare\nend class\n"
        "method who\n  add fromglobal, 1\n  pop fromglobal\nend method\n"
        "method special\n  add fromadded, 1\n  pop fromadded\nend method\n"
        "method go\n  localint $1\n  mov $1, 0\nagain:\n  call b, who\n  cmp $1, 1\n  jne skip\n"
        "  push \"who\"\n  push \"special\"\n  call b, addmethod\nskip:\n  add $1, 1\n  pop $1\n"
        "  cmp $1, 4\n  jl again\nend method\nnew int, fromglobal\nnew int, fromadded\nnew bare, b\n";
    // Two calls reach the global "who", the two after "addmethod" the added
    // one; "who" is searched again after the change only.
    EXPECT_EQ(RunAndCount(script, "go", {"fromglobal", "fromadded"}), "searches 4 fromglobal=2 fromadded=2");
}

TEST(CallSiteCache, AnObjectReplacedUnderTheSameNameIsCalledThroughItsOwnClass) {
    const char* script =
        "class first\n"
        "method hit\n  add a, 1\n  pop a\nend method\nend class\n"
        "class second\n"
        "method hit\n  add b, 1\n  pop b\nend method\nend class\n"
        "method go\n  localint $1\n  mov $1, 0\nagain:\n  call x, hit\n  call x, hit\n  delete x\n"
        "  new second, x\n  add $1, 1\n  pop $1\n  cmp $1, 2\n  jl again\nend method\nnew int, a\n"
        "new int, b\nnew first, x\n";
    // "go", then each of the two call sites once per object.
    EXPECT_EQ(RunAndCount(script, "go", {"a", "b"}), "searches 5 a=2 b=2");
}

TEST(CallSiteCache, ParentCallsAndCallsThroughTheOwnerFollowTheClassInUse) {
    // "derived" shares base's "both" and "askkid" records, so their call
    // sites run under both classes: normally under derived, and under base
    // while "clparent" swaps the class. The kid has no "tell" and falls
    // through to its owner, whose class is swapped too.
    const char* script =
        "class base\n"
        "method tell\n  add inbase, 1\n  pop inbase\nend method\n"
        "method askkid\n  call kid, tell\nend method\n"
        "method both\n  cthis tell\n  cthis askkid\nend method\nend class\n"
        "class derived\nparent base\n"
        "method init\n  new plain, kid\nend method\n"
        "method tell\n  add inderived, 1\n  pop inderived\nend method\n"
        "method twice\n  cthis both\n  clparent base, both\n  cthis both\nend method\nend class\n"
        "class plain\nend class\n"
        "method go\n  call d, twice\nend method\nnew int, inbase\nnew int, inderived\nnew derived, d\n";
    std::string out = RunAndCount(script, "go", {"inbase", "inderived"});
    EXPECT_NE(out.find("inbase=2 inderived=4"), std::string::npos) << out;
}

// The name epoch never comes round: what a call site or a name operand
// remembered 2^32 name changes apart from now (about a week of a game that
// makes and deletes an object every frame) is looked up again, for the
// object it found may be gone by then.
TEST(CallSiteCache, WhatWasRememberedTwoToThe32NameChangesApartIsLookedUpAgain) {
    ChildOutcome r = RunInChild([] {
        asmScriptMachine machine;
        machine.SetUp();
        machine.LoadText("class k\nmethod m\nend method\nend class\nnew k, o\nnew k, p\n");
        asmInterpreter& m = machine.interp;
        asmClassObj* o = machine.objects.LookupVar("o");
        const char* name = "m";
        asmCallCache call;
        machine.objects.CallMethod(o, name, call);
        const uint64_t apart = uint64_t{m.NameEpoch()} + (uint64_t{1} << 32);
        std::printf("call site %d %d\n", call.Holds(o, name, m.NameEpoch(), m.currentGame),
                    call.Holds(o, name, apart, m.currentGame));

        asmOperand op;
        op.kind = OPK_NAME;
        op.text = "o";
        std::printf("operand %d", m.OperandVar(op) == o);
        op.names.epoch = apart;
        op.names.object = machine.objects.LookupVar("p");
        std::printf(" %d\n", m.OperandVar(op) == o);
    });
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, "call site 1 0\noperand 1 1\n");
}
