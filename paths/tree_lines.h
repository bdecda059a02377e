// The lines under a node of a tagged text tree, in file order: what the
// graph readers take as vertex and edge records.
#pragma once

#include <vector>

#include "foundation/dd_base.h"

// Visits the node's descendants in pre-order (the node itself excluded),
// without recursion, so deeply nested files cannot exhaust the stack.
template <typename Visit>
void ForEachDescendant(const ddBase* node, Visit visit) {
    std::vector<const ddBase*> stack;
    for (auto it = node->Children().rbegin(); it != node->Children().rend(); ++it) stack.push_back(*it);
    while (!stack.empty()) {
        const ddBase* n = stack.back();
        stack.pop_back();
        visit(n);
        for (auto it = n->Children().rbegin(); it != n->Children().rend(); ++it) stack.push_back(*it);
    }
}
