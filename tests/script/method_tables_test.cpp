// The method tables of the script core's classes: every name a script may
// call on an int, real, string, vector or db, with the built-in index it
// reaches; the names every object answers to, and the event names. Aliases
// share an index and a table holds nothing else. Also what an index no name
// reaches does for the value classes.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "foundation/asm_class_obj.h"
#include "script/asm_var.h"
#include "script/child_process.h"
#include "script/method_names.h"
#include "script/script_machine.h"
#include "script/script_types.h"

namespace {

// Each table's names: one word per index from 0, aliases joined by '/'
// (see method_names.h).
const char kInt[] = "get/to_i set load save abs sqrt print rand length sgn pow to_r to_s";
const char kReal[] =
    "get/to_r set load save abs sqrt print length radsin radcos radtg radctg getpi sin cos tg ctg gete log "
    "pow powf asin acos sgn to_i to_s";
const char kString[] =
    "get/to_s set load save getb print sub gete length clear contains change find findfrom to_i to_r isptr "
    "to_u to_l getbyte setbyte cmpalph rfind";
const char kVector[] =
    "get set add find type remove size removeat sort load save contains free beginadd hash print resize "
    "swap last findfrom addbegin empty getvectype pop first copy";
const char kTable[] =
    "add get set getrowsno getcolsno free load save print setseparator setsize addrow findbyrow copyvec "
    "loadscript swap removeat removen rowinrange loadbeh readonly addbegin addbeginrow savescript "
    "removerow getvec";
const char kCommon[] =
    "getname addmethod getidobj addtogamevars getbuildername getfullname buildfullname setname printvars "
    "printmethods hasvar gettype methodname hasmet hasaddedmet";
const char kEvents[] =
    "onstart onsetframe onendframe ontick onfinish onclick onmoveon onmoveoff onrel onvisit";

TEST(CoreMethodTables, EveryClassMapsItsNamesToTheirIndices) {
    std::vector<std::string> core;
    for (const asmBuiltinClass& c : CoreScriptClasses()) core.push_back(c.name);
    EXPECT_EQ(core, (std::vector<std::string>{"int", "real", "string", "def", "vector", "db"}));
    asmScriptMachine machine;
    machine.SetUp();
    const std::pair<const char*, const char*> classes[] = {
        {"int", kInt}, {"real", kReal}, {"string", kString}, {"vector", kVector}, {"db", kTable}};
    for (const auto& [className, names] : classes) {
        SCOPED_TRACE(className);
        const asmBuiltinClass* c = machine.classes.Find(className);
        ASSERT_NE(c, nullptr);
        asmClass* methods = c->descriptor();
        ASSERT_NE(methods, nullptr);
        EXPECT_EQ(method_names::Read(methods->methods), method_names::Parse(names));
    }
    EXPECT_EQ(method_names::Read(asmClassObj::CommonMethods), method_names::Parse(kCommon));
    EXPECT_EQ(method_names::Read(asmClassObj::EventNames), method_names::Parse(kEvents));
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
