#include "paths/path_graph.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "foundation/dd_base.h"
#include "paths/tree_lines.h"

// ---------------------------------------------------------------- ddVertex

ddVertex* ddVertex::Clone() const {
    ddVertex* v = new ddVertex;
    v->CopyFrom(*this);
    return v;
}

void ddVertex::AddEdge(int to, float weight) {
    ddEdge e;
    e.weight = weight;
    e.from = index;
    e.to = to;
    edges.push_back(e);
}

bool ddVertex::HasEdgeTo(int to) const {
    for (const ddEdge& e : edges)
        if (e.to == to) return true;
    return false;
}

void ddVertex::RemoveEdgeTo(int to) {
    for (size_t i = 0; i < edges.size(); ++i) {
        if (edges[i].to == to) {
            edges.erase(edges.begin() + static_cast<std::ptrdiff_t>(i));
            // keep the cursor on the edge it would have returned next
            if (edgeCursor > i) --edgeCursor;
            return;
        }
    }
}

void ddVertex::CopyFrom(const ddVertex& other) {
    if (&other == this) return;
    edges = other.edges;
    edgeCursor = 0;
    name = other.name;
    index = other.index;
    distance = other.distance;
}

// ------------------------------------------------------------------ ddHeap

void ddHeap::Init(int capacity) {
    Clear();
    items.shrink_to_fit();
    if (capacity > 0) items.reserve(static_cast<size_t>(capacity));
}

void ddHeap::Clear() {
    for (ddVertex* v : items) v->heapSlot = -1;
    items.clear();
}

bool ddHeap::Before(const ddVertex* a, const ddVertex* b) const {
    return minFlag ? a->GetDistance() < b->GetDistance() : a->GetDistance() > b->GetDistance();
}

void ddHeap::SiftUp(size_t i) {
    while (i > 0) {
        size_t p = (i - 1) / 2;
        // equal distances stop: the earlier item keeps its place
        if (!Before(items[i], items[p])) return;
        SwapItems(i, p);
        i = p;
    }
}

void ddHeap::SiftDown(size_t i) {
    const size_t n = items.size();
    for (;;) {
        size_t c = 2 * i + 1;
        if (c >= n) return;
        if (c + 1 < n && Before(items[c + 1], items[c])) ++c;
        if (!Before(items[c], items[i])) return;
        SwapItems(i, c);
        i = c;
    }
}

void ddHeap::Push(ddVertex* v) {
    if (!v) return;
    items.push_back(v);
    Place(items.size() - 1, v);
    SiftUp(items.size() - 1);
}

ddVertex* ddHeap::Pop() {
    if (items.empty()) return nullptr;
    SwapItems(0, items.size() - 1);
    ddVertex* top = items.back();
    items.pop_back();
    top->heapSlot = -1;
    if (!items.empty()) SiftDown(0);
    return top;
}

bool ddHeap::Contains(const ddVertex* v) const {
    if (!v) return false;
    const size_t slot = static_cast<size_t>(v->heapSlot);
    return v->heapSlot >= 0 && slot < items.size() && items[slot] == v;
}

void ddHeap::Raise(const ddVertex* v) {
    if (Contains(v)) SiftUp(static_cast<size_t>(v->heapSlot));
}

// ----------------------------------------------------------------- ddGraph

ddGraph& ddGraph::operator=(const ddGraph& other) {
    CopyFrom(other);
    return *this;
}

ddVertex* ddGraph::AddVertex(ddVertex* v) {
    if (!v) return nullptr;
    for (size_t i = 0; i < vertices.size(); ++i) {
        if (!vertices[i]) {
            v->SetIndex(static_cast<int>(i));
            vertices[i].reset(v);
            return v;
        }
    }
    v->SetIndex(GetCount());
    vertices.emplace_back(v);
    return v;
}

void ddGraph::PlaceVertex(int i, ddVertex* v) {
    std::unique_ptr<ddVertex> owned(v);
    if (i < 0 || i >= GetCount()) return;
    if (owned) owned->SetIndex(i);
    vertices[static_cast<size_t>(i)] = std::move(owned);
}

void ddGraph::CreateVertices(int n) {
    vertices.clear();
    if (n <= 0) return;
    vertices.resize(static_cast<size_t>(n));
    char name[16];
    for (int i = 0; i < n; ++i) {
        ddVertex* v = new ddVertex;
        v->SetIndex(i);
        std::snprintf(name, sizeof name, "%d", i);
        v->SetName(name);
        vertices[static_cast<size_t>(i)].reset(v);
    }
}

void ddGraph::CreateEmptySlots(int n) {
    vertices.clear();
    if (n > 0) vertices.resize(static_cast<size_t>(n));
}

bool ddGraph::HasVertices() const {
    for (const auto& v : vertices)
        if (v) return true;
    return false;
}

void ddGraph::AddEdge(int from, int to, float weight) {
    ddVertex* a = GetVertex(from);
    if (!a || !GetVertex(to)) return;
    a->AddEdge(to, weight);
}

bool ddGraph::IsConnected(int a, int b) const {
    ddVertex* va = GetVertex(a);
    ddVertex* vb = GetVertex(b);
    if (!va || !vb) return false;
    return va->HasEdgeTo(b) || vb->HasEdgeTo(a);
}

