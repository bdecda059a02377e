// Script interpreter against Lua 5.4 on the same small programs: counting
// loops on locals, global variables and an object's variables, empty method
// calls through "cthis" and "call", and string building with int-to-text.
// Reports executed script instructions per second and, at the end, the
// time ratio script / Lua per case.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <lua5.4/lua.hpp>

#include "script/interpreter.h"
#include "script/script_machine.h"

namespace {

constexpr int kLoops = 100000;

const std::string N = std::to_string(kLoops);

// Every script case is a method of class "k", run on the object "obj"; the
// global code makes the objects and the global variable.
const std::string& ScriptSource() {
    static const std::string text =
        "class k\n"
        "method init\nnew int, hits\nend method\n"
        "method empty\nend method\n"
        "method locals\nlocalint $1\nmov $1, 0\nloop:\nadd $1, 1\npop $1\ncmp $1, " + N +
        "\njl loop\nend method\n"
        "method globals\nmov counter, 0\nloop:\nadd counter, 1\npop counter\ncmp counter, " + N +
        "\njl loop\nend method\n"
        "method object_vars\nmov hits, 0\nloop:\nadd hits, 1\npop hits\ncmp hits, " + N +
        "\njl loop\nend method\n"
        "method cthis_calls\nlocalint $1\nmov $1, 0\nloop:\ncthis empty\nadd $1, 1\npop $1\n"
        "cmp $1, " + N + "\njl loop\nend method\n"
        "method call_calls\nlocalint $1\nmov $1, 0\nloop:\ncall other, empty\nadd $1, 1\npop $1\n"
        "cmp $1, " + N + "\njl loop\nend method\n"
        "method string_build\nlocalint $1\nlocalstring $2\nmov $1, 0\nloop:\nadd \"item\", $1\n"
        "pop $2\nadd $1, 1\npop $1\ncmp $1, " + N + "\njl loop\nend method\n"
        "end class\n"
        "new int, counter\nnew k, obj\nnew k, other\n";
    return text;
}

// The whole script machine (object layer and call bridge included), loaded
// once per case.
struct ScriptCase {
    asmScriptMachine machine;
    asmClassObj* target = nullptr;
    std::string method;

    explicit ScriptCase(const char* name) : method(name) {
        machine.SetUp();
        machine.LoadText(ScriptSource());
        ddTrie<asmClassObj>* e = machine.interp.globalObject->GetVars()->Find("obj");
        if (!e || !e->pointer) {
            std::fprintf(stderr, "script: no object\n");
            std::abort();
        }
        target = e->pointer;
    }

    void Run() {
        target->CallMethod(&machine.interp, method.c_str());
        machine.interp.sp = -1;
    }
};

struct LuaCase {
    lua_State* L = luaL_newstate();
    explicit LuaCase(const std::string& setup) {
        luaL_openlibs(L);
        if (luaL_dostring(L, setup.c_str()) != LUA_OK) {
            std::fprintf(stderr, "lua: %s\n", lua_tostring(L, -1));
            std::abort();
        }
    }
    ~LuaCase() { lua_close(L); }
    void Run() {
        lua_getglobal(L, "run");
        if (lua_pcall(L, 0, 0, 0) != LUA_OK) {
            std::fprintf(stderr, "lua: %s\n", lua_tostring(L, -1));
            std::abort();
        }
    }
};

struct Case {
    const char* name;
    int perLoop;  // script instructions executed per iteration
    std::string lua;
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"locals", 4, "function run() local i = 0 while i < " + N + " do i = i + 1 end end"},
        {"globals", 4,
         "counter = 0 function run() counter = 0 while counter < " + N +
             " do counter = counter + 1 end end"},
        {"object_vars", 4,
         "local obj = {hits = 0} function obj:count() self.hits = 0 while self.hits < " + N +
             " do self.hits = self.hits + 1 end end function run() obj:count() end"},
        {"cthis_calls", 5,
         "local obj = {} function obj:empty() end function obj:drive() local i = 0 while i < " + N +
             " do self:empty() i = i + 1 end end function run() obj:drive() end"},
        {"call_calls", 5,
         "local other = {} function other:empty() end function run() local i = 0 while i < " + N +
             " do other:empty() i = i + 1 end end"},
        {"string_build", 6,
         "function run() local s local i = 0 while i < " + N +
             " do s = \"item\" .. i i = i + 1 end end"},
    };
    return cases;
}

void BM_Script(benchmark::State& state, const Case* c) {
    ScriptCase sc(c->name);
    for (auto _ : state) sc.Run();
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(c->perLoop) * kLoops);
    state.counters["instr/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * c->perLoop * kLoops, benchmark::Counter::kIsRate);
}

void BM_Lua(benchmark::State& state, const Case* c) {
    LuaCase lc(c->lua);
    for (auto _ : state) lc.Run();
}

// Collects each run's time per iteration so the ratios can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred)
                times[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    for (const Case& c : Cases()) {
        benchmark::RegisterBenchmark((std::string("script/") + c.name).c_str(), BM_Script, &c)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("lua/") + c.name).c_str(), BM_Lua, &c)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-14s %12s %12s %8s %14s\n", "case", "script us", "lua us", "ratio", "script instr/s");
    for (const Case& c : Cases()) {
        auto s = reporter.times.find(std::string("script/") + c.name);
        auto l = reporter.times.find(std::string("lua/") + c.name);
        if (s == reporter.times.end() || l == reporter.times.end()) continue;
        double instrPerSec = c.perLoop * static_cast<double>(kLoops) / (s->second * 1e-6);
        std::printf("%-14s %12.1f %12.1f %8.2f %14.3g\n", c.name, s->second, l->second,
                    s->second / l->second, instrPerSec);
    }
    benchmark::Shutdown();
    return 0;
}
