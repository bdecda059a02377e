// The call bridge's debug reports and the machine's game sequence, driven
// through the real object layer without a window.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/run_process.h"
#include "script/arg_ops.h"
#include "script/child_process.h"
#include "script/script_machine.h"
#include "script/script_types.h"

namespace {

// Sets the machine up, sets the debug level, assembles and runs the text.
std::string RunWithDebugLevel(int level, const std::string& script) {
    ChildOutcome r = RunInChild([&] {
        asmScriptMachine machine;
        machine.SetUp();
        machine.interp.debugLevel = level;
        machine.LoadText(script);
    });
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitCode, 0);
    return r.out;
}

const char* kMissingCalls =
    "new int, x\n"
    "call x, nothere\n"  // empty stack
    "push 1\n"
    "call x, nothere\n";  // one value on the stack

}  // namespace

TEST(DebugLevels, MissingMethodsAreReportedOnlyWhereTheLevelAsks) {
    EXPECT_EQ(RunWithDebugLevel(0, kMissingCalls), "");
    // init is found (the global one), so level 1 reports that call too.
    EXPECT_EQ(RunWithDebugLevel(1, kMissingCalls), "call: global::init\nstack!=-1 !! :  x::nothere\n");
    EXPECT_EQ(RunWithDebugLevel(2, kMissingCalls), "stack!=-1 !! :  x::nothere\n");
    EXPECT_EQ(RunWithDebugLevel(3, kMissingCalls), "no method :  x::nothere\nno method :  x::nothere\n");
    EXPECT_EQ(RunWithDebugLevel(4, kMissingCalls), "method:  global::init   stack: 0\n");
}

TEST(DebugLevels, LevelFourReportsNestedCallsFirst) {
    const char* script =
        "class c\n"
        "method outer\n"
        "  cthis inner\n"
        "end method\n"
        "method inner\n"
        "  push 7\n"
        "end method\n"
        "end class\n"
        "new c, o\n"
        "call o, outer\n";
    EXPECT_EQ(RunWithDebugLevel(4, script),
              "method:  o::inner   stack: 0\n"
              "method:  o::outer   stack: 0\n"
              "method:  global::init   stack: 0\n");
}

TEST(DebugLevels, ObjectsWithoutANameAreReportedAsNull) {
    ChildOutcome r = RunInChild([] {
        asmScriptMachine machine;
        machine.SetUp();
        machine.LoadText("");
        asmClassObj nameless(asmVarInt::Methods);
        machine.interp.debugLevel = 1;
        machine.objects.Call(&nameless, "getidobj");
        PushInt(machine.interp, 1);
        machine.objects.Call(&nameless, "nothere");
        machine.interp.debugLevel = 3;
        machine.objects.Call(&nameless, "nothere");
        machine.interp.debugLevel = 4;
        machine.objects.Call(&nameless, "getname");
    });
    EXPECT_EQ(r.out,
              "call: null::getidobj\n"
              "stack!=-1 !! : null::nothere\n"
              "no method : null::nothere\n"
              "method: null::getname   stack: 2\n");
}

namespace {

// A "gameapi" whose only method stores the next game's name; its maker
// makes the games too.
asmClass* playClass = nullptr;
struct PlayOnly : asmClassObj {
    using asmClassObj::asmClassObj;
    void CallBuiltIn(asmInterpreter* m, int) override { asmObjects::Of(*m)->nextGame = PopArgString(*m); }
};
void InitPlay() {
    playClass = new asmClass;
    SetTrieEntryValue(playClass->methods, "play", 0);
}
void FreePlay() {
    delete playClass;
    playClass = nullptr;
}
asmClass* PlayDescriptor() { return playClass; }
asmClassObj* NewPlayOnly(asmClass* cls, const char*) { return new PlayOnly(cls); }
constexpr asmBuiltinClass kPlayClasses[] = {{"gameapi", -1, InitPlay, FreePlay, PlayDescriptor, NewPlayOnly}};

// Stands in for the main loop: the game's own init, then its chosen successor.
std::vector<std::string> played;
std::string RunPlainGame(asmClassObj* game) {
    played.push_back(game->GetName());
    asmObjects::Instance->nextGame = "exit";
    asmObjects::Instance->CallInit(game);
    return asmObjects::Instance->nextGame.c_str();
}

}  // namespace

