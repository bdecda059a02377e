// The walk-path editor's graph: a path finder whose graph is edited by hand
// and which draws it: every vertex a small square whose red is its depth's
// shade, every edge a line shaded from one end's depth to the other's, and,
// on request, each vertex's id with a dark shadow. The drawing is two
// container layers rebuilt from the graph after every change. The id of a
// vertex on the screen stands whole inside the label area (the screen, or
// less of it where the editor keeps its own texts).
#pragma once

#include <climits>

#include "foundation/dd_string.h"
#include "graphics/font.h"
#include "graphics/gfx_line.h"
#include "graphics/graph_api.h"
#include "graphics/obraz_container.h"
#include "paths/path_finder.h"

// An edge's line, knowing the two vertex indexes it joins.
class pathfline : public ddgfxline {
public:
    pathfline(int from, int to, int width) : ddgfxline(width), fromIndex(from), toIndex(to) {}
    int GetFrom() const { return fromIndex; }
    int GetTo() const { return toIndex; }

private:
    int fromIndex;
    int toIndex;
};

// A vertex's square, knowing its vertex index and carrying its id label.
class pathfpoint : public ddgfxpoint {
public:
    pathfpoint(int index, int x, int y, int size) : ddgfxpoint(x, y, size), vertexIndex(index) {}
    int GetIndex() const { return vertexIndex; }
    const char* GetLabel() const { return label.c_str() ? label.c_str() : ""; }
    void SetLabel(const char* s) { label = s ? s : ""; }

private:
    int vertexIndex;
    ddString label;
};

class ddbuildedptf : public ddPathFinder {
public:
    ddbuildedptf();
    ~ddbuildedptf() override;

    // Draws the line layer, the point layer and, with labels on, the ids.
    void Draw() override;

    // Recreates both layers from the graph and requests a redraw.
    void RebuildView();
    void ShowLabels() { labelsOn = 1; }
    void HideLabels() { labelsOn = 0; }
    bool LabelsShown() const { return labelsOn != 0; }
    // The ids of vertices on the screen stay within x 0..right and y
    // 0..bottom, and within the screen.
    void SetLabelArea(int right, int bottom) {
        labelRight = right;
        labelBottom = bottom;
    }
    struct Box {
        int x, y, w, h;
    };
    // Where the id of vertex i stands, its shadow included; all 0 when the
    // vertex has no point.
    Box LabelBox(int index);

    ddpathVertex* GetVertex(int index) const { return GetPathVertex(index); }
    void SetVertexDepth(int index, float depth);
    void MoveVertex(int index, int dx, int dy, float ddepth);
    void SetVertexDepthFromSlider(int index, int v);

    // (v - 127) / 127 clamped to -1..1.
    static float SliderToDepth(int v);
    // (depth + 1) x 127 truncated toward zero, clamped to 0..255.
    static int DepthToShade(float depth);

    // The line from the vertex to (x, y), shaded from the vertex's depth to
    // the given one; nothing without a line or a vertex.
    static void PlaceLine(ddgfxline* line, const ddpathVertex* vertex, int x, int y, float depth);
    static void PlaceLineToVertex(ddgfxline* line, const ddpathVertex* from, const ddpathVertex* to);
    // Joins the two vertices both ways, then rebuilds.
    void ConnectAndRebuild(int a, int b);

    ddObrazContainer& GetLineLayer() { return lineLayer; }
    ddObrazContainer& GetPointLayer() { return pointLayer; }
    ddFont& GetLabelFont() { return labelFont; }
    // The edge line under (x, y) (a 1 by 1 hit test), or null.
    pathfline* LineAt(int x, int y);

private:
    // Where a point's id stands when drawn in the font.
    Box PlaceLabel(pathfpoint& point, const ddFont& font, const GraphAPI::VideoState& video) const;

    uint8_t labelsOn = 0;
    int labelRight = INT_MAX, labelBottom = INT_MAX;
    ddFont labelFont;
    ddObrazContainer lineLayer;   // of pathfline, owned
    ddObrazContainer pointLayer;  // of pathfpoint, owned
};
