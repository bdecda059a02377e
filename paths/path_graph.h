// The walk-path graph: vertices held by slot index, each with its outgoing
// weighted edges, and Dijkstra's shortest paths over them with a binary heap
// keyed by distance. Results of a search (distance, previous link) are left
// in the vertices for the caller to read.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/dd_string.h"

class ddpathVertex;

// One way from the vertex that holds it to the vertex at `to`.
struct ddEdge {
    float weight = 0.0f;
    int32_t from = 0;  // the holder's index; the search does not read it
    int32_t to = 0;
};

class ddVertex {
public:
    ddVertex() = default;
    virtual ~ddVertex() = default;
    ddVertex(const ddVertex&) = delete;
    ddVertex& operator=(const ddVertex&) = delete;

    // The walk-path vertex behind this one, or null for a plain vertex.
    virtual ddpathVertex* AsPathVertex() { return nullptr; }
    virtual const ddpathVertex* AsPathVertex() const { return nullptr; }
    // A new vertex of the same kind holding a copy of this one.
    virtual ddVertex* Clone() const;

    // Edges
    void AddEdge(int to, float weight);
    bool HasEdgeTo(int to) const;
    void RemoveEdgeTo(int to);
    void ClearEdges() {
        edges.clear();
        edgeCursor = 0;
    }
    int EdgeCount() const { return static_cast<int>(edges.size()); }
    bool HasEdges() const { return !edges.empty(); }
    const std::vector<ddEdge>& Edges() const { return edges; }
    std::vector<ddEdge>& Edges() { return edges; }

    // Walking the edges one by one.
    void ResetIterator() { edgeCursor = 0; }
    bool HasMoreEdges() const { return edgeCursor < edges.size(); }
    ddEdge* NextEdge() { return edgeCursor < edges.size() ? &edges[edgeCursor++] : nullptr; }

    // Copies edges, name, index and distance.
    void CopyFrom(const ddVertex& other);

    bool IsUnreached() const { return distance == -1.0f; }
    int GetIndex() const { return index; }
    void SetIndex(int i) { index = i; }
    int GetPrevious() const { return previous; }
    void SetPrevious(int p) { previous = p; }
    float GetDistance() const { return distance; }
    void SetDistance(float d) { distance = d; }
    bool IsVisited() const { return visited != 0; }
    void SetVisited(int v) { visited = v; }
    bool IsEnabled() const { return enabled != 0; }
    void SetEnabled(int e) { enabled = e; }
    const ddString& GetName() const { return name; }
    void SetName(const char* n) { name = n; }

private:
    friend class ddHeap;
    std::vector<ddEdge> edges;  // in insertion order
    size_t edgeCursor = 0;
    ddString name;
    int32_t index = 0;
    int32_t previous = -1;
    float distance = -1.0f;
    int visited = 0;
    int enabled = 1;
    int32_t heapSlot = -1;  // position in the heap that holds it, -1 when none
};

// A binary heap of vertices keyed by their distance; min-heap by default.
// Each item knows its place, so membership and raising need no scan.
class ddHeap {
public:
    explicit ddHeap(bool minHeap = true) : minFlag(minHeap ? 1 : 0) {}

    // Frees the items and makes room for `capacity` (none when <= 0).
    void Init(int capacity);
    void Push(ddVertex* v);
    ddVertex* Pop();  // null when empty
    bool Contains(const ddVertex* v) const;
    // Moves an item whose distance dropped towards the top.
    void Raise(const ddVertex* v);
    int Size() const { return static_cast<int>(items.size()); }
    void Clear();

private:
    bool Before(const ddVertex* a, const ddVertex* b) const;  // a belongs above b
    void SiftUp(size_t i);
    void SiftDown(size_t i);
    void Place(size_t i, ddVertex* v) {
        items[i] = v;
        v->heapSlot = static_cast<int32_t>(i);
    }
    void SwapItems(size_t a, size_t b) {
        ddVertex* t = items[a];
        Place(a, items[b]);
        Place(b, t);
    }

    std::vector<ddVertex*> items;
    uint8_t minFlag;
};

class ddGraph {
public:
    ddGraph() = default;
    ~ddGraph() = default;
    ddGraph(const ddGraph& other) { CopyFrom(other); }
    ddGraph& operator=(const ddGraph& other);

    ddVertex* GetVertex(int i) const {
        return i < 0 || i >= GetCount() ? nullptr : vertices[static_cast<size_t>(i)].get();
    }
    // Slots, including empty ones.
    int GetCount() const { return static_cast<int>(vertices.size()); }

    // Takes ownership; fills the first empty slot, else appends one.
    ddVertex* AddVertex(ddVertex* v);
    ddVertex* AddNewVertex() { return AddVertex(new ddVertex); }
    // Stores the vertex in slot i (which must exist), replacing what was there.
    void PlaceVertex(int i, ddVertex* v);
    void CreateVertices(int n);
    // n empty slots, replacing every vertex.
    void CreateEmptySlots(int n);
    void DeleteVertices() { vertices.clear(); }
    void Swap(ddGraph& other) { vertices.swap(other.vertices); }
    // Whether any slot holds a vertex.
    bool HasVertices() const;

    void AddEdge(int from, int to, float weight);
    bool IsConnected(int a, int b) const;
    void Disconnect(int a, int b);
    void RemoveVertex(int i);
    void CopyFrom(const ddGraph& other);
    ddVertex* FindByName(const char* name) const;

    void ResetSearch();
    // Dijkstra from `start`; a limit >= 0 stops once the nearest queued
    // vertex lies further. 0 after a search, 1 when none could be made.
    int ShortestPaths(int start, float limit);

    void CapWeights(float x);
    void FloorWeights(float x);

    void PrintDistances() const;
    void Print() const;

    // The older text format: vertices named by their nodes' values, edges
    // as "name weight" children.
    void LoadText(const char* path);

private:
    std::vector<std::unique_ptr<ddVertex>> vertices;
    ddHeap heap;  // kept between searches so a search does not allocate
};
