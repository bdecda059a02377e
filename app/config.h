// Reading the start-up keys of "configs/zel_config". A key whose value does
// not hold every field of its format, each a whole word, counts as absent.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "foundation/dd_base.h"
#include "platform/video_modes.h"

struct ScreenKey {
    int width, height, bpp, fullscreen, desktopDepth;
};

struct WindebugKey {
    int width, height, bpp, desktopDepth;
};

struct Range {
    int min, max;
};

using Size = ModeSize;

struct ResRow {
    int modeWidth, modeHeight, videoWidth, videoHeight;
};

struct StartupConfig {
    std::optional<ScreenKey> screen;
    std::optional<Range> offsetX;  // "appoffsetx": accepted mode widths
    std::optional<Range> offsetY;  // "appoffsety": accepted mode heights
    std::optional<Size> appSize;   // "appsize": application width, height
    std::vector<ResRow> resRows;   // "res" rows after "resolutions", in order
    std::optional<WindebugKey> windebug;
    std::optional<std::string> caption;  // "window": "_" shown as a space
    std::optional<std::string> icon;
    std::string fontFile = "configs/fonts/normal.ttf";
    int fontSize = 12;
    int fontR = 250, fontG = 250, fontB = 250;
    std::string activeGame = "asmgame";
};

StartupConfig ReadStartupConfig(ddBase& tree);
