// The run loop: a method's compact form follows its records, a frame whose
// locals would pass the last cell runs checked, and a script method that
// the loop enters itself (from a call site the object layer marked direct)
// keeps everything a call through the object layer keeps: frames, the
// running calls that deferred destruction reads, the depth limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/child_process.h"
#include "script/compact_code.h"
#include "script/script_machine.h"
#include "script_fixture.h"

namespace {

std::vector<int> Ints(ScriptMachine& s) {
    std::vector<int> out;
    for (int i = 0; i <= s.machine.sp; ++i) out.push_back(s.machine.StackCell(i).GetInt());
    return out;
}

// Loads the script on the whole machine (the real object layer) in a child
// process; prints the listed variables after the queued "init" methods ran.
ChildOutcome RunWhole(const std::string& script, std::initializer_list<const char*> shown = {}) {
    return RunInChild([&] {
        asmScriptMachine machine;
        machine.SetUp();
        machine.LoadText(script);
        for (const char* name : shown) {
            auto* v = dynamic_cast<asmVar*>(machine.objects.LookupVar(name));
            std::printf("%s=%s ", name, v ? v->GetString() : "none");
        }
        std::printf("depth=%d base=%d running=%zu", machine.interp.callDepth, machine.interp.frameBase,
                    machine.interp.running.size());
    });
}

// fib through "cthis" and through "call": each level's local must come
// back intact after the two calls below it.
const char* kFib =
    "class k\n"
    "method fibthis\n"
    "  localint $1\n  pop $1\n  cmp $1, 2\n  jl small\n"
    "  sub $1, 1\n  cthis fibthis\n  sub $1, 2\n  cthis fibthis\n"
    "  pop $a\n  pop $b\n  add $a, $b\n  ret\n"
    "small:\n  push $1\n"
    "end method\n"
    "method fibcall\n"
    "  localint $1\n  localint $2\n  pop $1\n  cmp $1, 2\n  jl small\n"
    "  sub $1, 1\n  call f, fibcall\n  pop $2\n  sub $1, 2\n  call f, fibcall\n"
    "  pop $a\n  add $a, $2\n  ret\n"
    "small:\n  push $1\n"
    "end method\n"
    "end class\n";

}  // namespace

TEST(CompactForm, IsMadeAgainWhenTheRecordsChange) {
    ScriptMachine s;
    s.Run("push 1\n");
    s.Run("push 2\n");
    EXPECT_EQ(Ints(s), (std::vector<int>{1, 1, 2}));

    // A jump that runs before its label is tied ends the method, as its
    // executor does; once tied, it jumps.
    ScriptMachine t;
    t.machine.AssembleText("jmp over\npush 1\nover:\npush 2\n");
    t.machine.RunMethod(*t.machine.globalInit);
    EXPECT_EQ(Ints(t), std::vector<int>{});
    t.machine.TieLabels();
    t.machine.RunMethod(*t.machine.globalInit);
    EXPECT_EQ(Ints(t), std::vector<int>{2});
}

