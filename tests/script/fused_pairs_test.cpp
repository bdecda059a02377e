// Pairs the assembler fuses into one step ("add x, 1" then "pop x", "cmp"
// then a conditional jump, "localint $1" then "pop $1") must act exactly as
// the two instructions apart: every case runs twice, once with the pair
// adjacent and once with a jump to the next line between them (which keeps
// them apart), and both runs must leave the same stack, values and output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "child_process.h"
#include "script_fixture.h"

namespace {

// "|" marks the place between the two instructions of a pair: a new line
// keeps them adjacent, a jump to a label on the next line keeps them apart.
std::string Placed(const std::string& script, bool apart) {
    std::string out;
    int n = 0;
    for (char c : script) {
        if (c != '|') {
            out += c;
        } else if (!apart) {
            out += '\n';
        } else {
            const std::string label = "apart" + std::to_string(n++);
            out += "\njmp " + label + "\n" + label + ":\n";
        }
    }
    return out;
}

// The stack from bottom to top, then the named values, as texts.
std::vector<std::string> Outcome(ScriptMachine& s, const std::vector<std::string>& names) {
    std::vector<std::string> out;
    for (int i = 0; i <= s.machine.sp; ++i) {
        asmVarReg& c = s.machine.StackCell(i);
        out.push_back(std::to_string(c.GetType()) + ":" + c.GetString());
    }
    for (const std::string& n : names) {
        asmVar* v = s.objects.Value(n);
        out.push_back(n + "=" + (v ? std::to_string(v->GetType()) + ":" + v->GetString() : "none"));
    }
    return out;
}

// Runs the case both ways; returns the fused run's outcome.
std::vector<std::string> Both(const std::string& script, const std::vector<std::string>& names = {}) {
    auto run = [&names](const std::string& text) {
        ScriptMachine s;
        s.Run(text);
        return Outcome(s, names);
    };
    std::vector<std::string> joined = run(Placed(script, false));
    EXPECT_EQ(joined, run(Placed(script, true))) << script;
    return joined;
}

// A case that ends the program: the same output and exit code both ways.
std::string BothFail(const std::string& script) {
    auto run = [](const std::string& text) {
        return RunInChild([&] {
            ScriptMachine s;
            s.Run(text);
        });
    };
    ChildOutcome joined = run(Placed(script, false));
    ChildOutcome apart = run(Placed(script, true));
    EXPECT_TRUE(joined.exited && apart.exited) << script;
    EXPECT_EQ(joined.exitCode, apart.exitCode) << script;
    EXPECT_EQ(joined.out, apart.out) << script;
    return joined.out;
}

using Texts = std::vector<std::string>;

}  // namespace

TEST(FusedPairs, ArithmeticStoredInPlaceOnEveryKindOfTarget) {
    EXPECT_EQ(Both("localint $1\nmov $1, 5\nadd $1, 3|pop $1\nsub $1, 10|pop $1\nmul $1, $1|pop $1\n"
                   "push $1\n"),
              Texts{"4:4"});
    // Wrapping, registers, named ints and "def" values.
    EXPECT_EQ(Both("localint $1\nmov $1, 2147483647\nadd $1, 1|pop $1\npush $1\n"
                   "mov $c, 4\nmul $c, 3|pop $c\nsub $c, $c|pop $c\npush $c\n"
                   "new int, x\nmov x, 7\nadd x, x|pop x\nnew def, d\nmov d, 2\nmul d, x|pop d\n",
                   {"x", "d"}),
              (Texts{"4:-2147483648", "4:0", "x=4:14", "d=4:28"}));
    // Operands that are not both ints take the general rules.
    EXPECT_EQ(Both("localint $1\nmov $1, 1\nadd $1, \"7\"|pop $1\nadd $1, 2.9|pop $1\npush $1\n"
                   "localreal $2\nmov $2, 1.5\nadd $2, 2|pop $2\nmul $2, $1|pop $2\npush $2\n"
                   "mov $d, 1.5\nadd $d, 1|pop $d\npush $d\n"),
              (Texts{"4:10", "5:35.000000", "5:2.500000"}));
}

TEST(FusedPairs, StringsAppendInPlace) {
    EXPECT_EQ(Both("localstring $2\nmov $2, \"a\"\nadd $2, 7|pop $2\nadd $2, 1.5|pop $2\n"
                   "add $2, \"z\"|pop $2\nadd $2, $2|pop $2\npush $2\n"
                   "new string, s\nmov s, \"q\"\nadd s, $2|pop s\nadd s, s|pop s\n"
                   "new def, d\nmov d, \"<\"\nadd d, s|pop d\nmov $e, \"e\"\nadd $e, 5|pop $e\npush $e\n",
                   {"s", "d"}),
              (Texts{"6:a71.500000za71.500000z", "6:e5", "s=6:qa71.500000za71.500000zqa71.500000za71.500000z",
                     "d=6:<qa71.500000za71.500000zqa71.500000za71.500000z"}));
    // A long text built one piece at a time.
    std::string out = Both(
        "localint $1\nlocalstring $2\nmov $2, \"\"\nmov $1, 0\nagain:\nadd $1, 1|pop $1\n"
        "add $2, $1|pop $2\ncmp $1, 5000|jl again\npush $2\n")[0];
    std::string expected = "6:";
    for (int i = 1; i <= 5000; ++i) expected += std::to_string(i);
    EXPECT_EQ(out, expected);
}

