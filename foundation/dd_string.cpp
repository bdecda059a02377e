#include "foundation/dd_string.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
// One scratch buffer serves the formatting appends; its content is copied
// into the string at once.
char g_scratch[64];
}  // namespace

ddString::ddString(ddString&& other) noexcept
    : data(other.data), length(other.length), capacity(other.capacity) {
    other.data = nullptr;
    other.length = 0;
    other.capacity = 0;
}

ddString::~ddString() { Clear(); }

ddString& ddString::operator=(const ddString& other) {
    if (this != &other) Assign(other.data);
    return *this;
}

ddString& ddString::operator=(ddString&& other) noexcept {
    if (this != &other) {
        Clear();
        data = other.data;
        length = other.length;
        capacity = other.capacity;
        other.data = nullptr;
        other.length = 0;
        other.capacity = 0;
    }
    return *this;
}

void ddString::Clear() {
    delete[] data;
    data = nullptr;
    length = 0;
    capacity = 0;
}

void ddString::Grow() { Reserve(capacity + 32); }

void ddString::Reserve(int n) {
    if (n <= capacity) return;
    char* buf = new char[n];
    if (data && length > 0) std::memcpy(buf, data, static_cast<size_t>(length));
    buf[length] = '\0';
    delete[] data;
    data = buf;
    capacity = n;
}

void ddString::CopyIn(const char* src, int to) {
    // A source inside our own buffer would dangle when the buffer grows.
    std::string keep;
    if (data && src >= data && src < data + capacity) {
        keep.assign(src);
        src = keep.c_str();
    }
    size_t n = std::strlen(src);
    int end = to + static_cast<int>(n);  // position of the NUL
    if (end >= capacity) {
        length = to < length ? to : length;
        while (end >= capacity) Grow();
    }
    std::memcpy(data + to, src, n + 1);
    length = end;
}

void ddString::Assign(const char* s) {
    if (!s) {
        Clear();
        return;
    }
    length = 0;
    CopyIn(s, 0);
}

void ddString::SetFrom(const ddString* other) {
    if (!other) {
        Clear();
        return;
    }
    *this = *other;
}

void ddString::AssignRight(const ddString& src, int off, int n) {
    if (off < 0 || off >= src.length || n < 1) {
        Assign("");
        return;
    }
    if (n > src.length - off) n = src.length - off;
    std::string part(src.data + (src.length - off - n), static_cast<size_t>(n));
    Assign(part.c_str());
}

void ddString::AssignMid(const ddString& src, int pos, int n) {
    if (pos < 0 || pos >= src.length || n < 1) {
        Assign("");
        return;
    }
    if (n > src.length - pos) n = src.length - pos;
    std::string part(src.data + pos, static_cast<size_t>(n));
    Assign(part.c_str());
}

ddString& ddString::Append(const char* s) {
    if (s) CopyIn(s, length);
    return *this;
}

ddString& ddString::Append(const ddString& s) {
    if (s.data) CopyIn(s.data, length);
    return *this;
}

ddString& ddString::AppendChar(char c) {
    g_scratch[0] = c;
    g_scratch[1] = '\0';
    return Append(g_scratch);
}

ddString& ddString::AppendInt(int i) {
    std::snprintf(g_scratch, sizeof g_scratch, "%d", i);
    return Append(g_scratch);
}

ddString& ddString::AppendFloat(float f) {
    // "%f" of a huge float needs more than the scratch buffer holds.
    std::string text = std::to_string(static_cast<double>(f));
    return Append(text.c_str());
}

void ddString::Overwrite(int pos, const char* s) {
    if (!s || pos < 0 || !data) return;
    for (int i = pos; i < length && *s; ++i, ++s) data[i] = *s;
}

void ddString::WriteEnd(const char* s) {
    if (!s) return;
    int n = static_cast<int>(std::strlen(s));
    if (n > length) return;
    Overwrite(length - n, s);
}

void ddString::ReplaceChar(char a, char b) {
    for (int i = 0; i < length; ++i)
        if (data[i] == a) data[i] = b;
}

void ddString::ReplaceAll(const char* find, const char* repl) {
    if (!find || !repl || !data || !*find) return;
    std::string out;
    int n = static_cast<int>(std::strlen(find));
    int prev = 0;
    int at = Find(find, 0);
    while (at >= 0) {
        out.append(data + prev, static_cast<size_t>(at - prev));
        out.append(repl);
        prev = at + n;
        at = prev < length ? Find(find, prev) : -1;
    }
    out.append(data + prev);
    Assign(out.c_str());
}

