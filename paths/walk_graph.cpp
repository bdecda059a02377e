#include "paths/walk_graph.h"

#include "graphics/graph_api.h"

ddWalkGraph::ddWalkGraph()
    : stepX(GraphAPI::CurrentVideo().ScaledWidth),
      stepY(GraphAPI::CurrentVideo().ScaledHeight),
      depthSize(static_cast<float>(GraphAPI::CurrentVideo().ScaledHeight / 2.0)) {}

void ddWalkGraph::Reset() {
    graph.DeleteVertices();
    linkedAnima = nullptr;
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    stepX = video.ScaledWidth;
    stepY = video.ScaledHeight;
    columns = rows = 0;
}

void ddWalkGraph::CopyFrom(Animacja* anima, const ddWalkGraph* other, float newSpeed) {
    if (!other ||
        !(newSpeed > 0.0f && newSpeed < static_cast<float>(GraphAPI::CurrentVideo().ScaledHeight)) ||
        !other->graph.HasVertices()) {
        Reset();
        return;
    }
    // Taken before the reset, so copying from itself keeps the graph.
    ddGraph copy(other->graph);
    const int otherTag = other->tag;
    const int sx = other->stepX, sy = other->stepY;
    const int cols = other->columns, rowCount = other->rows;
    Reset();
    graph.Swap(copy);
    tag = otherTag;
    stepX = sx;
    stepY = sy;
    columns = cols;
    rows = rowCount;
    speed = newSpeed;
    linkedAnima = anima;
}
