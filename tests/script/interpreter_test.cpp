// The interpreter's instructions on the script fixture's machine: moves,
// compares and jumps, arithmetic and its result kinds, the stacks and their
// bounds, frames and calls, name lookups remembered until names change, the
// location a fatal error reports, and the argument operations built-in
// methods use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "child_process.h"
#include "script_fixture.h"

namespace {

// The stack from bottom to top as "kind value" texts.
std::vector<std::string> StackOf(ScriptMachine& s) {
    std::vector<std::string> out;
    for (int i = 0; i <= s.machine.sp; ++i) {
        asmVarReg& c = s.machine.StackCell(i);
        const int type = c.GetType();
        if (type == TYPE_INT) out.push_back("i" + std::to_string(c.GetInt()));
        if (type == TYPE_REAL) out.push_back(std::string("r") + c.GetString());
        if (type == TYPE_STRING) out.push_back(std::string("s") + c.GetString());
        if (type != TYPE_INT && type != TYPE_REAL && type != TYPE_STRING) out.push_back("?");
    }
    return out;
}

std::vector<std::string> RunAndStack(const std::string& script) {
    ScriptMachine s;
    s.Run(script);
    return StackOf(s);
}

using Stack = std::vector<std::string>;

void ExpectRunFails(const std::string& script, const std::string& out) {
    ChildOutcome r = RunInChild([&] {
        ScriptMachine s;
        s.Run(script);
    });
    EXPECT_TRUE(r.exited) << script;
    EXPECT_EQ(r.exitCode, 1) << script;
    EXPECT_EQ(r.out, out) << script;
}

}  // namespace

TEST(Instructions, MovAndCmpWithJumps) {
    EXPECT_EQ(RunAndStack("new int, x\nmov x, 3\ncmp x, 5\njl less\npush 0\nret\nless:\npush 1\n"),
              Stack{"i1"});
    EXPECT_EQ(RunAndStack("new int, x\nmov x, 3\ncmp x, 5\nje same\npush 0\nret\nsame:\npush 1\n"),
              Stack{"i0"});
    // Every conditional jump against each outcome of the compare.
    const char* jumps[] = {"je", "jne", "jl", "jle", "ja", "jae"};
    const int expected[3][6] = {
        // je jne jl jle ja jae   for 1 cmp 2, 2 cmp 2, 3 cmp 2
        {0, 1, 1, 1, 0, 0},
        {1, 0, 0, 1, 0, 1},
        {0, 1, 0, 0, 1, 1},
    };
    for (int v = 0; v < 3; ++v) {
        for (int j = 0; j < 6; ++j) {
            std::string script = "localint $1\nmov $1, " + std::to_string(v + 1) + "\ncmp $1, 2\n" +
                                 jumps[j] + " yes\npush 0\njmp out\nyes:\npush 1\nout:\n";
            Stack want{expected[v][j] ? "i1" : "i0"};
            EXPECT_EQ(RunAndStack(script), want) << script;
        }
    }
}

TEST(Instructions, MovCopiesAndConvertsIntoTheTargetKind) {
    ScriptMachine s;
    s.Run(
        "new int, n\nnew string, t\nnew real, r\nnew def, d\n"
        "mov t, \"42\"\nmov n, t\nmov r, n\nmov d, 2.5\nmov $b, t\nmov t, 7\n");
    EXPECT_EQ(s.objects.Value("n")->GetInt(), 42);
    EXPECT_FLOAT_EQ(s.objects.Value("r")->GetReal(), 42.0f);
    EXPECT_EQ(s.objects.Value("d")->GetType(), TYPE_REAL);
    EXPECT_EQ(s.machine.Register(1).GetType(), TYPE_STRING);
    EXPECT_STREQ(s.machine.Register(1).GetString(), "42");
    EXPECT_STREQ(s.objects.Value("t")->GetString(), "7");
}