void ddGraph::Disconnect(int a, int b) {
    if (ddVertex* va = GetVertex(a)) va->RemoveEdgeTo(b);
    if (ddVertex* vb = GetVertex(b)) vb->RemoveEdgeTo(a);
}

void ddGraph::RemoveVertex(int i) {
    ddVertex* v = GetVertex(i);
    if (!v) return;
    for (const ddEdge& e : v->Edges())
        if (ddVertex* target = GetVertex(e.to)) target->RemoveEdgeTo(i);
    v->ClearEdges();
    v->SetDistance(-1.0f);
    vertices[static_cast<size_t>(i)].reset();
}

void ddGraph::CopyFrom(const ddGraph& other) {
    if (&other == this) return;
    vertices.clear();
    vertices.resize(other.vertices.size());
    for (size_t i = 0; i < other.vertices.size(); ++i)
        if (other.vertices[i]) vertices[i].reset(other.vertices[i]->Clone());
}

ddVertex* ddGraph::FindByName(const char* name) const {
    if (!name) return nullptr;
    for (const auto& v : vertices)
        if (v && v->GetName() == name) return v.get();
    return nullptr;
}

void ddGraph::ResetSearch() {
    for (const auto& v : vertices) {
        if (!v) continue;
        v->SetVisited(0);
        v->SetDistance(-1.0f);
    }
}

int ddGraph::ShortestPaths(int start, float limit) {
    ResetSearch();
    ddVertex* s = GetVertex(start);
    if (!s || !s->HasEdges()) return 1;
    heap.Clear();
    s->SetDistance(0.0f);
    s->SetVisited(1);
    heap.Push(s);
    while (ddVertex* u = heap.Pop()) {
        u->SetVisited(1);
        const float du = u->GetDistance();
        if (limit >= 0.0f && du > limit) {
            heap.Clear();
            return 0;
        }
        if (!u->HasEdges()) {
            heap.Clear();
            return 1;
        }
        for (const ddEdge& e : u->Edges()) {
            ddVertex* v = GetVertex(e.to);  // an edge into an empty slot leads nowhere
            if (!v || !v->IsEnabled() || v->IsVisited()) continue;
            const float through = du + e.weight;
            if (heap.Contains(v)) {
                if (v->GetDistance() > through) {
                    v->SetDistance(through);
                    v->SetPrevious(u->GetIndex());
                    heap.Raise(v);
                }
            } else {
                v->SetDistance(through);
                v->SetPrevious(u->GetIndex());
                heap.Push(v);
            }
        }
    }
    return 0;
}

void ddGraph::CapWeights(float x) {
    for (const auto& v : vertices)
        if (v)
            for (ddEdge& e : v->Edges())
                if (e.weight > x) e.weight = x;
}

void ddGraph::FloorWeights(float x) {
    for (const auto& v : vertices)
        if (v)
            for (ddEdge& e : v->Edges())
                if (e.weight < x) e.weight = x;
}

namespace {
const char* NameText(const ddVertex* v) { return v->GetName().c_str() ? v->GetName().c_str() : ""; }
}  // namespace

void ddGraph::PrintDistances() const {
    for (const auto& v : vertices)
        if (v && !v->IsUnreached()) std::printf("%s %f\n", NameText(v.get()), v->GetDistance());
}

void ddGraph::Print() const {
    for (const auto& v : vertices) {
        if (!v) continue;
        std::printf("%s", NameText(v.get()));
        for (const ddEdge& e : v->Edges()) {
            const ddVertex* t = GetVertex(e.to);
            if (t)
                std::printf(" %s,%f", NameText(t), e.weight);
            else
                std::printf(" %d,%f", e.to, e.weight);
        }
        std::printf("\n");
    }
}

namespace {
// "%s %f": a word, then a number; false unless both are there.
bool ParseNameAndWeight(const char* text, std::string& name, float& weight) {
    if (!text) return false;
    const char* p = text;
    while (*p && std::isspace(static_cast<unsigned char>(*p))) ++p;
    const char* start = p;
    while (*p && !std::isspace(static_cast<unsigned char>(*p))) ++p;
    if (p == start) return false;
    name.assign(start, static_cast<size_t>(p - start));
    char* end = nullptr;
    weight = std::strtof(p, &end);
    return end != p;
}
}  // namespace

void ddGraph::LoadText(const char* path) {
    ddBase doc;
    if (!path || !doc.Load(path)) return;
    const auto& nodes = doc.Children();
    CreateVertices(static_cast<int>(nodes.size()));
    int i = 0;
    for (const ddBase* node : nodes) {
        ddString name = node->Value();
        name.Trim();
        vertices[static_cast<size_t>(i++)]->SetName(name.c_str());
    }
    // Edges come second, so they may name vertices listed later.
    i = 0;
    std::string target;
    for (const ddBase* node : nodes) {
        ddVertex* from = vertices[static_cast<size_t>(i++)].get();
        ForEachDescendant(node, [&](const ddBase* edge) {
            float weight = 0.0f;
            if (!ParseNameAndWeight(edge->Value().c_str(), target, weight)) return;
            if (const ddVertex* to = FindByName(target.c_str())) from->AddEdge(to->GetIndex(), weight);
        });
    }
}
