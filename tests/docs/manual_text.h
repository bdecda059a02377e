// The game maker's manual as its tests read it: a file of the repository as
// text, the text under one heading, the fenced blocks, the anchors a code
// host gives the headings, and the first cell of a table row.
#pragma once

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace manual {

inline const std::filesystem::path kRoot = ENGINE_SOURCE_DIR;

// The whole file, byte for byte; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A file named from the repository's top folder, e.g. "docs/files.md".
inline std::string ReadRepoFile(const std::string& relative) { return ReadFile(kRoot / relative); }

// The lines of a text without their line ends (LF or CR LF).
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

inline bool IsFence(const std::string& line) { return line.rfind("```", 0) == 0; }

struct Block {
    std::string info;    // what follows the opening fence: "asm", "text exit 1", ...
    std::string body;    // its lines, each with its line feed
    std::string before;  // the line just above the opening fence
    size_t offset = 0;   // where the opening fence begins in the text
    int line = 0;        // the opening fence's line, counted from 1
};

// The fenced blocks of a Markdown text, in order; an unclosed one runs to
// the end.
inline std::vector<Block> FencedBlocks(const std::string& text) {
    std::vector<Block> blocks;
    std::string previous;
    bool open = false;
    size_t offset = 0;
    int number = 0;
    for (const std::string& line : Lines(text)) {
        ++number;
        const size_t at = offset;
        offset = text.find('\n', offset);
        offset = offset == std::string::npos ? text.size() : offset + 1;
        if (IsFence(line)) {
            if (!open) blocks.push_back({line.substr(3), "", previous, at, number});
            open = !open;
        } else if (open) {
            blocks.back().body += line + "\n";
        }
        previous = line;
    }
    return blocks;
}

// The body of the first fenced block that opens after the first `marker`;
// empty when there is none.
inline std::string BlockAfter(const std::string& text, const std::string& marker) {
    const size_t at = text.find(marker);
    if (at == std::string::npos) return "";
    for (const Block& block : FencedBlocks(text))
        if (block.offset > at) return block.body;
    return "";
}

// The heading level of a line ("## x" is 2), 0 for a line that is none.
inline size_t HeadingLevel(const std::string& line) {
    const size_t hashes = line.find_first_not_of('#');
    return hashes > 0 && hashes <= 6 && hashes < line.size() && line[hashes] == ' ' ? hashes : 0;
}

// The lines under the heading line `heading` ("## `path`", "### Example"),
// each with its line feed, up to the next heading of the same or a higher
// level; lines in fenced blocks are never headings. Empty without it.
inline std::string Section(const std::string& text, const std::string& heading) {
    const size_t level = HeadingLevel(heading);
    std::string out;
    bool in = false, fenced = false;
    for (const std::string& line : Lines(text)) {
        if (IsFence(line)) fenced = !fenced;
        const size_t lineLevel = fenced || IsFence(line) ? 0 : HeadingLevel(line);
        if (in && lineLevel > 0 && lineLevel <= level) break;
        if (in) out += line + "\n";
        if (!in && lineLevel > 0 && line == heading) in = true;
    }
    return out;
}

// The anchors a code host makes of a text's headings: the heading's text in
// lower case, each blank a '-', punctuation other than '-' and '_' dropped
// (backticks too); a text met again gets "-1", "-2", ... after it.
inline std::set<std::string> Anchors(const std::string& text) {
    std::set<std::string> anchors;
    std::map<std::string, int> seen;
    bool fenced = false;
    for (const std::string& line : Lines(text)) {
        if (IsFence(line)) fenced = !fenced;
        const size_t level = fenced ? 0 : HeadingLevel(line);
        if (level == 0) continue;
        std::string anchor;
        for (char c : line.substr(level + 1)) {
            const unsigned char u = static_cast<unsigned char>(c);
            if (c == ' ')
                anchor += '-';
            else if (u >= 0x80 || std::isalnum(u) || c == '-' || c == '_')
                anchor += static_cast<char>(std::tolower(u));
        }
        const int n = seen[anchor]++;
        anchors.insert(n == 0 ? anchor : anchor + "-" + std::to_string(n));
    }
    return anchors;
}

// The first cell of a table row, without the blanks round it; false for a
// line that is not a table row.
inline bool FirstCell(const std::string& line, std::string& cell) {
    if (line.rfind("|", 0) != 0) return false;
    const size_t end = line.find('|', 1);
    if (end == std::string::npos) return false;
    cell = line.substr(1, end - 1);
    const size_t b = cell.find_first_not_of(" \t");
    const size_t e = cell.find_last_not_of(" \t");
    cell = b == std::string::npos ? "" : cell.substr(b, e - b + 1);
    return true;
}

}  // namespace manual
