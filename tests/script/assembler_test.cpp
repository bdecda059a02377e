#include <gtest/gtest.h>

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
    ParsedOperand p = Parse("1.5");
    EXPECT_EQ(p.kind, OPK_REAL);
    EXPECT_FLOAT_EQ(p.rvalue, 1.5f);
    p = Parse("1.2.3");
    EXPECT_EQ(p.kind, OPK_REAL);
    EXPECT_FLOAT_EQ(p.rvalue, 1.2f);
    p = Parse("-3");
    EXPECT_EQ(p.kind, OPK_INT);
    EXPECT_EQ(p.ivalue, -3);
    p = Parse("12ab");
    EXPECT_EQ(p.kind, OPK_INT);
    EXPECT_EQ(p.ivalue, 12);
    p = Parse("-");
    EXPECT_EQ(p.kind, OPK_INT);
    EXPECT_EQ(p.ivalue, 0);
    p = Parse("99999999999");
    EXPECT_EQ(p.ivalue, 2147483647);

    p = Parse("$b");
    EXPECT_EQ(p.kind, OPK_REG);
    EXPECT_EQ(p.ivalue, 1);
    p = Parse("$j");
    EXPECT_EQ(p.ivalue, 9);
    p = Parse("[$c]");
    EXPECT_EQ(p.kind, OPK_INDIRECT_REG);
    EXPECT_EQ(p.ivalue, 2);
    EXPECT_EQ(p.text, "$c");
    p = Parse("$3");
    EXPECT_EQ(p.kind, OPK_LOCAL);
    EXPECT_EQ(p.ivalue, 3);
    p = Parse("[$12]");
    EXPECT_EQ(p.kind, OPK_INDIRECT_LOCAL);
    EXPECT_EQ(p.ivalue, 12);
    p = Parse("[who]");
    EXPECT_EQ(p.kind, OPK_INDIRECT_NAME);
    EXPECT_EQ(p.text, "who");
    p = Parse("score");
    EXPECT_EQ(p.kind, OPK_NAME);
    EXPECT_EQ(p.ivalue, -1);
    EXPECT_EQ(p.text, "score");
    p = Parse("\"hi there");
    EXPECT_EQ(p.kind, OPK_STRING);
    EXPECT_EQ(p.text, "hi there");
    p = Parse("");
    EXPECT_EQ(p.kind, OPK_NAME);
    EXPECT_EQ(p.text, "");
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
        "class base\n"
        "method hello\n"
        "push 1\n"
        "end method\n"
        "method bye\n"
        "end method\n"
        "end class\n"
        "class child\n"
        "parent base\n"
        "method bye\n"
        "push 2\n"
        "push 3\n"
        "end method\n"
        "end class\n"
        "push 9\n"
        "module tools\n"
        "end module\n");
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
    const char* expected[] = {"and",       "or",       "mov",    "cmp",      "jmp",      "je",
                              "jne",       "jl",       "jle",    "ja",       "jae",      "add",
                              "mul",       "div",      "sub",    "class",    "module",   "game",
                              "end",       "new",      "push",   "pop",      "ret",      "call",
                              "cthis",     "clparent", "parent", "method",   "localint", "localstring",
                              "localreal", "psax",     "popax",  "spush",    "spop",     "neg",
                              "cmpje",     "cmpjne",   "cmpjae", "cmpjle",   "cmpja",    "cmpjl",
                              "spushs",    "cmp0",     "delete", "localdef", "cmpst"};
    ASSERT_EQ(std::size(expected), static_cast<size_t>(OP_COUNT));
    for (int i = 0; i < OP_COUNT; ++i) {
        ddTrie<int>* e = s.machine.opcodeMap->Find(expected[i]);
        ASSERT_TRUE(e) << expected[i];
        EXPECT_EQ(e->value, i) << expected[i];
    }
}

TEST(Labels, JumpsAreTiedWithinTheirMethod) {
    ScriptMachine s;
    s.Load(
        "class a\n"
        "method one\n"
        "jmp done\n"
        "push 1\n"
        "done:\n"
        "ret\n"
        "end method\n"
        "method two\n"
        "push 1\n"
        "push 2\n"
        "push 3\n"
        "done:\n"
        "jmp done\n"
        "end method\n"
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