TEST(Instructions, ArithmeticResultKindsFollowTheOperandOrder) {
    // left \ right: int variable, real variable, string variable, literals.
    const std::string setup =
        "new int, iv\nnew real, rv\nnew string, sv\nmov iv, 2\nmov rv, 0.5\nmov sv, \"3\"\n";
    struct Case {
        const char* line;
        const char* top;
    };
    const Case cases[] = {
        {"add iv, rv", "i2"},           {"add iv, sv", "i5"},
        {"add iv, 1.5", "i3"},          {"add rv, iv", "r2.500000"},
        {"add rv, \"1\"", "r1.500000"}, {"add sv, iv", "s32"},
        {"add sv, 1.5", "s31.500000"},  {"add 1, rv", "r1.500000"},
        {"add 1, sv", "s13"},           {"add 1.5, iv", "r3.500000"},
        {"add \"x\", iv", "sx2"},       {"add 2, 3", "i5"},
        {"add 2, 0.5", "i2"},           {"add 0.5, 2", "r2.500000"},
        {"add \"a\", 1", "sa1"},        {"sub iv, sv", "i-1"},
        {"sub 10, iv", "i8"},           {"mul 3, rv", "r1.500000"},
        {"mul iv, 1.5", "i3"},          {"sub $a, 1", "i1"},
    };
    for (const Case& c : cases) {
        std::string script = setup + "mov $a, 2\n" + c.line + "\n";
        Stack got = RunAndStack(script);
        ASSERT_FALSE(got.empty()) << c.line;
        EXPECT_EQ(got.back(), c.top) << c.line;
    }
}

TEST(Instructions, TwoLiteralsGoThroughRegisterA) {
    ScriptMachine s;
    s.Run("add 2, 3\n");
    EXPECT_EQ(s.machine.Register(0).GetInt(), 2);
    EXPECT_EQ(s.Top().GetInt(), 5);
}

TEST(Instructions, DivWritesRegistersAndPushesNothing) {
    ScriptMachine s;
    s.Run("localint $1\nmov $1, 17\ndiv $1, 5\n");
    EXPECT_EQ(s.Depth(), 0);
    EXPECT_EQ(s.machine.Register(0).GetInt(), 3);
    EXPECT_EQ(s.machine.Register(3).GetInt(), 2);
    ScriptMachine t;
    t.Run("div 7.0, 2\n");
    EXPECT_FLOAT_EQ(t.machine.Register(0).GetReal(), 3.5f);
}

TEST(Instructions, StringOperandsMakeSubMulDivFatal) {
    ExpectRunFails("new string, s\nsub s, 1\n", "\nforbidden instruction Sub\n");
    ExpectRunFails("new int, n\nmul n, \"2\"\n", "\nforbidden instruction Mul\n");
    ExpectRunFails("new string, s\ndiv 4, s\n", "\nforbidden instruction DivR\n");
    ExpectRunFails("div 4, \"2\"\n", "\nforbidden instruction Div\n");
    ExpectRunFails("div 4, 0\n", "\ndivision by 0\n");
}

TEST(Instructions, AndOrTakeOnlyInts) {
    EXPECT_EQ(RunAndStack("and 6, 3\nor 6, 3\n"), (Stack{"i2", "i7"}));
    EXPECT_EQ(RunAndStack("new int, m\nmov m, 12\nlocalint $2\nmov $2, 10\nand m, $2\n"), Stack{"i8"});
    ExpectRunFails("and 6, \"3\"\n", "\nwrong argument to instruction: not int\n");
    ExpectRunFails("or 1.5, 3\n", "\nwrong argument to instruction: not int\n");
}

TEST(Instructions, StackFamily) {
    EXPECT_EQ(RunAndStack("push 1\npush 2\ncmpjl\n"), Stack{"i1"});
    EXPECT_EQ(RunAndStack("push 1\npush 2\ncmpja\n"), Stack{"i0"});
    EXPECT_EQ(RunAndStack("push 2\npush 2\ncmpje\npush 2\npush 3\ncmpjne\npush 3\npush 3\ncmpjae\n"
                          "push 4\npush 3\ncmpjle\n"),
              (Stack{"i1", "i1", "i1", "i0"}));
    EXPECT_EQ(RunAndStack("push 0\nneg\npush 7\nneg\npush \"0\"\nneg\n"), (Stack{"i1", "i0", "i1"}));
    EXPECT_EQ(RunAndStack("push \"a\"\npopax\npsax\npsax\n"), (Stack{"sa", "sa"}));
    EXPECT_EQ(RunAndStack("push 5\npop $c\npush $c\npush 1.5\nlocalreal $1\npop $1\npush $1\n"),
              (Stack{"i5", "r1.500000"}));
    // "cmp0" compares with zero for the jump that follows.
    EXPECT_EQ(RunAndStack("push -3\ncmp0\njl neg\npush 0\nret\nneg:\npush 1\n"), Stack{"i1"});
}