TEST(FusedPairs, ConditionalJumpsAndTheFlagTheyLeave) {
    const char* jumps[] = {"je", "jne", "jl", "jle", "ja", "jae"};
    for (const char* j : jumps) {
        for (const char* b : {"2", "3", "4", "$2", "x", "\"3\"", "3.0"}) {
            std::string script =
                std::string("new int, x\nmov x, 3\nlocalint $1\nmov $1, 3\nlocalint $2\nmov $2, 4\n") +
                "cmp $1, " + b + "|" + j + " yes\npush 0\njmp after\nyes:\npush 1\n" +
                "after:\nje equal\npush 2\nret\nequal:\npush 3\n";
            Both(script);
        }
    }
    // Strings compare as texts; the flag of the fused pair stays for a later jump.
    EXPECT_EQ(Both("localstring $1\nmov $1, \"10\"\ncmp $1, 9|jl less\npush 0\nret\nless:\n"
                   "push 1\njl again\nret\nagain:\npush 2\n"),
              (Texts{"4:1", "4:2"}));
}

TEST(FusedPairs, TakingAnArgumentIntoALocal) {
    EXPECT_EQ(Both("push 5\nlocalint $1|pop $1\npush $1\npush \"12x\"\nlocalint $2|pop $2\npush $2\n"
                   "push 2.5\nlocalint $3|pop $3\npush $3\n"),
              (Texts{"4:5", "4:12", "4:2"}));
    EXPECT_EQ(BothFail("localint $1|pop $1\n"), "\nInterpPop  : stack pointer < 0\n");
}

TEST(FusedPairs, AJumpIntoThePairRunsItsSecondHalfAlone) {
    EXPECT_EQ(Both("localint $1\nmov $1, 1\npush 9\njmp mid\nadd $1, 100\nmid:\npop $1\npush $1\n"
                   "mov $2, 0\njmp test\ncmp $1, 0\ntest:\njl neg\npush 1\nret\nneg:\npush 2\n"),
              (Texts{"4:9", "4:1"}));
}

TEST(FusedPairs, FailuresAreThoseOfThePairApart) {
    std::string full;
    for (int i = 0; i < 999; ++i) full += "push 1\n";
    EXPECT_EQ(BothFail("localint $1\n" + full + "push 1\nadd $1, 1|pop $1\n"), "\nstack overflow\n");
    EXPECT_EQ(BothFail("localstring $1\nmov $1, \"a\"\nlocaldef $2\nadd $1, $2|pop $1\n"),
              "\ncan't get var from register!");
    EXPECT_EQ(BothFail("localstring $1\nmov $1, \"a\"\nsub $1, 1|pop $1\n"), "\nforbidden instruction Sub\n");
    EXPECT_EQ(BothFail("class k\nend class\nnew k, o\nlocalstring $1\nadd $1, o|pop $1\n"),
              "\nforbidden instruction GetString\n");
    EXPECT_EQ(BothFail("localdef $1\ncmp $1, 1|je x\nx:\n"), "\nunknown register type\n");
}

TEST(FusedPairs, ANameChangedBetweenRunsIsFoundAgain) {
    // The same fused pairs run before and after x is deleted and made again
    // as a string, and while $1 changes from a string to an int.
    EXPECT_EQ(Both("new int, x\nmov x, 1\nlocalint $1\nmov $1, 0\nagain:\nadd x, 1|pop x\n"
                   "add $1, 1|pop $1\ncmp $1, 2|jne skip\ndelete x\nnew string, x\nmov x, \"s\"\nskip:\n"
                   "cmp $1, 4|jl again\n",
                   {"x"}),
              Texts{"x=6:s11"});
    EXPECT_EQ(Both("localint $1\nmov $1, 0\nlocalstring $2\nmov $2, \"t\"\nagain:\nadd $2, 1|pop $2\n"
                   "add $1, 1|pop $1\ncmp $1, 2|jne skip\npush $2\nlocalint $2\nmov $2, 10\nskip:\n"
                   "cmp $1, 4|jl again\npush $2\n"),
              (Texts{"6:t11", "4:12"}));
    // A string replaced by another string of the same name.
    EXPECT_EQ(Both("new string, s\nmov s, \"a\"\nlocalint $1\nmov $1, 0\nagain:\nadd s, \"b\"|pop s\n"
                   "add $1, 1|pop $1\ncmp $1, 2|jne skip\ndelete s\nnew string, s\nmov s, \"c\"\nskip:\n"
                   "cmp $1, 4|jl again\n",
                   {"s"}),
              Texts{"s=6:cbb"});
    // A variable found through the current object's scope: each object's own.
    EXPECT_EQ(Both("class k\nmethod make\nnew int, hits\nnew string, line\nmov line, \"\"\nend method\n"
                   "method bump\nadd hits, 1|pop hits\nadd line, hits|pop line\n"
                   "cmp hits, 2|jl done\npush line\ndone:\nend method\nend class\n"
                   "new k, one\nnew k, two\ncall one, make\ncall two, make\n"
                   "call one, bump\ncall two, bump\ncall two, bump\ncall one, bump\ncall two, bump\n"),
              (Texts{"6:12", "6:12", "6:123"}));
}
