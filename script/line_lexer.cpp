#include "script/line_lexer.h"

namespace LineLexer {
namespace {

// CR counts as a blank so that lines written with CRLF ends read the same.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsLetter(char c) { return IsLower(c) || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool StartsPlainOperand(char c) {
    return IsLetter(c) || IsDigit(c) || c == '_' || c == '$' || c == '[' || c == '-';
}

enum class State { BeforeMnemonic, Mnemonic, BeforeOperand, Literal, Plain, AfterOperand };

void Fail(Result& out, const char* message) {
    out.status = Status::Error;
    out.error = message;
}

}  // namespace

void Lex(std::string_view line, Result& out) {
    out.status = Status::Nothing;
    out.error = nullptr;
    out.mnemonic.clear();
    out.first.clear();
    out.second.clear();
    out.operandCount = 0;

    State state = State::BeforeMnemonic;
    std::string* operand = nullptr;

    // Starts the next operand text: the first goes to `first`, every later
    // one replaces `second`.
    auto startOperand = [&]() {
        ++out.operandCount;
        operand = out.operandCount == 1 ? &out.first : &out.second;
        operand->clear();
    };
    // Checks the operand's length after each added character.
    auto addToOperand = [&](char c) -> bool {
        operand->push_back(c);
        size_t limit = operand == &out.first ? kMaxFirstOperand : kMaxSecondOperand;
        if (operand->size() > limit) {
            Fail(out, "operand too long");
            return false;
        }
        return true;
    };

    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\0') {
            Fail(out, "line holds a NUL byte");
            return;
        }
        switch (state) {
        case State::BeforeMnemonic:
            if (IsBlank(c)) break;
            if (c == '\n' || c == ';') return;
            if (c == '"') return Fail(out, "read literal instead of instruction");
            if (!IsLower(c)) return Fail(out, "wrong instruction name");
            out.mnemonic.push_back(c);
            state = State::Mnemonic;
            break;
        case State::Mnemonic:
            if (c == '\n') {
                out.status = Status::Instruction;
                return;
            }
            if (IsBlank(c)) {
                state = State::BeforeOperand;
                break;
            }
            if (c == ':') {
                out.status = Status::Label;
                return;
            }
            out.mnemonic.push_back(c);
            if (out.mnemonic.size() > kMaxMnemonic) return Fail(out, "instruction name too long");
            break;
        case State::BeforeOperand:
            if (IsBlank(c)) break;
            if (c == '\n' || c == ';') {
                out.status = Status::Instruction;
                return;
            }
            if (c == '"') {
                startOperand();
                if (!addToOperand('"')) return;
                state = State::Literal;
                break;
            }
            if (!StartsPlainOperand(c)) return Fail(out, "wrong instruction name");
            startOperand();
            if (!addToOperand(c)) return;
            state = State::Plain;
            break;
        case State::Literal:
            if (c == '\n') return Fail(out, "opened literal");
            if (c == '"') {
                state = State::AfterOperand;
                break;
            }
            if (c == '\\') {
                // The escaped character; a backslash at the line's end
                // leaves the literal open.
                if (i + 1 >= line.size() || line[i + 1] == '\n') return Fail(out, "opened literal");
                char next = line[++i];
                if (next == '\0') return Fail(out, "line holds a NUL byte");
                if (!addToOperand(next == 'n' ? '\n' : next)) return;
                break;
            }
            if (!addToOperand(c)) return;
            break;
        case State::Plain:
            if (c == '\n' || c == ';') {
                out.status = Status::Instruction;
                return;
            }
            if (c == ',') {
                state = State::BeforeOperand;
                break;
            }
            if (IsBlank(c)) {
                state = State::AfterOperand;
                break;
            }
            if (!addToOperand(c)) return;
            break;
        case State::AfterOperand:
            if (IsBlank(c)) break;
            if (c == '\n' || c == ';') {
                out.status = Status::Instruction;
                return;
            }
            if (c == ',') {
                state = State::BeforeOperand;
                break;
            }
            return Fail(out, "wrong separator");
        }
    }
    // The text never reached a line feed: nothing to assemble.
    out.status = Status::Nothing;
}

}  // namespace LineLexer