// The shapes the loop runs without the record's executor each get their
// own operation: a shape that fell back to "record" would still give the
// right results, only slower.
TEST(CompactForm, CommonShapesGetAnOperationOfTheirOwn) {
    ScriptMachine s;
    s.Load(
        "class k\nmethod m\n"
        "localint $1\nlocalint $2\npop $2\n"
        "push 1\npush $1\npush $a\npop $1\npop $a\nmov $1, 3\n"
        "add $1, 2\nsub $1, 2\nadd $1, $2\nadd $a, $b\n"
        "add $1, 1\npop $1\nsub $1, 1\npop $1\nadd $1, $2\npop $1\n"
        "add n, 1\npop n\nsub n, 1\npop n\n"
        "cmp $1, 4\ncmp $1, 5\nje out\ncmp $1, $2\njl out\ncmp n, 6\nja out\n"
        "cthis m\ncall o, m\nmul $1, 2\nout:\nret\n"
        "end method\nend class\n");
    ddTrie<asmClass>* k = s.machine.typeMap->Find("k");
    ASSERT_TRUE(k && k->pointer);
    asmMethod* m = FakeObjects::Find(k->pointer, "m");
    ASSERT_NE(m, nullptr);
    const asmCompactCode& code = m->Compact();
    std::string ops;
    for (int i = 0; i <= code.count; ++i)
        ops += std::string(i ? " " : "") + asmExec::RunOpName(code.fast[i].op);
    EXPECT_EQ(
        ops,
        "localint localint_pop pop_local push_int push_local push_reg pop_local pop_reg mov_local_int "
        "add_local_int sub_local_int add_local_local add_reg_reg add_to_local_int pop_local "
        "sub_to_local_int pop_local add_to_local_local pop_local add_to_name_int record sub_to_name_int "
        "record cmp_local_int cmp_jump_local_int jump cmp_jump_local_local jump cmp_jump_name_int jump "
        "call_this call record end end");
    EXPECT_STREQ(asmExec::RunOpName(RUN_OP_COUNT), "?");
}

TEST(CompactForm, AFrameWhoseLocalsPassTheLastCellRunsUntilItTouchesOne) {
    // The callee's frame starts at cell 4: its $1 fits, its $999 does not.
    auto script = [](int value) {
        return "class k\nmethod m\nlocalint $1\nmov $1, " + std::to_string(value) +
               "\npush $1\ncmp $1, 5\nje done\nlocalint $999\ndone:\nend method\nend class\n"
               "new k, o\nlocalint $5\ncall o, m\n";
    };
    ScriptMachine s;
    s.Run(script(5));
    EXPECT_EQ(Ints(s), std::vector<int>{5});

    ChildOutcome r = RunInChild([&] {
        ScriptMachine u;
        u.Run(script(6));
    });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "\nlocals stack overflow\n");
}

TEST(DirectCalls, RecursionKeepsEveryFrame) {
    ChildOutcome r = RunWhole(std::string(kFib) +
                                  "new k, f\nnew int, a\nnew int, b\n"
                                  "push 20\ncall f, fibthis\npop a\npush 20\ncall f, fibcall\npop b\n",
                              {"a", "b"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "a=6765 b=6765 depth=0 base=-1 running=0");
}

TEST(DirectCalls, NestingTooDeepOrFillingTheStackEndsAsThroughTheBridge) {
    // Each method is entered by the loop from its second level on.
    ChildOutcome deep = RunWhole("class k\nmethod m\ncthis m\nend method\nend class\nnew k, o\ncall o, m\n");
    EXPECT_EQ(deep.exitCode, 1);
    EXPECT_EQ(deep.out, "\nscript methods nested too deep\n");

    ChildOutcome full = RunWhole(
        "class k\nmethod m\npush 1\npush 2\ncall o, m\nend method\nend class\nnew k, o\ncall o, m\n");
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.out, "\nstack overflow\n");
}

TEST(DirectCalls, AnObjectDeletedDuringItsOwnCallLivesUntilTheCallReturns) {
    // The second "call item, click" is entered by the loop; during it the
    // item is deleted through its owner and must still read its variable.
    const char* script =
        "module keeper\n"
        "method run\n"
        "  new item, item\n  mov round, 0\n"
        "again:\n  call item, click\n  add round, 1\n  pop round\n  cmp round, 2\n  jl again\n"
        "end method\n"
        "method remove\n  delete item\nend method\n"
        "end module\n"
        "class item\n"
        "method init\n  new string, label\n  mov label, \"alive\"\nend method\n"
        "method click\n"
        "  cmp round, 1\n  jne skip\n  call keeper, remove\n  mov seen, label\n"
        "skip:\n"
        "end method\n"
        "end class\n"
        "new int, round\nnew string, seen\ncall keeper, run\n";
    ChildOutcome r = RunWhole(script, {"seen"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "seen=alive depth=0 base=-1 running=0");
}
