#include "script/table_files.h"

bool TableLineReader::Next(size_t maxChars, std::string_view& line) {
    if (pos >= text.size() || maxChars == 0) return false;
    size_t end = pos;
    const size_t limit = text.size() - pos < maxChars ? text.size() : pos + maxChars;
    while (end < limit && text[end] != '\n') ++end;
    if (end < limit) ++end;  // the LF belongs to the line
    line = text.substr(pos, end - pos);
    pos = end;
    const size_t nul = line.find('\0');
    if (nul != std::string_view::npos) line = line.substr(0, nul);
    return true;
}

namespace {

std::string FormatRows(const TableRows& rows, char separator) {
    std::string out;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (r > 0) out += '\n';
        for (const std::string& cell : rows[r]) {
            out += cell;
            out += separator;
        }
    }
    return out;
}

}  // namespace

std::string FormatHeaderTable(const TableRows& rows, char separator) {
    std::string out;
    out += '\'';
    out += separator;
    out += '\'';
    if (!rows.empty()) out += '\n';
    out += FormatRows(rows, separator);
    return out;
}

std::string FormatBlankTable(const TableRows& rows) { return FormatRows(rows, ' '); }

void ParseHeaderTable(std::string_view text, char& separator, TableRows& rows) {
    rows.clear();
    TableLineReader reader(text);
    std::string_view line;
    if (!reader.Next(kTableHeaderChars, line)) return;
    // A header too short to hold a separator keeps the one the table had.
    if (line.size() >= 2 && line[1] != '\n') separator = line[1];

    while (reader.Next(line)) {
        TableRow& row = rows.emplace_back();
        std::string collected;
        bool dropping = false;
        for (char c : line) {
            if (c == '\n') break;
            if (c == separator) {
                row.push_back(collected);
                collected.clear();
                dropping = false;
            } else if (c == '\r') {
                dropping = true;
            } else if (!dropping) {
                collected += c;
            }
        }
        if (!collected.empty()) row.push_back(collected);
    }
}