TEST(Instructions, SpecialStack) {
    ScriptMachine s;
    s.Run(
        "push 4\npush 9\nspushs\n"  // 9 moves to the special stack
        "push 9\ncmpst\nje same\npush 0\njmp next\nsame:\npush 1\nnext:\n"
        "spop $e\nspush \"x\"\nspop $f\n");
    EXPECT_EQ(StackOf(s), (Stack{"i4", "i1"}));
    EXPECT_EQ(s.machine.ssp, -1);
    EXPECT_EQ(s.machine.Register(4).GetInt(), 9);
    EXPECT_STREQ(s.machine.Register(5).GetString(), "x");
    ExpectRunFails("spop $a\n", "\nspecial stack pointer < 0\n");
    ExpectRunFails("push 1\ncmpst\n", "\ncmpst: idsstack<0\n");
    ExpectRunFails("x:\nspush 1\njmp x\n", "\nspecial stack overflow\n");
}

TEST(Instructions, StackBoundsAreChecked) {
    std::string pushes;
    for (int i = 0; i < 1000; ++i) pushes += "push 1\n";
    EXPECT_EQ(RunAndStack(pushes).size(), 1000u);
    ExpectRunFails(pushes + "push 1\n", "\nstack overflow\n");
    ExpectRunFails(pushes + "and 1, 1\n", "\nstack overflow\n");
    ExpectRunFails(pushes + "psax\n", "\nstack overflow\n");
    ExpectRunFails("pop $a\n", "\nInterpPop  : stack pointer < 0\n");
    ExpectRunFails("popax\n", "\nPopArg  : stack pointer < 0\n");
}

TEST(Instructions, NamesMustExistAndBeValues) {
    ExpectRunFails("push ghost\n", "\nno such var: ghost\n");
    ExpectRunFails("class k\nend class\nnew k, thing\npush thing\n", "\nasmvarreg::setas no such type -1\n");
}

TEST(Instructions, IndirectOperandsReadNamesFromValues) {
    ScriptMachine s;
    s.Run(
        "new int, target\nnew string, which\nmov which, \"target\"\nmov [which], 8\n"
        "mov $c, \"target\"\npush [$c]\nlocalstring $4\nmov $4, \"target\"\nadd [$4], 1\n");
    EXPECT_EQ(s.objects.Value("target")->GetInt(), 8);
    EXPECT_EQ(StackOf(s), (Stack{"i8", "i9"}));
}

TEST(Instructions, NameLookupsAreRememberedUntilNamesChange) {
    ScriptMachine s;
    s.Run("new int, x\nmov x, 0\nloop:\nadd x, 1\npop x\ncmp x, 50\njl loop\n");
    EXPECT_EQ(s.objects.Value("x")->GetInt(), 50);
    int lookups = s.objects.lookups;
    EXPECT_LT(lookups, 10);

    // Deleting and re-creating the name makes the same operands find the new value.
    ScriptMachine t;
    t.Run(
        "new int, x\nmov x, 1\npush 0\nspushs\n"
        "again:\nadd x, 10\ndelete x\nnew real, x\nmov x, 0.5\nspop $b\npush 1\nspushs\n"
        "cmp $b, 0\nje again\n");
    EXPECT_EQ(StackOf(t), (Stack{"i11", "r10.500000"}));
}

TEST(Frames, LocalsLiveInFramesAcrossRecursion) {
    // fact: pops n, pushes n! using a local per frame.
    ScriptMachine s;
    s.Run(
        "class calc\nmethod fact\nlocalint $1\npop $1\ncmp $1, 1\njle base\n"
        "sub $1, 1\ncthis fact\npop $2\nmul $1, $2\nret\nbase:\npush 1\nend method\nend class\n"
        "new calc, c\npush 10\ncall c, fact\n");
    EXPECT_EQ(StackOf(s), Stack{"i3628800"});
    EXPECT_EQ(s.machine.frameBase, -1);
    EXPECT_EQ(s.machine.highWater, 0);
    EXPECT_EQ(s.machine.currentObject, s.machine.globalObject);
}

