// The walk-path graph a path finder owns, with the grid of its last build:
// the graph file (names ending in "ptf") read and written through the
// tagged text tree, edge weights from positions and depths, and building a
// graph from a mask picture or a region animation. The path finder derives
// from this and extends Reset with its walking state.
#pragma once

#include <vector>

#include "paths/path_graph.h"
#include "paths/path_vertex.h"

class Animacja;

class ddWalkGraph {
public:
    ddWalkGraph();
    virtual ~ddWalkGraph() = default;
    ddWalkGraph(const ddWalkGraph&) = delete;
    ddWalkGraph& operator=(const ddWalkGraph&) = delete;

    // Replaces the graph by the file's (empty when the file is unusable).
    void LoadGraph(const char* path);
    // Writes the graph; false when the file could not be replaced.
    bool SaveGraph(const char* path);
    // Links two vertices both ways, weighted by distance and depth.
    void AddEdge(int a, int b);
    // Builds from a graph file, a region animation (".lum") or a mask picture.
    void Build(Animacja* anima, const char* source, int stepX, int stepY, float speed, int tag);
    // Empties the graph, forgets the linked animation, one cell per screen.
    virtual void Reset();
    // A copy of the other's graph and grid with this speed and animation;
    // left reset when the other is missing or empty or the speed is out of range.
    void CopyFrom(Animacja* anima, const ddWalkGraph* other, float speed);

    // The walk-path vertex at slot i, or null.
    ddpathVertex* GetPathVertex(int i) const {
        ddVertex* v = graph.GetVertex(i);
        return v ? v->AsPathVertex() : nullptr;
    }
    int GetVertexCount() const { return graph.GetCount(); }

    ddGraph& GetGraph() { return graph; }
    const ddGraph& GetGraph() const { return graph; }
    int GetTag() const { return tag; }
    int GetStepX() const { return stepX; }
    int GetStepY() const { return stepY; }
    int GetColumns() const { return columns; }
    int GetRows() const { return rows; }
    float GetSpeed() const { return speed; }
    void SetSpeed(float s) { speed = s; }
    float GetDepthSize() const { return depthSize; }
    void SetDepthSize(float d) { depthSize = d; }
    Animacja* GetLinkedAnima() const { return linkedAnima; }

protected:
    // Takes the grid and makes a vertex per hit cell (ids column by column,
    // -1 for a miss), then links every cell to its eight neighbours.
    void BuildGrid(int cols, int rowCount, const std::vector<int>& cellIds);

    ddGraph graph;  // of ddpathVertex
    int tag = 0;    // kept from the build
    int stepX = 0, stepY = 0;
    int columns = 0, rows = 0;
    float speed = 0.0f;               // pixels per frame
    float depthSize = 0;              // pixels per unit of depth
    Animacja* linkedAnima = nullptr;  // not owned
};
