// Script interpreter against Lua 5.4 on the same work: a counting loop on a
// local, recursive fib through "cthis" and through "call", counting loops on
// a global variable and on an object's variable, and building one string
// from many appends. The Lua side is written as a Lua programmer writes it
// (numeric "for" with locals, a local function for recursion, table.concat);
// each case's two sides are checked to compute the same number before
// anything is timed.
//
// Repetitions are randomly interleaved (unless the command line says
// otherwise), so machine load lands on both sides alike; the closing table
// gives the ratios script / Lua of the median wall and CPU times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <lua5.4/lua.hpp>

#include "script/interpreter.h"
#include "script/script_machine.h"

namespace {

constexpr int kLoops = 1000000;
constexpr int kFib = 22;
constexpr int kAppends = 100000;

const std::string N = std::to_string(kLoops);
const std::string F = std::to_string(kFib);
const std::string A = std::to_string(kAppends);

// Every case is a method of class "k", run on the object "obj"; each leaves
// its result on the stack.
const std::string& ScriptSource() {
    static const std::string text =
        "class k\n"
        "method init\nnew int, hits\nend method\n"
        "method count\nlocalint $1\nmov $1, 0\nagain:\nadd $1, 1\npop $1\ncmp $1, " +
        N +
        "\njl again\npush $1\nend method\n"
        "method fibthis\nlocalint $1\npop $1\ncmp $1, 2\njl small\nsub $1, 1\ncthis fibthis\n"
        "sub $1, 2\ncthis fibthis\npop $a\npop $b\nadd $a, $b\nret\nsmall:\npush $1\nend method\n"
        "method fibcall\nlocalint $1\npop $1\ncmp $1, 2\njl small\nsub $1, 1\ncall obj, fibcall\n"
        "sub $1, 2\ncall obj, fibcall\npop $a\npop $b\nadd $a, $b\nret\nsmall:\npush $1\nend method\n"
        "method fib_cthis\npush " +
        F +
        "\ncthis fibthis\nend method\n"
        "method fib_call\npush " +
        F +
        "\ncall obj, fibcall\nend method\n"
        "method globals\nmov counter, 0\nagain:\nadd counter, 1\npop counter\ncmp counter, " +
        N +
        "\njl again\npush counter\nend method\n"
        "method object_vars\nmov hits, 0\nagain:\nadd hits, 1\npop hits\ncmp hits, " +
        N +
        "\njl again\npush hits\nend method\n"
        "method strings\nlocalint $1\nlocalstring $2\nmov $1, 0\nmov $2, \"\"\nagain:\nadd $1, 1\n"
        "pop $1\nadd $2, $1\npop $2\ncmp $1, " +
        A +
        "\njl again\ncall $2, length\nend method\n"
        "end class\n"
        "new int, counter\nnew k, obj\n";
    return text;
}

struct Case {
    const char* name;
    std::string lua;  // defines run(), which returns the case's number
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"count",
         "function run() local count = 0 for i = 1, " + N + " do count = count + 1 end return count end"},
        {"fib_cthis",
         "local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end "
         "function run() return fib(" +
             F + ") end"},
        {"fib_call",
         "local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end "
         "function run() return fib(" +
             F + ") end"},
        {"globals", "counter = 0 function run() counter = 0 for i = 1, " + N +
                        " do counter = counter + 1 end return counter end"},
        {"object_vars", "local obj = {hits = 0} function obj:count() self.hits = 0 for i = 1, " + N +
                            " do self.hits = self.hits + 1 end return self.hits end "
                            "function run() return obj:count() end"},
        {"strings", "function run() local parts = {} for i = 1, " + A +
                        " do parts[i] = i end return #table.concat(parts) end"},
    };
    return cases;
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

    long long Run() {
        target->CallMethod(&machine.interp, method.c_str());
        long long result = machine.interp.sp >= 0 ? machine.interp.StackCell(machine.interp.sp).GetInt() : -1;
        machine.interp.sp = -1;
        return result;
    }
};

