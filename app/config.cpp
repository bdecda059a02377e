#include "app/config.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>

std::vector<std::string> SplitWords(const char* text) {
    std::vector<std::string> words;
    if (!text) return words;
    std::string cur;
    for (const char* p = text;; ++p) {
        char c = *p;
        bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\0';
        if (blank) {
            if (!cur.empty()) words.push_back(std::move(cur));
            cur.clear();
            if (c == '\0') break;
        } else {
            cur.push_back(c);
        }
    }
    return words;
}

namespace {
bool ParseInt(const std::string& word, int& out) {
    if (word.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
    out = static_cast<int>(v);
    return true;
}

const char* KeyValue(ddBase& tree, const char* key) {
    if (!tree.FindNode(key)) return nullptr;
    const char* v = tree.GetCurrentValue();
    return v ? v : "";
}

template <size_t N>
std::optional<std::array<int, N>> ReadIntKey(ddBase& tree, const char* key) {
    const char* v = KeyValue(tree, key);
    std::array<int, N> vals{};
    if (!v || !ParseInts(v, static_cast<int>(N), vals.data())) return std::nullopt;
    return vals;
}

std::optional<Range> ReadRange(ddBase& tree, const char* key) {
    auto v = ReadIntKey<2>(tree, key);
    if (!v) return std::nullopt;
    return Range{(*v)[0], (*v)[1]};
}
}  // namespace

bool ParseInts(const char* text, int count, int* out) {
    std::vector<std::string> words = SplitWords(text);
    if (static_cast<int>(words.size()) < count) return false;
    for (int i = 0; i < count; ++i)
        if (!ParseInt(words[static_cast<size_t>(i)], out[i])) return false;
    return true;
}

StartupConfig ReadStartupConfig(ddBase& tree) {
    StartupConfig cfg;
    if (auto v = ReadIntKey<5>(tree, "screen")) cfg.screen = ScreenKey{(*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4]};
    cfg.offsetX = ReadRange(tree, "appoffsetx");
    cfg.offsetY = ReadRange(tree, "appoffsety");
    if (auto v = ReadIntKey<2>(tree, "appsize"); v && (*v)[0] > 0 && (*v)[1] > 0)
        cfg.appSize = Size{(*v)[0], (*v)[1]};
    if (auto v = ReadIntKey<4>(tree, "windebug")) cfg.windebug = WindebugKey{(*v)[0], (*v)[1], (*v)[2], (*v)[3]};

    if (tree.FindNode("resolutions")) {
        ddBase* root = tree.GetRoot();
        tree.NextNode();
        while (tree.GetCurrent() != root) {
            if (tree.GetCurrent()->Name() == "res") {
                int v[4];
                if (ParseInts(tree.GetCurrentValue(), 4, v) && v[2] > 0 && v[3] > 0)
                    cfg.resRows.push_back(ResRow{v[0], v[1], v[2], v[3]});
            }
            tree.NextNode();
        }
    }

    if (const char* v = KeyValue(tree, "window")) {
        std::vector<std::string> w = SplitWords(v);
        if (w.size() >= 2) {
            cfg.caption = w[0];
            cfg.icon = w[1];
        }
    }
    if (const char* v = KeyValue(tree, "font")) {
        std::vector<std::string> w = SplitWords(v);
        int nums[4];
        if (w.size() >= 5 && ParseInt(w[1], nums[0]) && ParseInt(w[2], nums[1]) &&
            ParseInt(w[3], nums[2]) && ParseInt(w[4], nums[3])) {
            cfg.fontFile = w[0];
            cfg.fontSize = nums[0];
            cfg.fontR = nums[1];
            cfg.fontG = nums[2];
            cfg.fontB = nums[3];
        }
    }
    if (const char* v = KeyValue(tree, "activegame")) {
        std::string name(v);
        const char* blanks = " \t\n\r";
        size_t b = name.find_first_not_of(blanks);
        size_t e = name.find_last_not_of(blanks);
        cfg.activeGame = b == std::string::npos ? std::string() : name.substr(b, e - b + 1);
    }
    tree.ResetCurrent();
    return cfg;
}
