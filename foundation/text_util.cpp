#include "foundation/text_util.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "foundation/random.h"

namespace {
constexpr unsigned char kTextStop = 0xFF;

std::string g_openMarker = "<<";
std::string g_closeMarker = ">>";

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

unsigned Magnitude(int n) { return n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n); }

int DigitCount(unsigned m) {
    int d = 1;
    while (m >= 10) {
        m /= 10;
        ++d;
    }
    return d;
}

void WriteDigits(char* out, unsigned m, int digits) {
    out[digits] = '\0';
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + m % 10);
        m /= 10;
    }
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
    const std::string& open = g_openMarker;
    const std::string& close = g_closeMarker;
    std::string out;
    out.reserve(text.size());
    const size_t n = text.size();
    // Finds `m` at or after `from`; a 0xFF byte ends the search like the end.
    auto find = [&](const std::string& m, size_t from, size_t& stop) -> size_t {
        for (size_t i = from; i < n; ++i) {
            if (static_cast<unsigned char>(text[i]) == kTextStop) {
                stop = i;
                return std::string::npos;
            }
            if (!m.empty() && text.compare(i, m.size(), m) == 0) return i;
        }
        stop = n;
        return std::string::npos;
    };
    size_t i = 0;
    while (i < n) {
        size_t stop = n;
        size_t at = find(open, i, stop);
        if (at == std::string::npos) {
            out.append(text, i, stop - i);
            i = stop + 2;  // a 0xFF goes together with the byte after it
            continue;
        }
        out.append(text, i, at - i);
        size_t end = find(close, at + open.size(), stop);
        if (end == std::string::npos) break;  // unclosed: the rest goes
        i = end + close.size();
    }
    text.swap(out);
}

void StripComments(char*& buffer, long& length) {
    if (!buffer || length < 0) return;
    std::string text(buffer, static_cast<size_t>(length));
    StripCommentBlocks(text);
    char* fresh = new char[text.size() + 1];
    std::memcpy(fresh, text.data(), text.size());
    fresh[text.size()] = '\0';
    delete[] buffer;
    buffer = fresh;
    length = static_cast<long>(text.size());
}

void SetCommentMarkers(const char* open, const char* close) {
    if (open && *open) g_openMarker = open;
    if (close && *close) g_closeMarker = close;
}

int WidestLine(const char* text, char separator) {
    if (!text) return 0;
    int widest = 0, run = 0;
    for (const char* p = text; *p; ++p) {
        if (*p == separator) {
            run = 0;
            continue;
        }
        run += *p == '\t' ? 3 : 1;
        if (run > widest) widest = run;
    }
    return widest;
}

int CountParts(const char* text, char c) {
    if (!text) return 0;
    int parts = 1;
    for (const char* p = text; *p; ++p)
        if (*p == c) ++parts;
    return parts;
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

int** AllocTable(int rows, int cols) {
    if (rows < 1 || cols < 1) return nullptr;
    int** table = new int*[static_cast<size_t>(rows)];
    for (int r = 0; r < rows; ++r) table[r] = new int[static_cast<size_t>(cols)]();
    return table;
}

void FreeTable(int**& table, int rows) {
    if (!table) return;
    for (int r = 0; r < rows; ++r) delete[] table[r];
    delete[] table;
    table = nullptr;
}

int GetTableCell(int** table, int row, int col, int rows, int cols) {
    if (!table || row < 0 || row >= rows || col < 0 || col >= cols) return 0;
    return table[row][col];
}

void ShuffleInts(int* array, int n) {
    if (!array || n < 1) return;
    for (int i = 0; i < n; ++i) std::swap(array[i], array[NextRandom() % n]);
}

int Clamp(int v, int lo, int hi) {
    if (lo > hi) return v;
    if (v < lo) v = lo;
    if (v > hi) v = hi;
    return v;
}

double ClampToRange(double v, double lo, double hi) {
    if (lo > hi) return v;
    if (v < lo) v = lo;
    if (v > hi) v = hi;
    return v;
}

int IntToText(char* buffer, size_t size, int n) {
    unsigned m = Magnitude(n);
    int digits = DigitCount(m);
    if (!buffer || size == 0) return digits;
    if (size < static_cast<size_t>(digits) + 1) {
        buffer[0] = '\0';
        return digits;
    }
    WriteDigits(buffer, m, digits);
    return digits;
}

char* IntToNewString(int n) {
    unsigned m = Magnitude(n);
    int digits = DigitCount(m);
    char* out = new char[static_cast<size_t>(digits) + 1];
    WriteDigits(out, m, digits);
    return out;
}
