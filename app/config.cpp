#include "app/config.h"

#include <array>
#include <cstdio>

#include "foundation/text_util.h"

namespace {
const char* KeyValue(ddBase& tree, const char* key) {
    if (!tree.FindNode(key)) return nullptr;
    const char* v = tree.GetCurrentValue();
    return v ? v : "";
}

template <size_t N>
std::optional<std::array<int, N>> ReadIntKey(ddBase& tree, const char* key) {
    const char* v = KeyValue(tree, key);
    std::array<int, N> vals{};
    if (!v || !ParseWholeInts(v, static_cast<int>(N), vals.data())) return std::nullopt;
    return vals;
}

std::optional<Range> ReadRange(ddBase& tree, const char* key) {
    auto v = ReadIntKey<2>(tree, key);
    if (!v) return std::nullopt;
    return Range{(*v)[0], (*v)[1]};
}
}  // namespace

StartupConfig ReadStartupConfig(ddBase& tree) {
    StartupConfig cfg;
    if (auto v = ReadIntKey<5>(tree, "screen"))
        cfg.screen = ScreenKey{(*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4]};
    cfg.offsetX = ReadRange(tree, "appoffsetx");
    cfg.offsetY = ReadRange(tree, "appoffsety");
    if (auto v = ReadIntKey<2>(tree, "appsize"); v && (*v)[0] > 0 && (*v)[1] > 0)
        cfg.appSize = Size{(*v)[0], (*v)[1]};
    if (auto v = ReadIntKey<4>(tree, "windebug"))
        cfg.windebug = WindebugKey{(*v)[0], (*v)[1], (*v)[2], (*v)[3]};

    if (tree.FindNode("resolutions")) {
        ddBase* root = tree.GetRoot();
        tree.NextNode();
        while (tree.GetCurrent() != root) {
            if (tree.GetCurrent()->Name() == "res") {
                int v[4];
                if (ParseWholeInts(tree.GetCurrentValue(), 4, v) && v[2] > 0 && v[3] > 0)
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
        if (w.size() >= 5 && ParseWholeInt(w[1], nums[0]) && ParseWholeInt(w[2], nums[1]) &&
            ParseWholeInt(w[3], nums[2]) && ParseWholeInt(w[4], nums[3])) {
            cfg.fontFile = w[0];
            // A size from 1 to 1000 points can be drawn (beyond it a glyph
            // outgrows any screen); any other keeps the default and says so.
            constexpr int kLargestFontSize = 1000;
            if (nums[0] >= 1 && nums[0] <= kLargestFontSize) {
                cfg.fontSize = nums[0];
            } else {
                std::printf("font: size %d cannot be drawn, size %d is used\n", nums[0], cfg.fontSize);
                std::fflush(stdout);
            }
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
