#include "foundation/value_files.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/file_io.h"
#include "foundation/text_util.h"

namespace {

std::string FormatFloat(float v) {
    const double d = v;
    int n = std::snprintf(nullptr, 0, "%f", d);
    std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) std::snprintf(s.data(), s.size() + 1, "%f", d);
    return s;
}

bool ParseFloat(const std::string& text, float& out) {
    const char* s = text.c_str();
    char* end = nullptr;
    float v = std::strtof(s, &end);
    if (end == s) return false;
    out = v;
    return true;
}

}  // namespace

bool SaveTextFile(const char* text, const char* path) {
    if (!path) return false;
    AtomicFileWriter out(path, "w");
    if (!out.Open()) return false;
    if (text) std::fputs(text, out.Stream());
    return out.Commit();
}

void LoadTextFile(ddString& out, const char* path, const char* def) {
    std::string text;
    if (path && ReadWholeFile(path, text)) {
        DropCrBeforeLf(text);
        out = text.c_str();
        return;
    }
    out = def;
    SaveTextFile(def, path);
}

bool SaveFloatFile(float value, const char* path) { return SaveTextFile(FormatFloat(value).c_str(), path); }

bool SaveIntFile(int value, const char* path) { return SaveTextFile(std::to_string(value).c_str(), path); }

void LoadFloatFile(float& out, const char* path, float def) {
    std::string text;
    if (path && ReadWholeFile(path, text)) {
        if (!ParseFloat(text, out)) out = def;
        return;
    }
    out = def;
    SaveFloatFile(def, path);
}

void LoadIntFile(int& out, const char* path, int def) {
    std::string text;
    if (path && ReadWholeFile(path, text)) {
        if (!ParseLeadingInt(text.c_str(), out)) out = def;
        return;
    }
    out = def;
    SaveIntFile(def, path);
}

void ReadFloatFile(float& out, const char* path) {
    std::string text;
    if (!path || !ReadWholeFile(path, text) || !ParseFloat(text, out)) out = 0;
}

void ReadIntFile(int& out, const char* path) {
    std::string text;
    if (!path || !ReadWholeFile(path, text) || !ParseLeadingInt(text.c_str(), out)) out = 0;
}

void RaiseIntFile(int value, const char* path) {
    int stored = 0;
    LoadIntFile(stored, path, 0);
    if (stored < value) SaveIntFile(value, path);
}