TEST(Machine, GamesRunInTurnAndTheGlobalObjectIsCurrentAfterwards) {
    TempFolder dir;
    dir.Write("scripts/game", "  main.asm \r\n");
    dir.Write("scripts/main.asm",
              "push \"a\"\ncall gameapi, play\n"
              "game a\nmethod init\n  push \"b\"\n  call gameapi, play\nend method\nend game\n"
              "game b\nmethod init\nend method\nend game\n");
    ChildOutcome r = RunInChild([&] {
        if (chdir(dir.Path().c_str()) != 0) _exit(3);
        asmScriptMachine machine(kPlayClasses);
        machine.Run(RunPlainGame);
        std::printf("%s,%s|%d%d", played.at(0).c_str(), played.at(1).c_str(),
                    machine.interp.currentObject == machine.interp.globalObject,
                    machine.interp.currentGame == nullptr);
    });
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, "a,b|11");
}

namespace {

// An engine-like object that counts its destructions.
int probesDestroyed = 0;
asmClass* probeClass = nullptr;
struct Probe : asmClassObj {
    using asmClassObj::asmClassObj;
    ~Probe() override { ++probesDestroyed; }
    void CallBuiltIn(asmInterpreter*, int) override { std::printf("destroyed %d\n", probesDestroyed); }
};
void InitProbe() {
    probeClass = new asmClass;
    SetTrieEntryValue(probeClass->methods, "count", 0);
}
void FreeProbe() {
    delete probeClass;
    probeClass = nullptr;
}
asmClass* ProbeDescriptor() { return probeClass; }
asmClassObj* NewProbe(asmClass* cls, const char*) { return new Probe(cls); }
constexpr asmBuiltinClass kProbeClasses[] = {{"timer", 10, InitProbe, FreeProbe, ProbeDescriptor, NewProbe}};

}  // namespace

TEST(Lifetimes, AnObjectDeletedDuringItsOwnCallDiesWhenTheOutermostCallReturns) {
    ChildOutcome r = RunInChild([] {
        {
            asmScriptMachine machine(kProbeClasses);
            machine.SetUp();
            machine.LoadText(
                "class holder\n"
                "method init\n"
                "  new timer, p\n"
                "  new timer, witness\n"
                "end method\n"
                "method zap\n"
                "  call global, killx\n"
                "  call witness, count\n"  // still alive: nothing destroyed yet
                "end method\n"
                "end class\n"
                "method killx\n"
                "  delete x\n"
                "end method\n"
                "new timer, outside\n"
                "new holder, x\n"
                "call x, zap\n"
                "call outside, count\n");  // the global init still runs
            // The global init was the outermost call: x and its probes are gone.
            std::printf("after %d\n", probesDestroyed);
        }
    });
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, "destroyed 0\ndestroyed 0\nafter 2\n");
}

TEST(Events, AddingAMethodUnderAnEventNameMakesTheObjectReceiveIt) {
    ChildOutcome r = RunInChild([] {
        asmScriptMachine machine;
        machine.SetUp();
        machine.LoadText(
            "method handler\n"
            "end method\n"
            "new int, a\n"
            "new int, b\n"
            "push \"onclick\"\n"
            "push \"handler\"\n"
            "call a, addmethod\n"
            "push \"onvisit\"\n"
            "push \"getname\"\n"  // not a script method: nothing is added
            "call b, addmethod\n");
        asmClassObj* a = machine.objects.LookupVar("a");
        asmClassObj* b = machine.objects.LookupVar("b");
        std::printf("%d%d%d", a->HasEvent(EV_ONCLICK), a->HasEvent(EV_ONVISIT), b->HasEvent(EV_ONVISIT));
    });
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, "100");
}

// The common methods' rows carry the names and indices a call by name finds
// (kCommonMethodNames), every index once; an index no row names says so and
// goes on.
TEST(CommonMethods, TheRowsAreTheNamesEveryObjectAnswersTo) {
    const MethodTable<asmObjects::CommonCall>& table = asmObjects::CommonMethodTable();
    asmClass* cls = table.BuildClass();
    for (int i = 0; i < kCommonMethodCount; ++i) {
        ddTrie<asmMethod>* entry = cls->methods->Find(kCommonMethodNames[i]);
        ASSERT_NE(entry, nullptr) << kCommonMethodNames[i];
        EXPECT_EQ(entry->value, i) << kCommonMethodNames[i];
    }
    delete cls;

    ChildOutcome r = RunInChild([&table] {
        asmScriptMachine machine;
        machine.SetUp();
        asmClassObj object(asmVarInt::Methods);
        asmObjects::CommonCall call{machine.objects, object};
        table.Run(call, nullptr, kCommonMethodCount);
        table.Run(call, nullptr, -1);
    });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "txobjmets unknown method!\ntxobjmets unknown method!\n");
}
