#include "foundation/text_util.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {
constexpr unsigned char kTextStop = 0xFF;

// A comment block runs from "<<" to ">>".
constexpr std::string_view kCommentOpen = "<<";
constexpr std::string_view kCommentClose = ">>";

// The blanks between words as "%s" reads them.
bool IsWordBreak(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Position of the text's end: its first NUL or 0xFF byte.
int TextEnd(const char* text) {
    int i = 0;
    while (text[i] && static_cast<unsigned char>(text[i]) != kTextStop) ++i;
    return i;
}

// Where `s` starts at or after `from` within [0, end), or -1.
int Search(const char* text, const char* s, int from, int end) {
    const int n = static_cast<int>(std::strlen(s));
    for (int i = from; i + n <= end; ++i)
        if (std::memcmp(text + i, s, static_cast<size_t>(n)) == 0) return i;
    return -1;
}

}  // namespace

int SkipBlanks(const char* text, int pos) {
    if (!text) return pos;
    while (IsBlankChar(text[pos])) ++pos;  // NUL and 0xFF are not blank
    return pos;
}

int ReadWord(const char* text, std::string& out) {
    out.clear();
    if (!text) return 0;
    int i = 0;
    while (text[i] && !IsBlankChar(text[i])) ++i;
    out.assign(text, static_cast<size_t>(i));
    return SkipBlanks(text, i);
}

int ReadWord(const char* text, ddString& out) {
    std::string word;
    int next = ReadWord(text, word);
    out = word.c_str();
    return next;
}

bool ParseLeadingInt(const char* text, int& out) {
    if (!text) return false;
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text) return false;
    out = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
    return true;
}

int TextToInt(const char* s) {
    int v = 0;
    ParseLeadingInt(s, v);
    return v;
}

std::vector<std::string> SplitWords(const char* text) {
    std::vector<std::string> words;
    if (!text) return words;
    const char* p = text;
    while (*p) {
        while (*p && IsWordBreak(*p)) ++p;
        const char* start = p;
        while (*p && !IsWordBreak(*p)) ++p;
        if (p > start) words.emplace_back(start, static_cast<size_t>(p - start));
    }
    return words;
}

bool ParseWholeInt(const std::string& word, int& out) {
    if (word.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(word.c_str(), &end, 10);
    if (end == word.c_str() || *end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
    out = static_cast<int>(v);
    return true;
}

bool ParseWholeInts(const char* text, int count, int* out) {
    const std::vector<std::string> words = SplitWords(text);
    if (count < 0 || words.size() < static_cast<size_t>(count)) return false;
    std::vector<int> values(static_cast<size_t>(count));
    for (size_t i = 0; i < values.size(); ++i)
        if (!ParseWholeInt(words[i], values[i])) return false;
    std::copy(values.begin(), values.end(), out);
    return true;
}

bool EndsWith(const char* text, const char* ending) {
    if (!text || !ending) return false;
    const size_t n = std::strlen(text), m = std::strlen(ending);
    return n >= m && std::strcmp(text + n - m, ending) == 0;
}

int ReadInt(const char* text, int& out) {
    out = 0;
    if (!text) return 0;
    int i = 0;
    while ((text[i] >= '0' && text[i] <= '9') || text[i] == '-') ++i;
    if (i > 0) out = TextToInt(std::string(text, static_cast<size_t>(i)).c_str());
    return SkipBlanks(text, i);
}

int FindText(const char* text, const char* s, int from) {
    if (!text || !s || from < 0) return -1;
    int end = TextEnd(text);
    if (from > end) return end;
    int at = Search(text, s, from, end);
    return at >= 0 ? at : end;
}

int FindAndSkip(const char* text, const char* s, int from) {
    if (!text || !s || from < 0) return -1;
    int end = TextEnd(text);
    if (from > end) return end;
    int at = Search(text, s, from, end);
    if (at < 0) return end;
    return SkipBlanks(text, at + static_cast<int>(std::strlen(s)));
}

void StripCommentBlocks(std::string& text) {
    std::string out;
    out.reserve(text.size());
    const size_t n = text.size();
    // Finds `m` at or after `from`; a 0xFF byte ends the search like the end.
    auto find = [&](std::string_view m, size_t from, size_t& stop) -> size_t {
        for (size_t i = from; i < n; ++i) {
            if (static_cast<unsigned char>(text[i]) == kTextStop) {
                stop = i;
                return std::string::npos;
            }
            if (text.compare(i, m.size(), m) == 0) return i;
        }
        stop = n;
        return std::string::npos;
    };
    size_t i = 0;
    while (i < n) {
        size_t stop = n;
        size_t at = find(kCommentOpen, i, stop);
        if (at == std::string::npos) {
            out.append(text, i, stop - i);
            i = stop + 2;  // a 0xFF goes together with the byte after it
            continue;
        }
        out.append(text, i, at - i);
        size_t end = find(kCommentClose, at + kCommentOpen.size(), stop);
        if (end == std::string::npos) break;  // unclosed: the rest goes
        i = end + kCommentClose.size();
    }
    text.swap(out);
}

void SplitPath(ddString& dir, ddString& name, const char* path) {
    if (!path) {
        dir = nullptr;
        name = nullptr;
        return;
    }
    const char* slash = std::strrchr(path, '/');
    if (!slash) {
        name = path;
        dir = nullptr;
        return;
    }
    name = slash + 1;
    dir = std::string(path, static_cast<size_t>(slash - path + 1)).c_str();
}

int Clamp(int v, int lo, int hi) {
    if (lo > hi) return v;
    if (v < lo) v = lo;
    if (v > hi) v = hi;
    return v;
}

void DropCrBeforeLf(std::string& text) {
    size_t out = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) text[out++] = text[i];
    text.resize(out);
}
