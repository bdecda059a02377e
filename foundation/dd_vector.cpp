#include "foundation/dd_vector.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "foundation/fatal.h"
#include "foundation/file_io.h"
#include "foundation/random.h"
#include "foundation/text_util.h"

void VectorWrongPos(int i) { FatalExit("ddvector::get wrong pos " + std::to_string(i) + "\n", 1); }

bool VectorEqual(const ddString& a, const ddString& b) { return a == b; }
bool VectorEqual(float a, float b) { return a == b; }
bool VectorEqual(int a, int b) { return a == b; }

int VectorCompare(const ddString& m, const ddString& j) {
    const char* a = m.c_str() ? m.c_str() : "";
    const char* b = j.c_str() ? j.c_str() : "";
    for (; *a && *b; ++a, ++b) {
        if (*a != *b) return static_cast<signed char>(*b) - static_cast<signed char>(*a);
    }
    if (!*a && *b) return -1;  // m ended first: the longer j goes before it
    if (*a && !*b) return 1;
    return 0;
}

int VectorCompare(float m, float j) { return j < m ? -1 : 1; }

int VectorCompare(int m, int j) { return (j > m) - (j < m); }

void VectorFormat(const ddString& v, std::string& out) { out = v.c_str() ? v.c_str() : ""; }

void VectorFormat(float v, std::string& out) {
    ddString s;
    s.AppendFloat(v);
    out = s.c_str();
}

void VectorFormat(int v, std::string& out) { out = std::to_string(v); }

void VectorParse(const std::string& s, ddString& out) { out = s.c_str(); }
void VectorParse(const std::string& s, float& out) { out = std::strtof(s.c_str(), nullptr); }
void VectorParse(const std::string& s, int& out) { out = TextToInt(s.c_str()); }

bool VectorWriteFile(const char* path, const std::string& text) {
    AtomicFileWriter out(path ? path : "");
    if (!path || !out.Open()) {
        std::perror("Error opening file");
        return false;
    }
    std::fwrite(text.data(), 1, text.size(), out.Stream());
    if (!out.Commit()) {
        std::perror("Error writing file");
        return false;
    }
    return true;
}

bool VectorReadFile(const char* path, bool words, std::vector<std::string>& items) {
    items.clear();
    std::string text;
    if (!path || !ReadWholeFile(path, text)) return false;
    // The text ends at a NUL, as for every text reader: elements are C
    // strings, and one cut short to nothing would not survive a save.
    text.resize(std::min(text.size(), text.find('\0')));
    size_t pos = text.find('\n');
    const std::string first = text.substr(0, pos);
    pos = pos == std::string::npos ? text.size() : pos + 1;
    const int count = TextToInt(first.c_str());
    // The count only bounds what is read; the file decides how much there is.
    while (static_cast<int>(items.size()) < count && pos < text.size()) {
        if (words) {
            // One word per element, separated as "%s" separates them.
            while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
            if (pos >= text.size()) break;
            size_t end = pos;
            while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end]))) ++end;
            items.emplace_back(text, pos, end - pos);
            pos = end;
        } else {
            size_t end = text.find('\n', pos);
            if (end == std::string::npos) end = text.size();
            items.emplace_back(text, pos, end - pos);
            pos = end + 1;
        }
    }
    return true;
}

template <typename T>
void ddVector<T>::Hash() {
    for (int i = 0; i < count; ++i) Swap(i, NextRandom() % count);
}

template <typename T>
void ddVector<T>::Print() const {
    std::fputs("ddvector : ", stdout);
    for (int i = 0; i < count; ++i) {
        if constexpr (std::is_same_v<T, ddString>) {
            const char* s = elements[i]->c_str();
            std::fputs(s ? s : "", stdout);
        } else if constexpr (std::is_same_v<T, float>) {
            std::printf("%f", static_cast<double>(*elements[i]));
        } else {
            std::printf("%d", *elements[i]);
        }
        std::fputs(", ", stdout);
    }
    std::fputc('\n', stdout);
}

template class ddVector<ddString>;
template class ddVector<float>;
template class ddVector<int>;