struct LuaCase {
    lua_State* L = luaL_newstate();
    explicit LuaCase(const std::string& setup) {
        luaL_openlibs(L);
        if (luaL_dostring(L, setup.c_str()) != LUA_OK) Fail();
    }
    ~LuaCase() { lua_close(L); }
    LuaCase(const LuaCase&) = delete;
    LuaCase& operator=(const LuaCase&) = delete;

    long long Run() {
        lua_getglobal(L, "run");
        if (lua_pcall(L, 0, 1, 0) != LUA_OK) Fail();
        long long result = lua_tointeger(L, -1);
        lua_pop(L, 1);
        return result;
    }
    [[noreturn]] void Fail() {
        std::fprintf(stderr, "lua: %s\n", lua_tostring(L, -1));
        std::abort();
    }
};

// Both sides must compute the same number, or the comparison means nothing.
void CheckSameWork(const Case& c) {
    ScriptCase sc(c.name);
    LuaCase lc(c.lua);
    long long s = sc.Run();
    long long l = lc.Run();
    if (s != l) {
        std::fprintf(stderr, "%s: script computes %lld, Lua %lld\n", c.name, s, l);
        std::abort();
    }
}

void BM_Script(benchmark::State& state, const Case* c) {
    ScriptCase sc(c->name);
    for (auto _ : state) benchmark::DoNotOptimize(sc.Run());
}

void BM_Lua(benchmark::State& state, const Case* c) {
    LuaCase lc(c->lua);
    for (auto _ : state) benchmark::DoNotOptimize(lc.Run());
}

// Wall and CPU time of one benchmark.
struct Times {
    double wall = -1.0;
    double cpu = -1.0;
};

// Keeps each benchmark's median times so the ratios can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.error_occurred) continue;
            Times t{r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
                medians[r.run_name.function_name] = t;
            else if (r.run_type == Run::RT_Iteration)
                singles[r.run_name.function_name] = t;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // The medians when there were repetitions, else the single run's times.
    Times TimesOf(const std::string& name) const {
        auto m = medians.find(name);
        if (m != medians.end()) return m->second;
        auto s = singles.find(name);
        return s == singles.end() ? Times{} : s->second;
    }
    std::map<std::string, Times> medians;
    std::map<std::string, Times> singles;
};

bool HasFlag(int argc, char** argv, const std::string& flag) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind(flag, 0) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    for (const Case& c : Cases()) {
        CheckSameWork(c);
        benchmark::RegisterBenchmark((std::string("script/") + c.name).c_str(), BM_Script, &c)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("lua/") + c.name).c_str(), BM_Lua, &c)
            ->Unit(benchmark::kMicrosecond);
    }
    // Interleaved repetitions unless the caller chose otherwise.
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::string repetitions = "--benchmark_repetitions=5";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    if (!HasFlag(argc, argv, "--benchmark_enable_random_interleaving")) args.push_back(interleave.data());
    if (!HasFlag(argc, argv, "--benchmark_repetitions")) args.push_back(repetitions.data());
    if (!HasFlag(argc, argv, "--benchmark_report_aggregates_only")) args.push_back(aggregates.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    // CPU time is disturbed less by other load on the machine.
    std::printf("\n%-12s %12s %12s %12s %12s %12s %12s\n", "case", "script us", "lua us", "wall ratio",
                "script cpu", "lua cpu", "cpu ratio");
    for (const Case& c : Cases()) {
        Times s = reporter.TimesOf(std::string("script/") + c.name);
        Times l = reporter.TimesOf(std::string("lua/") + c.name);
        if (s.wall < 0 || l.wall <= 0 || l.cpu <= 0) continue;
        std::printf("%-12s %12.1f %12.1f %12.2f %12.1f %12.1f %12.2f\n", c.name, s.wall, l.wall,
                    s.wall / l.wall, s.cpu, l.cpu, s.cpu / l.cpu);
    }
    benchmark::Shutdown();
    return 0;
}
