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

namespace {

constexpr int kLoops = 100000;

// A minimal object layer: names resolve in the current object's variables,
// then in one global table; calls find script methods in the object's
// class and remember the entry per call site.
class BenchObjects : public asmObjectModel {
public:
    explicit BenchObjects(asmInterpreter& m) : machine(m) {}

    asmClassObj* LookupVar(const char* name) override {
        if (machine.currentObject) {
            ddTrie<asmClassObj>* e = machine.currentObject->GetVars()->Find(name);
            if (e && e->pointer) return e->pointer;
        }
        auto it = globals.find(name);
        return it == globals.end() ? nullptr : it->second.get();
    }

    void CallMethod(asmClassObj* object, const char* name, asmCallCache& cache) override {
        machine.lastCalledName = name;
        if (cache.epoch != machine.NameEpoch() || cache.key1 != object->GetClass()) {
            ddTrie<asmMethod>* e = object->GetClass() ? object->GetClass()->methods->Find(name) : nullptr;
            cache.epoch = machine.NameEpoch();
            cache.key1 = object->GetClass();
            cache.method = e && e->value == kScriptMethod ? e->pointer : nullptr;
        }
        if (cache.method) machine.RunScriptMethod(object, *cache.method, name);
    }

    void ExecNew(asmOperand& type, asmOperand& nameOp) override {
        std::string t = machine.OperandName(type);
        std::string name = machine.OperandName(nameOp);
        asmClassObj* made = nullptr;
        if (t == "int") made = new asmVarInt(nullptr, name.c_str());
        else if (t == "string") made = new asmVarString(nullptr, name.c_str());
        else if (t == "real") made = new asmVarReal(nullptr, name.c_str());
        else {
            made = new asmClassObj(machine.typeMap->Find(t.c_str())->pointer);
            made->SetName(name.c_str());
        }
        if (machine.currentObject && machine.currentObject != machine.globalObject) {
            machine.currentObject->GetVars()->Get(name.c_str())->pointer = made;
        } else {
            globals[name].reset(made);
        }
        machine.NamesChanged();
    }

    void ExecDelete(asmOperand& nameOp) override {
        globals.erase(machine.OperandName(nameOp));
        machine.NamesChanged();
    }

    void NewObject(const char*, const char*) override {}

    asmInterpreter& machine;
    std::map<std::string, std::unique_ptr<asmClassObj>> globals;
};

struct ScriptCase {
    asmInterpreter machine;
    BenchObjects objects{machine};
    asmClassObj* target = nullptr;

    explicit ScriptCase(const std::string& text) {
        machine.SetObjectModel(&objects);
        machine.InitOpcodes();
        machine.InitEndKinds();
        machine.InitTypeMap();
        machine.CreateGlobalClass();
        auto global = std::make_unique<asmClassObj>(machine.globalClass);
        global->SetName("global");
        machine.globalObject = global.get();
        objects.globals["global"] = std::move(global);
        machine.SelectGlobal();
        machine.AssembleText(text);
        machine.TieLabels();
        machine.loading = false;
    }
    ~ScriptCase() { objects.globals.clear(); }

    void Run() {
        machine.currentObject = machine.globalObject;
        machine.RunScriptMethod(machine.globalObject, *machine.globalInit, "init");
        machine.sp = -1;
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

const std::string N = std::to_string(kLoops);

struct Case {
    const char* name;
    std::string script;
    int perLoop;  // script instructions executed per iteration
    std::string lua;
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"locals",
         "localint $1\nmov $1, 0\nloop:\nadd $1, 1\npop $1\ncmp $1, " + N + "\njl loop\n", 4,
         "function run() local i = 0 while i < " + N + " do i = i + 1 end end"},
        {"globals",
         "class k\nmethod m\nend method\nnew int, counter\nend class\n"
         "mov counter, 0\nloop:\nadd counter, 1\npop counter\ncmp counter, " + N + "\njl loop\n",
         4, "counter = 0 function run() counter = 0 while counter < " + N +
                " do counter = counter + 1 end end"},
        {"object_vars",
         "class k\nmethod count\nmov hits, 0\nloop:\nadd hits, 1\npop hits\ncmp hits, " + N +
             "\njl loop\nend method\nmethod init\nnew int, hits\nend method\nend class\n"
             "new k, obj\ncall obj, init\ncall obj, count\n",
         4, "local obj = {hits = 0} function obj:count() self.hits = 0 while self.hits < " + N +
                " do self.hits = self.hits + 1 end end function run() obj:count() end"},
        {"cthis_calls",
         "class k\nmethod empty\nend method\nmethod drive\nlocalint $1\nmov $1, 0\nloop:\n"
         "cthis empty\nadd $1, 1\npop $1\ncmp $1, " + N + "\njl loop\nend method\nend class\n"
         "new k, obj\ncall obj, drive\n",
         5, "local obj = {} function obj:empty() end function obj:drive() local i = 0 while i < " +
                N + " do self:empty() i = i + 1 end end function run() obj:drive() end"},
        {"call_calls",
         "class k\nmethod empty\nend method\nend class\nnew k, obj\n"
         "localint $1\nmov $1, 0\nloop:\ncall obj, empty\nadd $1, 1\npop $1\ncmp $1, " + N +
             "\njl loop\n",
         5, "local obj = {} function obj.empty() end function run() local i = 0 while i < " + N +
                " do obj:empty() i = i + 1 end end"},
        {"string_build",
         "localint $1\nlocalstring $2\nmov $1, 0\nloop:\nadd \"item\", $1\npop $2\nadd $1, 1\n"
         "pop $1\ncmp $1, " + N + "\njl loop\n",
         6, "function run() local s local i = 0 while i < " + N +
                " do s = \"item\" .. i i = i + 1 end end"},
    };
    return cases;
}

void BM_Script(benchmark::State& state, const Case* c) {
    ScriptCase sc(c->script);
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
