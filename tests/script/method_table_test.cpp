// The method table shape every built-in script class binds its methods
// with: the name map it builds and the dispatch by index, aliases, shared
// handlers, gaps and indices out of range.
#include "script/method_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/child_process.h"
#include "script/interpreter.h"
#include "script/method_names.h"

namespace {

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
    static constexpr MethodTable<Recorder> kTable{kRows, {"recorder: %d;", OnUnknown::Report}};
};

void Recorder::Call(asmInterpreter* interp, int index) { ScriptMethods::kTable.Run(*this, interp, index); }

TEST(MethodTable, NamesMapToTheirIndicesAndNothingElse) {
    asmClass* cls = Recorder::ScriptMethods::kTable.BuildClass();
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(method_names::Read(cls->methods), method_names::Parse("first second/again - fourth interp"));
    FreeClass(cls);
    EXPECT_EQ(cls, nullptr);
}

TEST(MethodTable, AnIndexRunsItsHandlerAndAnyOtherRunsTheUnknownOne) {
    Recorder r;
    asmInterpreter handed;
    handed.sp = 41;
    // Unknown indices need no machine.
    testing::internal::CaptureStdout();
    for (int index : {-1, 2, 5, 63, 64, 1000}) r.Call(nullptr, index);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "recorder: -1;recorder: 2;recorder: 5;recorder: 63;recorder: 64;recorder: 1000;");
    for (int index : {0, 1, 3, 4}) r.Call(&handed, index);
    const std::vector<std::string> calls = {"first", "shared 1", "shared 3", "the machine handed"};
    EXPECT_EQ(r.Calls(), calls);
}

// The words of an unknown index are the class's own, the index in place of
// "%d" (or nowhere), and the choice decides whether the program ends.
TEST(MethodTable, UnknownIndicesAreReportedOrEndTheProgramInTheClassesWords) {
    const struct {
        UnknownMethod unknown;
        int index;
        int exitCode;
        const char* out;
    } cases[] = {
        {{"\nwidget unknown built in method %d", OnUnknown::End},
         12,
         1,
         "\nwidget unknown built in method 12"},
        {{"gadget unknown built in method %d\n", OnUnknown::End},
         -3,
         1,
         "gadget unknown built in method -3\n"},
        {{"knob unknown built in method %d\n", OnUnknown::Report}, 7, 0, "knob unknown built in method 7\n"},
        {{"no index here!\n", OnUnknown::Report}, 99, 0, "no index here!\n"},
    };
    for (const auto& c : cases) {
        ChildOutcome r = RunInChild([&c] { RunUnknownMethod(c.unknown, c.index); });
        EXPECT_TRUE(r.exited) << c.out;
        EXPECT_EQ(r.exitCode, c.exitCode) << c.out;
        EXPECT_EQ(r.out, c.out);
    }
}

}  // namespace
