// The method tables of the script core's classes: every name a script may
// call on an int, real, string, vector or db, with the built-in index it
// reaches; the names every object answers to, and the event names. Aliases
// share an index and a table holds nothing else. Also what an index no name
// reaches does for the value classes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "foundation/asm_class_obj.h"
#include "script/asm_var.h"
#include "script/child_process.h"
#include "script/script_machine.h"
#include "script/script_types.h"

namespace {

struct NameIndex {
    const char* name;
    int index;
};

const NameIndex kInt[] = {
    {"get", 0},   {"to_i", 0}, {"set", 1},    {"load", 2}, {"save", 3}, {"abs", 4},   {"sqrt", 5},
    {"print", 6}, {"rand", 7}, {"length", 8}, {"sgn", 9},  {"pow", 10}, {"to_r", 11}, {"to_s", 12},
};
const NameIndex kReal[] = {
    {"get", 0},   {"to_r", 0},   {"set", 1},    {"load", 2},   {"save", 3},   {"abs", 4},     {"sqrt", 5},
    {"print", 6}, {"length", 7}, {"radsin", 8}, {"radcos", 9}, {"radtg", 10}, {"radctg", 11}, {"getpi", 12},
    {"sin", 13},  {"cos", 14},   {"tg", 15},    {"ctg", 16},   {"gete", 17},  {"log", 18},    {"pow", 19},
    {"powf", 20}, {"asin", 21},  {"acos", 22},  {"sgn", 23},   {"to_i", 24},  {"to_s", 25},
};
const NameIndex kString[] = {
    {"get", 0},     {"to_s", 0},  {"set", 1},       {"load", 2},     {"save", 3},     {"getb", 4},
    {"print", 5},   {"sub", 6},   {"gete", 7},      {"length", 8},   {"clear", 9},    {"contains", 10},
    {"change", 11}, {"find", 12}, {"findfrom", 13}, {"to_i", 14},    {"to_r", 15},    {"isptr", 16},
    {"to_u", 17},   {"to_l", 18}, {"getbyte", 19},  {"setbyte", 20}, {"cmpalph", 21}, {"rfind", 22},
};
const NameIndex kVector[] = {
    {"get", 0},    {"set", 1},       {"add", 2},       {"find", 3},   {"type", 4},        {"remove", 5},
    {"size", 6},   {"removeat", 7},  {"sort", 8},      {"load", 9},   {"save", 10},       {"contains", 11},
    {"free", 12},  {"beginadd", 13}, {"hash", 14},     {"print", 15}, {"resize", 16},     {"swap", 17},
    {"last", 18},  {"findfrom", 19}, {"addbegin", 20}, {"empty", 21}, {"getvectype", 22}, {"pop", 23},
    {"first", 24}, {"copy", 25},
};
const NameIndex kTable[] = {
    {"add", 0},       {"get", 1},       {"set", 2},          {"getrowsno", 3},   {"getcolsno", 4},
    {"free", 5},      {"load", 6},      {"save", 7},         {"print", 8},       {"setseparator", 9},
    {"setsize", 10},  {"addrow", 11},   {"findbyrow", 12},   {"copyvec", 13},    {"loadscript", 14},
    {"swap", 15},     {"removeat", 16}, {"removen", 17},     {"rowinrange", 18}, {"loadbeh", 19},
    {"readonly", 20}, {"addbegin", 21}, {"addbeginrow", 22}, {"savescript", 23}, {"removerow", 24},
    {"getvec", 25},
};
const NameIndex kCommon[] = {
    {"getname", 0},     {"addmethod", 1},     {"getidobj", 2},    {"addtogamevars", 3}, {"getbuildername", 4},
    {"getfullname", 5}, {"buildfullname", 6}, {"setname", 7},     {"printvars", 8},     {"printmethods", 9},
    {"hasvar", 10},     {"gettype", 11},      {"methodname", 12}, {"hasmet", 13},       {"hasaddedmet", 14},
};
const NameIndex kEvents[] = {
    {"onstart", 0}, {"onsetframe", 1}, {"onendframe", 2}, {"ontick", 3}, {"onfinish", 4},
    {"onclick", 5}, {"onmoveon", 6},   {"onmoveoff", 7},  {"onrel", 8},  {"onvisit", 9},
};

using Table = std::map<std::string, int>;

// Every name with a value in the trie below `node` (`prefix` spells it).
template <class T>
void Collect(ddTrie<T>* node, std::string& prefix, Table& out) {
    if (!node) return;
    if (node->value >= 0) out[prefix] = node->value;
    for (int i = 0; i < node->count; ++i) {
        ddTrie<T>* child = node->children[i];
        prefix.push_back(static_cast<char>(child->key));
        Collect(child, prefix, out);
        prefix.pop_back();
    }
}

template <class T, size_t N>
void ExpectNames(const char* what, ddTrie<T>* names, const NameIndex (&expected)[N]) {
    SCOPED_TRACE(what);
    ASSERT_NE(names, nullptr);
    Table want;
    for (const NameIndex& e : expected) want[e.name] = e.index;
    ASSERT_EQ(want.size(), N) << "a name is listed twice";
    Table got;
    std::string prefix;
    Collect(names, prefix, got);
    EXPECT_EQ(got, want);
}

// The table of the machine's class `className`, as its set-up built it.
template <size_t N>
void ExpectTable(const asmScriptMachine& machine, const char* className, const NameIndex (&expected)[N]) {
    const asmBuiltinClass* c = machine.classes.Find(className);
    ASSERT_NE(c, nullptr) << className;
    asmClass* methods = c->descriptor();
    ASSERT_NE(methods, nullptr) << className;
    ExpectNames(className, methods->methods, expected);
}

TEST(CoreMethodTables, EveryClassMapsItsNamesToTheirIndices) {
    std::vector<std::string> core;
    for (const asmBuiltinClass& c : CoreScriptClasses()) core.push_back(c.name);
    EXPECT_EQ(core, (std::vector<std::string>{"int", "real", "string", "def", "vector", "db"}));
    asmScriptMachine machine;
    machine.SetUp();
    ExpectTable(machine, "int", kInt);
    ExpectTable(machine, "real", kReal);
    ExpectTable(machine, "string", kString);
    ExpectTable(machine, "vector", kVector);
    ExpectTable(machine, "db", kTable);
    ExpectNames("common methods", asmClassObj::CommonMethods, kCommon);
    ExpectNames("events", asmClassObj::EventNames, kEvents);
}

TEST(CoreMethodTables, UnknownIndicesOfValuesEndTheProgram) {
    const struct {
        const char* kind;
        int index;
    } cases[] = {{"int", 13}, {"int", -1}, {"real", 26}, {"real", -1}, {"string", 23}, {"string", -1}};
    for (const auto& c : cases) {
        ChildOutcome r = RunInChild([&c] {
            const std::string kind = c.kind;
            if (kind == "int") asmVarInt(nullptr, "v").CallBuiltIn(nullptr, c.index);
            if (kind == "real") asmVarReal(nullptr, "v").CallBuiltIn(nullptr, c.index);
            if (kind == "string") asmVarString(nullptr, "v").CallBuiltIn(nullptr, c.index);
        });
        EXPECT_EQ(r.exitCode, 1) << c.kind << c.index;
        EXPECT_EQ(r.out,
                  "\nunknown " + std::string(c.kind) + " built in method " + std::to_string(c.index) + "\n");
    }
}

}  // namespace
