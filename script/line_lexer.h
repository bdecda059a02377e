// Splits one script line into its mnemonic and operand texts.
#pragma once

#include <string>
#include <string_view>

namespace LineLexer {

// Longest texts the language accepts; longer ones are refused, never cut.
constexpr size_t kMaxLine = 2047;  // characters of a line, line feed included
constexpr size_t kMaxMnemonic = 127;
constexpr size_t kMaxFirstOperand = 2047;
constexpr size_t kMaxSecondOperand = 255;
constexpr size_t kMaxBracket = 1023;

enum class Status {
    Nothing,      // blank, comment, or text that never reaches a line feed
    Instruction,  // mnemonic (and operands) to assemble
    Label,        // mnemonic holds the label name
    Error,        // error holds the message
};

struct Result {
    Status status = Status::Nothing;
    const char* error = nullptr;
    std::string mnemonic;
    // A string literal keeps its opening quote as first character, which
    // tells the operand parser that a literal follows.
    std::string first;
    std::string second;
    int operandCount = 0;
};

// Lexes one line; the line ends at its line feed.
void Lex(std::string_view line, Result& out);

}  // namespace LineLexer