TEST(Frames, FramesStartAboveTheCallersLocals) {
    ScriptMachine s;
    s.Run(
        "class k\nmethod inner\nlocalint $1\nmov $1, 77\nend method\nend class\n"
        "new k, obj\nlocalint $1\nlocalint $3\nmov $1, 5\nmov $3, 6\ncall obj, inner\n"
        "push $1\npush $3\n");
    EXPECT_EQ(StackOf(s), (Stack{"i5", "i6"}));
    // The callee's local 1 was the cell after the caller's three.
    EXPECT_EQ(s.machine.LocalCellIfValid(4)->GetInt(), 77);
}

TEST(Frames, LocalsOverflowAtTheLastCellAndDeepRecursionEndsWithAClearMessage) {
    ExpectRunFails(
        "class k\nmethod m\nlocalint $999\nmov $999, 1\ncthis m\nend method\nend class\n"
        "new k, o\ncall o, m\n",
        "\nlocals stack overflow\n");
    ExpectRunFails("class k\nmethod m\ncthis m\nend method\nend class\nnew k, o\ncall o, m\n",
                   "\nscript methods nested too deep\n");
}

TEST(Calls, CallCthisAndClparent) {
    ScriptMachine s;
    s.Run(
        "class base\nmethod who\npush \"base\"\nend method\nend class\n"
        "class kid\nparent base\nmethod who\npush \"kid\"\nend method\n"
        "method both\ncthis who\nclparent base, who\ncthis who\nend method\nend class\n"
        "new kid, k\ncall k, both\ncall 5, both\nmov $c, \"who\"\ncall k, [$c]\ncall k, missing\n");
    EXPECT_EQ(StackOf(s), (Stack{"skid", "sbase", "skid", "skid"}));
    asmClassObj* k = s.objects.table["k"].get();
    EXPECT_EQ(k->GetClass(), s.machine.typeMap->Find("kid")->pointer);
}

TEST(Calls, MethodEntriesAreRememberedPerCallSite) {
    ScriptMachine s;
    s.Run(
        "class k\nmethod m\nend method\nend class\nnew k, o\n"
        "localint $1\nmov $1, 0\nloop:\ncall o, m\nadd $1, 1\npop $1\ncmp $1, 20\njl loop\n");
    EXPECT_EQ(s.objects.calls.size(), 20u);
    EXPECT_EQ(s.objects.methodLookups, 1);
}

TEST(Calls, CthisWithoutObjectIsFatal) {
    ChildOutcome r = RunInChild([] {
        ScriptMachine s;
        s.Load("cthis m\n");
        s.machine.currentObject = nullptr;
        s.machine.RunMethod(*s.machine.globalInit);
    });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "\ncallthis: active object is null\n");
}

TEST(Reports, FatalErrorsCarryTheLocationWhileAGameRuns) {
    // Runs method "go" of the game "play", whose body is `body`.
    auto inGame = [](const char* body) {
        return RunInChild([body] {
            ScriptMachine s;
            s.Load(std::string("class g\nmethod go\n") + body + "\nend method\nnew g, play\nend class\n");
            asmClassObj* game = s.objects.table["play"].get();
            s.machine.SetCurrentGame(game);
            asmCallCache cache;
            s.objects.CallMethod(game, "go", cache);
        });
    };
    ChildOutcome r = inGame("push nothing");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "\ngame : play\nclass : play\nmethod: go within go\n\nno such var: nothing\n");
    EXPECT_EQ(inGame("pop x").out,
              "\ngame : play\nclass : play\nmethod: go"
              "\ngame : play\nclass : play\nmethod: go within go\n"
              "\nInterpPop  : stack pointer < 0\n");
}

