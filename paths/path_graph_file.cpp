// The walk-path graph file: a tagged text tree with the slot count under
// "graph", one "v" line per vertex ("index x y depth id") under "vertex"
// and one "e" line per edge ("from to") under "edge".
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "foundation/dd_base.h"
#include "paths/tree_lines.h"
#include "paths/walk_graph.h"

namespace {

// More slots than any drawn graph needs; a count above it is a broken file.
constexpr int kMaxSlots = 1 << 20;
// Empty slots a file may claim beyond its vertex lines, as the editor leaves
// them after the last vertices are removed. A count further beyond is read
// with the slots its vertices use, so a tiny file never makes a huge graph.
constexpr int kSpareSlots = 1024;

// One "%d" field: blanks, then a number that fits an int.
bool ReadIntField(const char*& p, int& out) {
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(p, &end, 10);
    if (end == p || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
    out = static_cast<int>(v);
    p = end;
    return true;
}

// One "%f" field.
bool ReadFloatField(const char*& p, float& out) {
    char* end = nullptr;
    out = std::strtof(p, &end);
    if (end == p) return false;
    p = end;
    return true;
}

}  // namespace

void ddWalkGraph::LoadGraph(const char* path) {
    graph.DeleteVertices();
    ddBase doc;
    if (!path || !doc.Load(path)) return;
    if (!doc.FindNode("graph")) return;
    const char* p = doc.GetCurrentValue();
    int count = 0;
    if (!p || !ReadIntField(p, count) || count <= 0) return;
    if (count > kMaxSlots) {
        std::printf("walk graph %s: %d vertex slots is more than %d\n", path, count, kMaxSlots);
        return;
    }

    // The vertex lines come first: how many slots are made follows from them.
    struct VertexLine {
        int index, x, y, id;
        float depth;
    };
    std::vector<VertexLine> vertices;
    int lineCount = 0;
    if (doc.FindNode("vertex")) {
        ForEachDescendant(doc.GetCurrent(), [&](const ddBase* node) {
            ++lineCount;
            const char* line = node->Value().c_str();
            if (!line) return;
            VertexLine v{};
            const char* q = line;
            if (!ReadIntField(q, v.index) || !ReadIntField(q, v.x) || !ReadIntField(q, v.y) ||
                !ReadFloatField(q, v.depth) || !ReadIntField(q, v.id))
                return;
            // a slot out of range, or a depth that is no number, is skipped
            if (v.index < 0 || v.index >= count || !std::isfinite(v.depth)) return;
            vertices.push_back(v);
        });
    }
    int slots = count;
    if (count - lineCount > kSpareSlots) {
        slots = 0;
        for (const VertexLine& v : vertices) slots = std::max(slots, v.index + 1);
    }
    graph.CreateEmptySlots(slots);
    // a slot already taken keeps its first vertex
    for (const VertexLine& v : vertices)
        if (!graph.GetVertex(v.index)) graph.PlaceVertex(v.index, new ddpathVertex(v.x, v.y, v.depth, v.id));

    if (doc.FindNode("edge")) {
        ForEachDescendant(doc.GetCurrent(), [&](const ddBase* node) {
            const char* line = node->Value().c_str();
            if (!line) return;
            int a = 0, b = 0;
            const char* q = line;
            if (!ReadIntField(q, a) || !ReadIntField(q, b)) return;
            AddEdge(a, b);
        });
    }
}

bool ddWalkGraph::SaveGraph(const char* path) {
    if (!path) return false;
    ddBase doc;  // no name, no value: the file opens with "<>"
    char text[160];
    const int count = graph.GetCount();
    std::snprintf(text, sizeof text, "%d", count);
    doc.AddChild("graph", text);

    doc.AddChild("vertex", " ");
    doc.DownToLast(1);
    for (int i = 0; i < count; ++i) {
        const ddpathVertex* v = GetPathVertex(i);
        if (!v) continue;
        std::snprintf(text, sizeof text, "%d %d %d %f %d", i, v->GetX(), v->GetY(),
                      static_cast<double>(v->GetDepth()), v->GetId());
        doc.AddChild("v", text);
    }
    doc.ResetCurrent();

    doc.AddChild("edge", " ");
    doc.DownToLast(1);
    for (int i = 0; i < count; ++i) {
        const ddVertex* v = graph.GetVertex(i);
        if (!v) continue;
        for (const ddEdge& e : v->Edges()) {
            std::snprintf(text, sizeof text, "%d %d", i, e.to);
            doc.AddChild("e", text);
        }
    }
    doc.ResetCurrent();
    return doc.Save(path) != 0;
}

void ddWalkGraph::AddEdge(int a, int b) {
    if (a == b) return;
    const ddpathVertex* va = GetPathVertex(a);
    const ddpathVertex* vb = GetPathVertex(b);
    if (!va || !vb || graph.IsConnected(a, b)) return;
    // widened first: positions read from a file may lie far apart
    const float dx = static_cast<float>(static_cast<int64_t>(va->GetX()) - vb->GetX());
    const float dy = static_cast<float>(static_cast<int64_t>(va->GetY()) - vb->GetY());
    const float dz = (va->GetDepth() - vb->GetDepth()) * depthSize;
    const float weight = std::sqrt(dx * dx + dy * dy + dz * dz);
    graph.AddEdge(a, b, weight);
    graph.AddEdge(b, a, weight);
}
