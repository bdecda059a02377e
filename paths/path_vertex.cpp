#include "paths/path_vertex.h"

#include <cmath>

float DepthScale(float depthPlusOne, float scalePower) {
    const float scale = scalePower * depthPlusOne + (1.0f - scalePower);
    return scale <= 0.0f ? 0.01f : scale;
}

ddVertex* ddpathVertex::Clone() const {
    ddpathVertex* v = new ddpathVertex;
    v->CopyFrom(*this);
    return v;
}

void ddpathVertex::CopyFrom(const ddpathVertex& other) {
    if (&other == this) return;
    x = other.x;
    y = other.y;
    depth = other.depth;
    id = other.id;
    SetEnabled(other.IsEnabled() ? 1 : 0);
    ddVertex::CopyFrom(other);
}

void ddPathNode::Reset(int nx, int ny) {
    x = nx;
    y = ny;
    dx = dy = 0.0f;
    length = 0.0f;
    stepX = stepY = 0.0f;
    steps = 0;
}

float ddPathNode::DistanceTo(int px, int py) {
    dx = static_cast<float>(x) - static_cast<float>(px);
    dy = static_cast<float>(y) - static_cast<float>(py);
    length = std::sqrt(dx * dx + dy * dy);
    return length;
}

void ddPathNode::SetLink(ddPathNode* node) {
    if (node == this) return;  // a node linked to itself would free itself
    // The nodes passed over are owned here and go; a new link further down
    // the old chain keeps the rest of it.
    ddPathNode* n = next;
    while (n && n != node) {
        ddPathNode* after = n->next;
        n->next = nullptr;
        delete n;
        n = after;
    }
    next = node;
    if (node) DistanceTo(node->x, node->y);
}

void ddPathNode::SetLinkAndSteps(ddPathNode* node, int n) {
    SetLink(node);
    steps = n;
    if (n > 0) {
        stepX = dx / static_cast<float>(n);
        stepY = dy / static_cast<float>(n);
    }
}

void ddPathNode::FreeChain() {
    // Iterative, so a long chain cannot exhaust the stack.
    ddPathNode* n = next;
    next = nullptr;
    while (n) {
        ddPathNode* after = n->next;
        n->next = nullptr;
        delete n;
        n = after;
    }
}
