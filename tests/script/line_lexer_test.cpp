// The line lexer on single lines: how it splits a mnemonic from its
// operands, string literals and their escapes, the lines it refuses and
// texts too long to keep whole.
#include <gtest/gtest.h>

#include <string>

#include "script/line_lexer.h"

using LineLexer::Lex;
using LineLexer::Result;
using LineLexer::Status;

namespace {

Result LexOf(const std::string& line) {
    Result r;
    Lex(line, r);
    return r;
}

}  // namespace

TEST(LineLexer, SplitsMnemonicAndOperands) {
    struct Case {
        const char* line;
        Status status;
        const char* mnemonic;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {"push x   ; comment\n", Status::Instruction, "push", "x", ""},
        {"\t mov a,b\n", Status::Instruction, "mov", "a", "b"},
        {"mov a , b\n", Status::Instruction, "mov", "a", "b"},
        {"mov a, b, c\n", Status::Instruction, "mov", "a", "c"},
        {"ret\n", Status::Instruction, "ret", "", ""},
        {"ret;\n", Status::Instruction, "ret;", "", ""},
        {"add $a,[x]\n", Status::Instruction, "add", "$a", "[x]"},
        {"push -3;x\n", Status::Instruction, "push", "-3", ""},
        {"mov a, b\r\n", Status::Instruction, "mov", "a", "b"},
        {"   \n", Status::Nothing, "", "", ""},
        {"; only a comment\n", Status::Nothing, "", "", ""},
        {"push x", Status::Nothing, "push", "x", ""},
        {"loop: anything at all\n", Status::Label, "loop", "", ""},
    };
    for (const Case& c : cases) {
        Result r = LexOf(c.line);
        SCOPED_TRACE(c.line);
        EXPECT_EQ(r.status, c.status);
        if (c.status == Status::Nothing) continue;
        EXPECT_EQ(r.mnemonic, c.mnemonic);
        EXPECT_EQ(r.first, c.first);
        EXPECT_EQ(r.second, c.second);
    }
}

TEST(LineLexer, StringLiteralsKeepTheirQuoteAndApplyEscapes) {
    Result r = LexOf("push \"a\\\"b\\nc\\\\d\"\n");
    ASSERT_EQ(r.status, Status::Instruction);
    EXPECT_EQ(r.first, "\"a\"b\nc\\d");

    r = LexOf("mov x, \"\"\n");
    ASSERT_EQ(r.status, Status::Instruction);
    EXPECT_EQ(r.second, "\"");

    r = LexOf("push \"a;b, c\" ; comment\n");
    EXPECT_EQ(r.first, "\"a;b, c");
}

TEST(LineLexer, RefusesMalformedLines) {
    struct Case {
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"\"push\"\n", "read literal instead of instruction"},
        {"Loop:\n", "wrong instruction name"},
        {"1abc\n", "wrong instruction name"},
        {"push *x\n", "wrong instruction name"},
        {"mov a,,b\n", "wrong instruction name"},
        {"push \"abc\n", "opened literal"},
        {"push \"abc\\\n", "opened literal"},
        {"mov a b\n", "wrong separator"},
        {"push \"a\"b\n", "wrong separator"},
    };
    for (const Case& c : cases) {
        Result r = LexOf(c.line);
        SCOPED_TRACE(c.line);
        EXPECT_EQ(r.status, Status::Error);
        EXPECT_STREQ(r.error, c.error);
    }
}

TEST(LineLexer, RefusesOverlongTextsInsteadOfCuttingThem) {
    std::string name(LineLexer::kMaxMnemonic, 'a');
    EXPECT_EQ(LexOf(name + "\n").status, Status::Instruction);
    Result r = LexOf(name + "a\n");
    EXPECT_EQ(r.status, Status::Error);
    EXPECT_STREQ(r.error, "instruction name too long");

    std::string second(LineLexer::kMaxSecondOperand, 'x');
    EXPECT_EQ(LexOf("mov a, " + second + "\n").second, second);
    r = LexOf("mov a, " + second + "x\n");
    EXPECT_STREQ(r.error, "operand too long");
    r = LexOf("mov a, \"" + second + "\"\n");
    EXPECT_STREQ(r.error, "operand too long");

    std::string first(1500, 'y');
    EXPECT_EQ(LexOf("push " + first + "\n").first, first);
}
