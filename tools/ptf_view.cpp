#include "tools/ptf_view.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "foundation/saturating.h"
#include "graphics/stage.h"

ddbuildedptf::ddbuildedptf() {
    // Without a default font there is nothing to open the labels with.
    if (const ddFont& font = DefaultFont(); font.GetHandle()) {
        labelFont.Open(font.GetFileName(), font.GetSize());
        labelFont.SetColor(20, 20, 20);
    }
}

ddbuildedptf::~ddbuildedptf() {
    lineLayer.DeleteAll();
    pointLayer.DeleteAll();
}

float ddbuildedptf::SliderToDepth(int v) {
    const double d = (static_cast<double>(v) - 127.0) / 127.0;
    return static_cast<float>(std::clamp(d, -1.0, 1.0));
}

int ddbuildedptf::DepthToShade(float depth) {
    if (std::isnan(depth)) return 0;
    // Clamped before converting: a depth from a file may be huge.
    const float shade = std::trunc((depth + 1.0f) * 127.0f);
    return static_cast<int>(std::clamp(shade, 0.0f, 255.0f));
}

void ddbuildedptf::SetVertexDepth(int index, float depth) {
    if (ddpathVertex* v = GetVertex(index)) v->SetDepth(depth);
}

void ddbuildedptf::MoveVertex(int index, int dx, int dy, float ddepth) {
    ddpathVertex* v = GetVertex(index);
    if (!v) return;
    v->MoveBy(dx, dy);
    v->SetDepth(v->GetDepth() + ddepth);
}

void ddbuildedptf::SetVertexDepthFromSlider(int index, int v) { SetVertexDepth(index, SliderToDepth(v)); }

void ddbuildedptf::PlaceLine(ddgfxline* line, const ddpathVertex* vertex, int x, int y, float depth) {
    if (!line || !vertex) return;
    line->DrawLine(vertex->GetX(), vertex->GetY(), x, y);
    line->SetGradient(DepthToShade(vertex->GetDepth()), DepthToShade(depth));
}

void ddbuildedptf::PlaceLineToVertex(ddgfxline* line, const ddpathVertex* from, const ddpathVertex* to) {
    if (!to) return;
    PlaceLine(line, from, to->GetX(), to->GetY(), to->GetDepth());
}

void ddbuildedptf::ConnectAndRebuild(int a, int b) {
    AddEdge(a, b);
    RebuildView();
}

void ddbuildedptf::RebuildView() {
    lineLayer.DeleteAll();
    pointLayer.DeleteAll();
    const int n = graph.GetCount();
    for (int i = 0; i < n; ++i)
        if (ddVertex* v = graph.GetVertex(i)) v->SetVisited(0);
    for (int i = 0; i < n; ++i) {
        ddpathVertex* v = GetVertex(i);
        if (!v) continue;
        auto* point = new pathfpoint(i, SatSub(v->GetX(), 3), SatSub(v->GetY(), 3), 6);
        point->SetColor(DepthToShade(v->GetDepth()), 0, 0);
        point->SetLabel(std::to_string(v->GetId()).c_str());
        pointLayer.Add(point);
        v->SetVisited(1);
        for (const ddEdge& e : v->Edges()) {
            const ddpathVertex* target = GetVertex(e.to);
            // an edge to a missing vertex has nothing to draw to
            if (!target || target->IsVisited()) continue;
            auto* line = new pathfline(i, e.to, 2);
            lineLayer.Add(line);
            PlaceLineToVertex(line, v, target);
        }
    }
    SetRedraw();
}

ddbuildedptf::Box ddbuildedptf::PlaceLabel(pathfpoint& point, const ddFont& font,
                                           const GraphAPI::VideoState& video) const {
    const char* label = point.GetLabel();
    Box box{point.GetPosX(), point.GetPosY(), SatAdd(font.TextWidth(label), 1),
            SatAdd(font.TextHeight(label), 1)};
    // The point stands 3 up and left of its vertex.
    const int64_t vx = int64_t{box.x} + 3, vy = int64_t{box.y} + 3;
    if (vx < 0 || vy < 0 || vx >= video.AppWidth || vy >= video.AppHeight) return box;
    const int right = std::min(labelRight, video.AppWidth), bottom = std::min(labelBottom, video.AppHeight);
    box.x = std::clamp(box.x, 0, std::max(SatSub(right, box.w), 0));
    box.y = std::clamp(box.y, 0, std::max(SatSub(bottom, box.h), 0));
    return box;
}

ddbuildedptf::Box ddbuildedptf::LabelBox(int index) {
    for (int i = 0; i < pointLayer.Count(); ++i) {
        auto* point = static_cast<pathfpoint*>(pointLayer.At(i));
        if (point->GetIndex() == index) return PlaceLabel(*point, DefaultFont(), GraphAPI::CurrentVideo());
    }
    return {0, 0, 0, 0};
}

void ddbuildedptf::Draw() {
    if (!IsVisible()) return;
    lineLayer.Draw();
    pointLayer.Draw();
    if (!labelsOn) return;
    ddFont& font = DefaultFont();
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    for (int i = 0; i < pointLayer.Count(); ++i) {
        auto* point = static_cast<pathfpoint*>(pointLayer.At(i));
        const Box box = PlaceLabel(*point, font, video);
        labelFont.DrawText(point->GetLabel(), SatAdd(box.x, 1), SatAdd(box.y, 1));
        font.DrawText(point->GetLabel(), box.x, box.y);
    }
}

pathfline* ddbuildedptf::LineAt(int x, int y) {
    for (int i = 0; i < lineLayer.Count(); ++i) {
        auto* line = static_cast<pathfline*>(lineLayer.At(i));
        if (line->IsIn(x, y, 1, 1)) return line;
    }
    return nullptr;
}