void ddString::Trim() {
    if (!data) return;
    int b = 0;
    int e = length;
    while (b < e && IsBlankChar(data[b])) ++b;
    while (e > b && IsBlankChar(data[e - 1])) --e;
    std::string part(data + b, static_cast<size_t>(e - b));
    Assign(part.c_str());
}

void ddString::CutEnd(const char* suffix) {
    if (!suffix) return;
    int n = static_cast<int>(std::strlen(suffix));
    if (n >= length) {
        Clear();
        return;
    }
    length -= n;
    data[length] = '\0';
}

void ddString::CutEnd(const ddString& suffix) {
    if (suffix.length < 1) return;
    if (suffix.length >= length) {
        Clear();
        return;
    }
    length -= suffix.length;
    data[length] = '\0';
}

void ddString::Between(const char* startMark, const char* endMark, const char* src) {
    if (!src) return;
    std::string text(src);
    size_t end = text.size();
    if (endMark) {
        size_t at = text.find(endMark);
        if (at != std::string::npos) end = at;
    }
    size_t start = 0;
    if (startMark) {
        size_t m = std::strlen(startMark);
        // last occurrence that ends at or before the end position
        if (m <= end) {
            size_t at = text.rfind(startMark, end - m);
            if (at != std::string::npos) start = at + m;
        }
    }
    Assign(text.substr(start, end - start).c_str());
}

void ddString::Between(const char* startMark, const char* endMark) {
    if (!data) return;
    std::string own(data);
    Between(startMark, endMark, own.c_str());
}

void ddString::Compact() {
    if (!data) return;
    char* buf = new char[length + 1];
    std::memcpy(buf, data, static_cast<size_t>(length) + 1);
    delete[] data;
    data = buf;
    capacity = length + 1;
}

const char* ddString::Right(int n) const {
    static const char empty[] = "";
    if (n < 1 || length < 1) return empty;
    if (n > length) n = length;
    return data + (length - n);
}

int ddString::FindChar(char c, int from) const {
    if (from < 0) from = 0;
    for (int i = from; i < length; ++i)
        if (data[i] == c) return i;
    return -1;
}

int ddString::Find(const char* s, int from) const {
    if (from < 0 || from >= length || !data || !s) return -1;
    size_t n = std::strlen(s);
    for (int i = from; i < length; ++i) {
        if (data[i] == s[0] && std::strncmp(data + i, s, n) == 0) return i;
    }
    return -1;
}

int ddString::FindLast(const char* s) const {
    if (!data || !s) return -1;
    size_t n = std::strlen(s);
    for (int i = length; i >= 0; --i) {
        if (data[i] == s[0] && std::strncmp(data + i, s, n) == 0) return i;
    }
    return -1;
}

bool ddString::Contains(const char* s) const {
    if (!s) return false;
    return std::strstr(data ? data : "", s) != nullptr;
}

bool ddString::EqualsAt(const char* s, int n, int pos) const {
    if (n < 1 || pos < 0 || pos >= length || !s) return false;
    return std::strncmp(data + pos, s, static_cast<size_t>(n)) == 0;
}

bool ddString::IsBlank() const {
    for (int i = 0; i < length; ++i)
        if (!IsBlankChar(data[i])) return false;
    return true;
}

int ddString::Compare(const char* s) const {
    if (!s) return -1;
    const char* a = data ? data : "";
    while (*a && *s) {
        if (*a != *s)
            return static_cast<int>(static_cast<signed char>(*a)) -
                   static_cast<int>(static_cast<signed char>(*s));
        ++a;
        ++s;
    }
    if (*s) return 1;
    if (*a) return -1;
    return 0;
}

bool ddString::operator==(const char* s) const {
    if (!data) return s == nullptr;
    return s && std::strcmp(data, s) == 0;
}

char* ddString::CopyFromEnd(int off, int n) const {
    if (off < 0 || off >= length || n < 1) return nullptr;
    if (n > length - off) n = length - off;
    char* out = new char[n + 1];
    std::memcpy(out, data + (length - off - n), static_cast<size_t>(n));
    out[n] = '\0';
    return out;
}

char* ddString::Mid(int pos, int n) const {
    if (pos < 0 || pos >= length || n < 1) return nullptr;
    if (n > length - pos) n = length - pos;
    char* out = new char[n + 1];
    std::memcpy(out, data + pos, static_cast<size_t>(n));
    out[n] = '\0';
    return out;
}