TEST(ArgumentOps, PopsAndPushesOnTheMachineTheyAreHanded) {
    ScriptMachine other;
    ScriptMachine s;
    asmInterpreter& m = s.machine;
    PushInt(m, 3);
    PushReal(m, 1.5f);
    PushString(m, "abc");
    PushVarString(m, ddString("def"));
    ddString popped = PopArgString(m);
    PushString(m, "overwritten");  // lands in the cell the text came from
    EXPECT_STREQ(popped.c_str(), "def");
    EXPECT_STREQ(PopArg(m, 2)->GetString(), "overwritten");
    EXPECT_STREQ(PopArgString(m).c_str(), "abc");
    EXPECT_FLOAT_EQ(PopArgReal(m), 1.5f);
    EXPECT_EQ(PopArgInt(m), 3);
    EXPECT_EQ(s.Depth(), 0);

    NextStackCell(m)->AssignInt(8);
    EXPECT_EQ(s.Top().GetInt(), 8);
    SetRegInt(m, 3, 4);
    SetRegReal(m, 0, 0.25f);
    EXPECT_EQ(s.machine.Register(3).GetInt(), 4);
    EXPECT_FLOAT_EQ(s.machine.Register(0).GetReal(), 0.25f);

    // The other machine (made first, so not the last one made) is the one
    // written when it is the one handed.
    PushInt(other.machine, 5);
    SetRegInt(other.machine, 3, 6);
    EXPECT_EQ(other.Depth(), 1);
    EXPECT_EQ(other.Top().GetInt(), 5);
    EXPECT_EQ(other.machine.Register(3).GetInt(), 6);
    EXPECT_EQ(s.Depth(), 1);
    EXPECT_EQ(s.machine.Register(3).GetInt(), 4);
}

TEST(ArgumentOps, PushesAndPopsCheckTheBounds) {
    auto fill = [](asmInterpreter& m) {
        for (int i = 0; i < kStackCells; ++i) PushInt(m, i);
    };
    ChildOutcome r = RunInChild([&] {
        ScriptMachine s;
        fill(s.machine);
        PushString(s.machine, "x");
    });
    EXPECT_EQ(r.out, "\nstack overflow\n");
    r = RunInChild([&] {
        ScriptMachine s;
        fill(s.machine);
        NextStackCell(s.machine);
    });
    EXPECT_EQ(r.out, "\nstack overflow\n");
    r = RunInChild([] {
        ScriptMachine s;
        PopArgInt(s.machine);
    });
    EXPECT_EQ(r.out, "\nPopArg  : stack pointer < 0\n");
}

TEST(Instructions, ShortPathsGiveWayWhenValuesAreNotInts) {
    // The same instruction shapes as the int loops, on strings, reals and
    // unbound cells: the general rules apply.
    EXPECT_EQ(RunAndStack("localstring $1\nmov $1, \"5\"\nadd $1, 1\ncmp $1, 10\nja big\npush 0\nret\n"
                          "big:\npush 1\n"),
              (Stack{"s51", "i1"}));
    EXPECT_EQ(RunAndStack("localreal $1\nmov $1, 1\nadd $1, 1\nmul $1, $1\npush $1\n"),
              (Stack{"r2.000000", "r1.000000", "r1.000000"}));
    EXPECT_EQ(RunAndStack("localdef $2\npush \"x\"\npop $2\npush $2\nlocalint $3\npush 2.5\npop $3\n"
                          "push $3\nnew string, t\npush 4\npop t\npush t\n"),
              (Stack{"sx", "i2", "s4"}));
    EXPECT_EQ(RunAndStack("new def, d\nmov d, 3\nadd d, 4\ncmp d, 3\nje same\npush 0\nret\nsame:\n"
                          "push 1\n"),
              (Stack{"i7", "i1"}));
}

TEST(Instructions, NamesResolveAgainInEachObjectsScope) {
    ScriptMachine s;
    s.Run(
        "class k\nmethod make\nnew int, hits\nend method\nmethod bump\nadd hits, 1\npop hits\n"
        "end method\nend class\nnew k, one\nnew k, two\ncall one, make\ncall two, make\n"
        "call one, bump\ncall two, bump\ncall two, bump\ncall one, bump\ncall two, bump\n");
    auto hits = [&](const char* obj) {
        ddTrie<asmClassObj>* e = s.objects.table[obj]->GetVars()->Find("hits");
        return e && e->pointer ? dynamic_cast<asmVar*>(e->pointer)->GetInt() : -1;
    };
    EXPECT_EQ(hits("one"), 2);
    EXPECT_EQ(hits("two"), 3);
}
