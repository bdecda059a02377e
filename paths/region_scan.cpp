// Region grids: an animation whose actions are regions, each drawn by the
// action's first frame.
#include <algorithm>

#include "graphics/animation.h"
#include "graphics/graph_api.h"
#include "paths/grid_scan.h"

bool ScanRegionGrid(const char* path, int stepX, int stepY, GridScan& out) {
    Animacja regions(path);
    const int actions = regions.GetActionCount();
    long long left = 0, top = 0;
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    long long right = video.ScaledWidth, bottom = video.ScaledHeight;
    for (int a = 0; a < actions; ++a) {
        regions.SetActionFrame(a, 0);
        left = std::min<long long>(left, regions.GetX());
        top = std::min<long long>(top, regions.GetY());
        right = std::max<long long>(right, regions.GetEndX());
        bottom = std::max<long long>(bottom, regions.GetEndY());
    }
    if (!SizeGrid(right - left, bottom - top, stepX, stepY, out)) return false;
    // Action by action, so each frame is selected once; a cell keeps the
    // first (lowest) action that covers it.
    for (int a = 0; a < actions; ++a) {
        regions.SetActionFrame(a, 0);
        for (int i = 0; i < out.columns; ++i) {
            for (int j = 0; j < out.rows; ++j) {
                int& id = out.ids[static_cast<size_t>(i) * out.rows + j];
                if (id < 0 && regions.IsIn(stepX * i, stepY * j, 1, 1)) id = a;
            }
        }
    }
    return true;
}
