// The assembler: how operands parse, the words of every lexer, operand and
// directive error, the classes, methods and modules directives build, the
// opcode table, labels tied within their method, and line endings.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "child_process.h"
#include "script/opcodes.h"
#include "script_fixture.h"

namespace {

struct ParsedOperand {
    int kind;
    int ivalue;
    float rvalue;
    std::string text;
};

ParsedOperand Parse(const std::string& text) {
    ScriptMachine s;
    asmOperand op;
    s.machine.ParseOperand(text, op);
    return {op.kind, op.ivalue, op.rvalue, op.text.c_str() ? op.text.c_str() : ""};
}

// Assembles the script in a child and returns what it printed and its code.
ChildOutcome AssembleInChild(const std::string& script) {
    return RunInChild([&] {
        ScriptMachine s;
        s.Load(script);
    });
}

void ExpectAssemblyFails(const std::string& script, const std::string& out) {
    ChildOutcome r = AssembleInChild(script);
    EXPECT_TRUE(r.exited) << script;
    EXPECT_EQ(r.exitCode, 1) << script;
    EXPECT_EQ(r.out, out) << script;
}

}  // namespace

TEST(Operands, EachKindParsesAsTheLanguageSays) {
    // A field a case leaves as kAny (or NaN, or null) is not checked.
    constexpr int kAny = std::numeric_limits<int>::min();
    constexpr float kNo = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* text;
        int kind;
        int ivalue;
        float rvalue;
        const char* name;
    } cases[] = {
        {"1.5", OPK_REAL, kAny, 1.5f, nullptr},
        {"1.2.3", OPK_REAL, kAny, 1.2f, nullptr},
        {"-3", OPK_INT, -3, kNo, nullptr},
        {"12ab", OPK_INT, 12, kNo, nullptr},
        {"-", OPK_INT, 0, kNo, nullptr},
        {"99999999999", kAny, 2147483647, kNo, nullptr},
        {"$b", OPK_REG, 1, kNo, nullptr},
        {"$j", kAny, 9, kNo, nullptr},
        {"[$c]", OPK_INDIRECT_REG, 2, kNo, "$c"},
        {"$3", OPK_LOCAL, 3, kNo, nullptr},
        {"[$12]", OPK_INDIRECT_LOCAL, 12, kNo, nullptr},
        {"[who]", OPK_INDIRECT_NAME, kAny, kNo, "who"},
        {"score", OPK_NAME, -1, kNo, "score"},
        {"\"hi there", OPK_STRING, kAny, kNo, "hi there"},
        {"", OPK_NAME, kAny, kNo, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ParsedOperand p = Parse(c.text);
        if (c.kind != kAny) {
            EXPECT_EQ(p.kind, c.kind);
        }
        if (c.ivalue != kAny) {
            EXPECT_EQ(p.ivalue, c.ivalue);
        }
        if (!std::isnan(c.rvalue)) {
            EXPECT_FLOAT_EQ(p.rvalue, c.rvalue);
        }
        if (c.name) {
            EXPECT_EQ(p.text, c.name);
        }
    }
}

TEST(Operands, OutOfRangeRegistersLocalsAndOpenBracketsAreRefused) {
    ExpectAssemblyFails("push $k\n", "\nno such register $k\n");
    ExpectAssemblyFails("push [$z]\n", "\nno such register [$z]\n");
    ExpectAssemblyFails("push $0\n", "\nwrong local number $0\n");
    ExpectAssemblyFails("push $-1\n", "\nwrong local number $-1\n");
    ExpectAssemblyFails("push $1000\n", "\nwrong local number $1000\n");
    ExpectAssemblyFails("push [$0]\n", "\nwrong local number [$0]\n");
    ExpectAssemblyFails("push [name\n", "\nbracket without close [name\n");
    ExpectAssemblyFails("localint x\n", "\nwrong local number x\n");
    ExpectAssemblyFails("push [" + std::string(1024, 'b') + "]\n",
                        "\nbracket text too long [" + std::string(1024, 'b') + "]\n");
}

TEST(Assembler, LexerErrorsPrintTheWholeLine) {
    ExpectAssemblyFails("mov a b\n", "\nwrong separator mov a b\n\n");
    ExpectAssemblyFails("push \"x\n", "\nopened literal push \"x\n\n");
    ExpectAssemblyFails("  \"x\"\n", "\nread literal instead of instruction   \"x\"\n\n");
    ExpectAssemblyFails("Push 1\n", "\nwrong instruction name Push 1\n\n");
    ExpectAssemblyFails("push 1\nret;\n", "\nwrong instruction ret;\n");
    std::string longLine = "push " + std::string(2100, 'x') + "\n";
    ExpectAssemblyFails(longLine, "\nline too long " + longLine + "\n");
}

TEST(Assembler, DirectiveErrorsUseTheirOwnWords) {
    ExpectAssemblyFails("class a\nclass a\n", "\nclass a already declared!\n");
    ExpectAssemblyFails("class a\ngame a\n", "\ngame a already declared!\n");
    ExpectAssemblyFails("module global\n", "\nmodule global already declared!\n");
    ExpectAssemblyFails("class a\nmethod m\nend method\nmethod m\n", "method m already in use\n");
    ExpectAssemblyFails("end box\n", "\nunknown end box -1\n");
    ExpectAssemblyFails("class a\nparent nothing\n", "\nno such base class nothing\n");
    ExpectAssemblyFails("class a\nmethod m\nend method\npush 1\n", "\ninstruction not within method\n");
    ExpectAssemblyFails("class a\nend class\nclass b\nmethod m\nend method\nhere:\n",
                        "\ndeclared label here not within method!\n");
    ExpectAssemblyFails("jmp nowhere\n", "\nno such label nowhere\n");
    ExpectAssemblyFails("jmp 12\n", "\nwrong label format");
    ExpectAssemblyFails("jmp $a\n", "\nwrong label format");
    ExpectAssemblyFails("class\n", "\ndirective without name class\n");
    ExpectAssemblyFails("method\n", "\ndirective without name method\n");
    ExpectAssemblyFails("end\n", "\ndirective without name end\n");
    ExpectAssemblyFails("parent ;x\n", "\ndirective without name parent\n");
}

