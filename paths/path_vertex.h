// The walk-path vertex (a graph vertex with a position, a depth and a tag),
// the scale a depth gives what stands there, and the linked point record
// that measures steps between two points.
#pragma once

#include <cstdint>

#include "foundation/saturating.h"
#include "paths/path_graph.h"

// The scale of something standing at a depth (given plus one): that, drawn
// towards 1 by the scale power (1: the depth alone, 0: no scaling); never 0
// or below (0.01 then), so a walker neither vanishes nor mirrors.
float DepthScale(float depthPlusOne, float scalePower);

class ddpathVertex : public ddVertex {
public:
    ddpathVertex() = default;
    ddpathVertex(int x, int y, float depth, int id) : x(x), y(y), depth(depth), id(id) {}
    ~ddpathVertex() override = default;

    ddpathVertex* AsPathVertex() override { return this; }
    const ddpathVertex* AsPathVertex() const override { return this; }
    ddVertex* Clone() const override;

    void SetPosition(int nx, int ny, float nd) {
        x = nx;
        y = ny;
        depth = nd;
    }
    // Held at the ends of the int range instead of wrapping.
    void MoveBy(int dx, int dy) {
        x = SatAdd(x, dx);
        y = SatAdd(y, dy);
    }
    // Position, depth, id and the enabled flag, then the plain vertex part.
    void CopyFrom(const ddpathVertex& other);

    int GetX() const { return x; }
    int GetY() const { return y; }
    float GetDepth() const { return depth; }
    void SetDepth(float d) { depth = d; }
    int GetId() const { return id; }
    void SetId(int i) { id = i; }
    bool IsExcluded() const { return excluded != 0; }
    void SetExcluded(int e) { excluded = e; }
    int GetStep() const { return step; }
    void SetStep(int s) { step = s; }

private:
    int32_t x = 0, y = 0;  // relative to the path finder's base offset
    float depth = 0.0f;    // 0 is the reference depth
    int32_t id = 0;
    int excluded = 0;
    int32_t step = 0;  // place on the current route
};

// A point that measures itself against a linked or given point and splits
// the way into equal steps. Owns the chain after it.
class ddPathNode {
public:
    ddPathNode() = default;
    ddPathNode(int x, int y) { Reset(x, y); }
    ~ddPathNode() { FreeChain(); }
    ddPathNode(const ddPathNode&) = delete;
    ddPathNode& operator=(const ddPathNode&) = delete;

    // Clears every field and sets the position (the chain is kept).
    void Reset(int nx, int ny);
    // dx, dy := this point minus (px, py); stores and returns the distance.
    float DistanceTo(int px, int py);
    // Links the node (taking ownership) and measures the distance to it;
    // nodes of the old chain before it are deleted.
    void SetLink(ddPathNode* node);
    void SetLinkAndSteps(ddPathNode* node, int n);
    // Deletes the nodes linked after this one.
    void FreeChain();
    // Hands the chain after this node to the caller.
    ddPathNode* TakeNext() {
        ddPathNode* n = next;
        next = nullptr;
        return n;
    }

    int GetX() const { return x; }
    int GetY() const { return y; }
    float GetDx() const { return dx; }
    float GetDy() const { return dy; }
    float GetLength() const { return length; }
    float GetStepX() const { return stepX; }
    float GetStepY() const { return stepY; }
    int GetSteps() const { return steps; }
    ddPathNode* GetNext() const { return next; }

private:
    int32_t x = 0, y = 0;
    float dx = 0.0f, dy = 0.0f;
    float length = 0.0f;
    float stepX = 0.0f, stepY = 0.0f;
    int32_t steps = 0;
    ddPathNode* next = nullptr;
};
