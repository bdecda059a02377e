// Building a walk graph: from a graph file, or from a grid of cells
// hit-tested against a mask picture or the regions of an animation.
#include <cmath>
#include <cstring>

#include "graphics/graph_api.h"
#include "graphics/obraz.h"
#include "paths/grid_scan.h"
#include "paths/walk_graph.h"

namespace {

bool EndsWith(const char* s, const char* tail) {
    const size_t n = std::strlen(s), t = std::strlen(tail);
    return n >= t && std::strcmp(s + n - t, tail) == 0;
}

}  // namespace

bool SizeGrid(long long width, long long height, int stepX, int stepY, GridScan& out) {
    const long long cols = width / stepX + 1;
    const long long rowCount = height / stepY + 1;
    if (cols < 1 || rowCount < 1 || cols > (1 << 24) || rowCount > (1 << 24) || cols * rowCount > (1 << 26))
        return false;
    out.columns = static_cast<int>(cols);
    out.rows = static_cast<int>(rowCount);
    out.ids.assign(static_cast<size_t>(cols * rowCount), -1);
    return true;
}

bool ScanPictureGrid(const char* path, int stepX, int stepY, GridScan& out) {
    Obraz picture(path);
    if (!picture.GetImage()->surface) return false;
    if (!SizeGrid(picture.GetWidth(), picture.GetHeight(), stepX, stepY, out)) return false;
    for (int i = 0; i < out.columns; ++i)
        for (int j = 0; j < out.rows; ++j)
            if (picture.IsIn(stepX * i, stepY * j, 1, 1)) out.ids[static_cast<size_t>(i) * out.rows + j] = 0;
    return true;
}

void ddWalkGraph::Build(Animacja* anima, const char* source, int sx, int sy, float newSpeed, int newTag) {
    Reset();
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    if (sx < 1 || sx > video.ScaledWidth || sy < 1 || sy > video.ScaledHeight) return;
    if (!(newSpeed > 0.0f && newSpeed < static_cast<float>(video.ScaledHeight))) return;
    if (!source) source = "";
    if (std::strlen(source) > 3 && EndsWith(source, "ptf")) {
        LoadGraph(source);
        return;
    }
    GridScan scan;
    const bool scanned = EndsWith(source, "lum") ? ScanRegionGrid(source, sx, sy, scan)
                                                 : ScanPictureGrid(source, sx, sy, scan);
    if (!scanned) return;
    tag = newTag;
    speed = newSpeed;
    linkedAnima = anima;
    stepX = sx;
    stepY = sy;
    BuildGrid(scan.columns, scan.rows, scan.ids);
}

void ddWalkGraph::BuildGrid(int cols, int rowCount, const std::vector<int>& cellIds) {
    columns = cols;
    rows = rowCount;
    // Each cell holds its vertex index + 1, or 0 for a miss.
    std::vector<int> table(static_cast<size_t>(cols) * static_cast<size_t>(rowCount), 0);
    auto at = [rowCount](int i, int j) { return static_cast<size_t>(i) * static_cast<size_t>(rowCount) + j; };
    for (int i = 0; i < cols; ++i) {
        for (int j = 0; j < rowCount; ++j) {
            const int id = cellIds[at(i, j)];
            if (id < 0) continue;
            ddVertex* v = graph.AddVertex(new ddpathVertex(stepX * i, stepY * j, 0.0f, id));
            table[at(i, j)] = v->GetIndex() + 1;
        }
    }
    const float side = static_cast<float>(stepX);
    const float upDown = static_cast<float>(stepY);
    const float diagonal = std::sqrt(side * side + upDown * upDown);
    static const int kNeighbours[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                          {1, 0},   {-1, 1}, {0, 1},  {1, 1}};
    for (int i = 0; i < cols; ++i) {
        for (int j = 0; j < rowCount; ++j) {
            const int v = table[at(i, j)];
            if (!v) continue;
            for (const auto& d : kNeighbours) {
                const int ni = i + d[0], nj = j + d[1];
                if (ni < 0 || ni >= cols || nj < 0 || nj >= rowCount) continue;
                const int w = table[at(ni, nj)];
                if (!w) continue;
                const float weight = d[0] == 0 ? upDown : d[1] == 0 ? side : diagonal;
                graph.AddEdge(v - 1, w - 1, weight);
            }
        }
    }
}
