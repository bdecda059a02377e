#include "app/video_mode.h"

#include <cstdlib>

#include "foundation/saturating.h"

Size SearchModes(const std::vector<Size>& modes, Size want, Range widths, Range heights) {
    Size best = want;
    long bestDistance = static_cast<long>(want.width) + want.height;
    auto inRanges = [&](const Size& m) {
        return widths.min <= m.width && m.width <= widths.max && heights.min <= m.height &&
               m.height <= heights.max;
    };
    // Pass 1 considers the modes inside both ranges; pass 2, the whole list,
    // runs only when no listed mode lies inside them.
    bool anyInRanges = false;
    for (const Size& m : modes) anyInRanges = anyInRanges || inRanges(m);
    for (const Size& m : modes) {
        if (anyInRanges && !inRanges(m)) continue;
        long d = std::labs(static_cast<long>(m.width) - want.width) +
                 std::labs(static_cast<long>(m.height) - want.height);
        if (d < bestDistance) {
            bestDistance = d;
            best = m;
        }
    }
    return best;
}

std::optional<ResRow> FindResRow(const std::vector<ResRow>& rows, Size mode) {
    for (const ResRow& r : rows)
        if (r.modeWidth == mode.width && r.modeHeight == mode.height) return r;
    return std::nullopt;
}

int ScaledAppWidth(int appWidth, int appHeight, int screenHeight) {
    if (appHeight == 0) return appWidth;
    float s = static_cast<float>(static_cast<double>(screenHeight) / appHeight);
    // A width beyond the int range (a huge "appsize" from the configuration)
    // saturates.
    return SatTrunc(static_cast<double>(appWidth) * s);
}
