// The method table shape every built-in script class binds its methods
// with: the name map it builds and the dispatch by index, aliases, shared
// handlers, gaps and indices out of range.
#include "script/method_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/interpreter.h"

namespace {

std::vector<std::string> unknownCalls;

// A class whose handlers reach its private state through its nested table
// (public here only so that the test can build the name map).
class Recorder {
public:
    void Call(asmInterpreter* interp, int index);
    const std::vector<std::string>& Calls() const { return calls; }
    struct ScriptMethods;

private:
    std::vector<std::string> calls;
};

struct Recorder::ScriptMethods {
    static void Shared(Recorder& self, asmInterpreter&, int index) {
        self.calls.push_back("shared " + std::to_string(index));
    }
    static void Unknown(int index) { unknownCalls.push_back(std::to_string(index)); }
    static constexpr MethodRow<Recorder> kRows[] = {
        {"first", 0, [](Recorder& self, asmInterpreter&, int) { self.calls.push_back("first"); }},
        {"second", 1, Shared},
        {"again", 1, Shared},
        {"fourth", 3, Shared},
        {"interp", 4,
         [](Recorder& self, asmInterpreter& m, int) {
             self.calls.push_back(m.sp == 41 ? "the machine handed" : "another machine");
         }},
    };
    static constexpr MethodTable<Recorder> kTable{kRows, Unknown};
};

void Recorder::Call(asmInterpreter* interp, int index) { ScriptMethods::kTable.Run(*this, interp, index); }

TEST(MethodTable, NamesMapToTheirIndicesAndNothingElse) {
    asmClass* cls = Recorder::ScriptMethods::kTable.BuildClass();
    ASSERT_NE(cls, nullptr);
    const std::pair<const char*, int> named[] = {
        {"first", 0}, {"second", 1}, {"again", 1}, {"fourth", 3}, {"interp", 4}};
    for (const auto& [name, index] : named) {
        ddTrie<asmMethod>* entry = cls->methods->Find(name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_EQ(entry->value, index) << name;
    }
    // A prefix of a name is an inner node without a value.
    ASSERT_NE(cls->methods->Find("fir"), nullptr);
    EXPECT_EQ(cls->methods->Find("fir")->value, -1);
    EXPECT_EQ(cls->methods->Find("third"), nullptr);
    asmClass* again = cls;
    FreeClass(again);
    EXPECT_EQ(again, nullptr);
}

TEST(MethodTable, AnIndexRunsItsHandlerAndAnyOtherRunsTheUnknownOne) {
    unknownCalls.clear();
    Recorder r;
    asmInterpreter handed;
    handed.sp = 41;
    // Unknown indices need no machine.
    for (int index : {-1, 2, 5, 63, 64, 1000}) r.Call(nullptr, index);
    for (int index : {0, 1, 3, 4}) r.Call(&handed, index);
    const std::vector<std::string> calls = {"first", "shared 1", "shared 3", "the machine handed"};
    EXPECT_EQ(r.Calls(), calls);
    const std::vector<std::string> unknown = {"-1", "2", "5", "63", "64", "1000"};
    EXPECT_EQ(unknownCalls, unknown);
}

}  // namespace