namespace {

bool IsBlankLine(std::string_view line) {
    for (char c : line)
        if (c != ' ' && c != '\t' && c != '\n') return false;
    return true;
}

bool IsGap(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

void ParseBlankTable(std::string_view text, TableRows& rows) {
    rows.clear();
    TableLineReader reader(text);
    std::string_view line;
    while (reader.Next(line)) {
        if (IsBlankLine(line) || line[0] == '#') continue;
        TableRow& row = rows.emplace_back();
        std::string collected;
        bool inGap = false;
        for (char c : line) {
            if (c == '\n') break;
            if (IsGap(c)) {
                inGap = true;
            } else {
                if (inGap) {
                    row.push_back(collected);
                    collected.clear();
                    inGap = false;
                }
                collected += c;
            }
        }
        if (!collected.empty()) row.push_back(collected);
    }
}

namespace {

// The behaviour tokenizer's states, as its messages number them.
enum BehaviourState : int { BETWEEN = 0, IN_WORD = 1, AFTER_TOKEN = 2, IN_LITERAL = 3 };

constexpr const char* kOpenTwice = "\"{\" not closed before";
constexpr const char* kCloseUnopenedBetween = " \"}\" not opened before";
constexpr const char* kCloseUnopened = "\"}\" not opened before";
constexpr const char* kLiteralEnd = "unexpected end within literal";
constexpr const char* kOpenAtEnd = "\"{\" not closed on the end";

bool IsTokenSeparator(char c) { return c == ' ' || c == '\t' || c == ';' || c == ',' || c == '\r'; }
bool IsBracket(char c) { return c == '(' || c == ')'; }

class BehaviourTokenizer {
public:
    BehaviourTokenizer(TableRows& rows, BehaviourError& error) : rows(rows), error(error) {}

    // Scans one line; false on a syntax error.
    bool Line(std::string_view line) {
        token.clear();
        size_t i = 0;
        // The line ends at its LF or at its NUL (the end of the view).
        auto at = [&](size_t k) -> char { return k < line.size() ? line[k] : '\0'; };
        for (;;) {
            const char c = at(i);
            const bool end = c == '\n' || c == '\0';
            switch (state) {
            case BETWEEN:
                if (IsTokenSeparator(c)) {
                    ++i;
                } else if (c == '{') {
                    if (groupOpen) return Fail(kOpenTwice);
                    groupOpen = true;
                    NewRow();
                    ++i;
                } else if (c == '}') {
                    if (!groupOpen) return Fail(kCloseUnopenedBetween);
                    groupOpen = false;
                    return true;
                } else if (IsBracket(c)) {
                    if (!groupOpen) NewRow();
                    state = IN_WORD;
                } else if (c == '#' || end) {
                    return true;
                } else if (c == '"') {
                    if (!groupOpen) NewRow();
                    token.assign(1, '"');
                    state = IN_LITERAL;
                    ++i;
                } else {
                    if (!groupOpen) NewRow();
                    state = IN_WORD;
                }
                break;
            case IN_WORD:
                if (IsTokenSeparator(c)) {
                    AddToken();
                    state = AFTER_TOKEN;
                    ++i;
                } else if (c == '{') {
                    if (groupOpen) return Fail(kOpenTwice);
                    groupOpen = true;
                    AddToken();
                    state = AFTER_TOKEN;
                    ++i;
                } else if (c == '}') {
                    if (!groupOpen) return Fail(kCloseUnopened);
                    groupOpen = false;
                    AddToken();
                    return true;
                } else if (IsBracket(c)) {
                    AddToken();
                    state = AFTER_TOKEN;
                } else if (end || c == '#') {
                    AddToken();
                    state = BETWEEN;
                    return true;
                } else if (c == '"') {
                    AddToken();
                    token.assign(1, '"');
                    state = IN_LITERAL;
                    ++i;
                } else {
                    token += c;
                    ++i;
                }
                break;
            case AFTER_TOKEN:
                if (IsTokenSeparator(c)) {
                    ++i;
                } else if (IsBracket(c)) {
                    AddCell(std::string(1, c));
                    ++i;
                } else if (end || c == '#') {
                    state = BETWEEN;
                    return true;
                } else if (c == '{') {
                    if (groupOpen) return Fail(kOpenTwice);
                    groupOpen = true;
                    ++i;
                } else if (c == '}') {
                    if (!groupOpen) return Fail(kCloseUnopened);
                    groupOpen = false;
                    return true;
                } else if (c == '"') {
                    token.assign(1, '"');
                    state = IN_LITERAL;
                    ++i;
                } else {
                    token.clear();
                    state = IN_WORD;
                }
                break;
            default:  // IN_LITERAL
                if (end) return Fail(kLiteralEnd);
                if (c == '"') {
                    AddToken();
                    state = AFTER_TOKEN;
                } else {
                    token += c;
                }
                ++i;
                break;
            }
        }
    }

    bool Finish() {
        if (groupOpen) return Fail(kOpenAtEnd);
        return true;
    }

private:
    void NewRow() { rows.emplace_back(); }
    void AddCell(std::string cell) {
        // Every path that makes a cell has begun a row first; a stray cell
        // would still get a row of its own rather than be lost.
        if (rows.empty()) NewRow();
        rows.back().push_back(std::move(cell));
    }
    void AddToken() { AddCell(token); }
    bool Fail(const char* message) {
        error.message = message;
        error.state = state;
        return false;
    }

    TableRows& rows;
    BehaviourError& error;
    std::string token;
    int state = BETWEEN;
    bool groupOpen = false;
};

}  // namespace

bool ParseBehaviourTable(std::string_view text, TableRows& rows, BehaviourError& error) {
    rows.clear();
    BehaviourTokenizer tokenizer(rows, error);
    TableLineReader reader(text);
    std::string_view line;
    while (reader.Next(line))
        if (!tokenizer.Line(line)) return false;
    return tokenizer.Finish();
}