TEST(Assembler, DirectivesBuildClassesAndMethods) {
    ScriptMachine s;
    s.Load(
        "class base\nmethod hello\npush 1\nend method\nmethod bye\nend method\nend class\n"
        "class child\nparent base\nmethod bye\npush 2\npush 3\nend method\nend class\n"
        "push 9\nmodule tools\nend module\n");
    ddTrie<asmClass>* base = s.machine.typeMap->Find("base");
    ddTrie<asmClass>* child = s.machine.typeMap->Find("child");
    ASSERT_TRUE(base && base->pointer && child && child->pointer);
    EXPECT_EQ(base->value, KIND_CLASS);
    EXPECT_EQ(s.machine.typeMap->Find("tools")->value, KIND_MODULE);
    EXPECT_EQ(s.objects.modulesMade, std::vector<std::string>{"tools"});

    // The copied method is shared, not owned; the redeclared one replaces it.
    ddTrie<asmMethod>* hello = child->pointer->methods->Find("hello");
    ASSERT_TRUE(hello);
    EXPECT_EQ(hello->pointer, base->pointer->methods->Find("hello")->pointer);
    EXPECT_EQ(hello->owns, 0);
    ddTrie<asmMethod>* bye = child->pointer->methods->Find("bye");
    EXPECT_EQ(bye->owns, 1);
    EXPECT_EQ(bye->pointer->count, 2);
    EXPECT_EQ(bye->value, kScriptMethod);

    // Outside every class, instructions go to the global "init".
    EXPECT_EQ(s.machine.globalInit->count, 1);
}

TEST(Assembler, InstructionsAfterADirectiveStayInTheCurrentMethod) {
    ScriptMachine s;
    s.Load("push 1\nclass a\npush 2\nmethod m\nend method\nend class\npush 3\n");
    EXPECT_EQ(s.machine.globalInit->count, 3);
}

TEST(Assembler, NewBetweenMethodsRunsWhileLoading) {
    ScriptMachine s;
    s.Load(
        "class a\nmethod m\nend method\nnew int, counter\nmethod n\nnew int, later\nend method\n"
        "end class\n");
    EXPECT_NE(s.objects.Value("counter"), nullptr);
    EXPECT_EQ(s.objects.Value("later"), nullptr);
}

TEST(Assembler, OpcodeTableHasEveryMnemonic) {
    ScriptMachine s;
    // Each mnemonic in opcode order, from 0.
    std::istringstream expected(
        "and or mov cmp jmp je jne jl jle ja jae add mul div sub class module game end new push pop ret call "
        "cthis clparent parent method localint localstring localreal psax popax spush spop neg cmpje cmpjne "
        "cmpjae cmpjle cmpja cmpjl spushs cmp0 delete localdef cmpst");
    int i = 0;
    for (std::string name; expected >> name; ++i) {
        ddTrie<int>* e = s.machine.opcodeMap->Find(name.c_str());
        ASSERT_TRUE(e) << name;
        EXPECT_EQ(e->value, i) << name;
    }
    EXPECT_EQ(i, OP_COUNT);
}

TEST(Labels, JumpsAreTiedWithinTheirMethod) {
    ScriptMachine s;
    s.Load(
        "class a\n"
        "method one\njmp done\npush 1\ndone:\nret\nend method\n"
        "method two\npush 1\npush 2\npush 3\ndone:\njmp done\nend method\n"
        "end class\n");
    asmClass* a = s.machine.typeMap->Find("a")->pointer;
    asmMethod* one = a->methods->Find("one")->pointer;
    asmMethod* two = a->methods->Find("two")->pointer;
    EXPECT_EQ(one->instructions[0]->operand1->kind, OPK_LABEL);
    EXPECT_EQ(one->instructions[0]->operand1->ivalue, 2);
    EXPECT_FALSE(one->instructions[0]->operand1->text.HasText());
    EXPECT_EQ(two->instructions[3]->operand1->ivalue, 3);
}

TEST(Labels, ALabelOfAnotherMethodIsNotFound) {
    ExpectAssemblyFails(
        "class a\nmethod one\nthere:\nret\nend method\nmethod two\njmp there\nend method\nend class\n",
        "\nno such label there\n");
}

TEST(Labels, TheLaterDefinitionInAMethodWins) {
    ScriptMachine s;
    s.Load("x:\npush 1\nx:\njmp x\n");
    EXPECT_EQ(s.machine.globalInit->instructions[1]->operand1->ivalue, 1);
}

TEST(Assembler, ALastLineWithoutLineFeedIsAssembled) {
    ScriptMachine s;
    s.Load("push 1\npush 2");
    EXPECT_EQ(s.machine.globalInit->count, 2);
    ScriptMachine t;
    t.Load("push 1\npush 2\n");
    EXPECT_EQ(t.machine.globalInit->count, 2);
}

TEST(Assembler, CrLfLinesAssembleLikeLf) {
    ScriptMachine s;
    s.Run("push 4\r\npush \"a\"\r\nlab:\r\n");
    EXPECT_EQ(s.Depth(), 2);
    EXPECT_STREQ(s.Top().GetString(), "a");
}
