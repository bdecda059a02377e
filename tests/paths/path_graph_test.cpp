#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "common/run_process.h"
#include "paths/path_graph.h"
#include "paths/path_vertex.h"

namespace {

// A graph of n vertices with the given two-way edges.
void Link(ddGraph& g, int a, int b, float w) {
    g.AddEdge(a, b, w);
    g.AddEdge(b, a, w);
}

std::vector<int> PopOrder(ddHeap& h) {
    std::vector<int> out;
    while (ddVertex* v = h.Pop()) out.push_back(v->GetIndex());
    return out;
}

}  // namespace

TEST(Heap, PopsByDistanceBothWaysAndKeepsEveryItemWhenGrowing) {
    ddGraph g;
    g.CreateVertices(150);
    const float dist[] = {5, 1, 4, 1.5f, 9, 2, 6};
    ddHeap minHeap;
    minHeap.Init(2);  // grows past its first slots
    for (int i = 0; i < 150; ++i) {
        g.GetVertex(i)->SetDistance(i < 7 ? dist[i] : 100.0f + static_cast<float>(150 - i));
        minHeap.Push(g.GetVertex(i));
    }
    EXPECT_EQ(minHeap.Size(), 150);
    EXPECT_TRUE(minHeap.Contains(g.GetVertex(149)));
    std::vector<int> order = PopOrder(minHeap);
    ASSERT_EQ(order.size(), 150u);
    EXPECT_EQ((std::vector<int>(order.begin(), order.begin() + 7)), (std::vector<int>{1, 3, 5, 2, 0, 6, 4}));
    for (size_t k = 1; k < order.size(); ++k)
        EXPECT_LE(g.GetVertex(order[k - 1])->GetDistance(), g.GetVertex(order[k])->GetDistance());
    EXPECT_EQ(minHeap.Pop(), nullptr);
    EXPECT_FALSE(minHeap.Contains(g.GetVertex(0)));

    // A queued item whose distance drops moves up; emptied heaps forget their items.
    for (int i = 0; i < 7; ++i) minHeap.Push(g.GetVertex(i));
    g.GetVertex(4)->SetDistance(0.5f);
    minHeap.Raise(g.GetVertex(4));
    minHeap.Raise(g.GetVertex(100));  // not queued: nothing
    EXPECT_EQ(minHeap.Pop(), g.GetVertex(4));
    EXPECT_FALSE(minHeap.Contains(g.GetVertex(4)));
    EXPECT_TRUE(minHeap.Contains(g.GetVertex(6)));
    minHeap.Clear();
    EXPECT_FALSE(minHeap.Contains(g.GetVertex(6)));
    EXPECT_EQ(minHeap.Size(), 0);
    g.GetVertex(4)->SetDistance(9.0f);

    ddHeap maxHeap(false);
    for (int i = 0; i < 7; ++i) maxHeap.Push(g.GetVertex(i));
    EXPECT_EQ(PopOrder(maxHeap), (std::vector<int>{4, 6, 0, 2, 5, 3, 1}));
}

TEST(Graph, SlotsVerticesAndEdges) {
    ddGraph g;
    g.CreateVertices(3);
    ASSERT_EQ(g.GetCount(), 3);
    EXPECT_STREQ(g.GetVertex(2)->GetName().c_str(), "2");
    EXPECT_EQ(g.GetVertex(-1), nullptr);
    EXPECT_EQ(g.GetVertex(3), nullptr);

    g.AddEdge(0, 1, 2.0f);
    g.AddEdge(0, 3, 1.0f);   // beyond the slots
    g.AddEdge(-1, 1, 1.0f);  // negative
    EXPECT_EQ(g.GetVertex(0)->EdgeCount(), 1);
    EXPECT_EQ(g.GetVertex(0)->Edges()[0].from, 0);
    EXPECT_TRUE(g.IsConnected(0, 1));  // one direction is enough
    EXPECT_TRUE(g.IsConnected(1, 0));
    EXPECT_FALSE(g.IsConnected(0, 2));
    EXPECT_FALSE(g.IsConnected(0, 7));

    Link(g, 1, 2, 1.0f);
    g.RemoveVertex(1);
    EXPECT_EQ(g.GetVertex(1), nullptr);
    EXPECT_EQ(g.GetCount(), 3);
    EXPECT_FALSE(g.GetVertex(2)->HasEdgeTo(1));  // its way back went with it
    EXPECT_TRUE(g.GetVertex(0)->HasEdgeTo(1));   // a one-way edge into it stays
    g.AddEdge(2, 1, 1.0f);                       // an empty slot takes no edges
    EXPECT_EQ(g.GetVertex(2)->EdgeCount(), 0);
    ddVertex* again = g.AddNewVertex();
    EXPECT_EQ(again->GetIndex(), 1);  // the empty slot is reused
    EXPECT_EQ(g.GetVertex(1), again);
    EXPECT_EQ(g.AddNewVertex()->GetIndex(), 3);

    g.AddEdge(2, 0, 5.0f);
    g.AddEdge(2, 3, 6.0f);
    g.Disconnect(2, 0);
    EXPECT_FALSE(g.GetVertex(2)->HasEdgeTo(0));
    EXPECT_TRUE(g.GetVertex(2)->HasEdgeTo(3));
    g.GetVertex(2)->ResetIterator();
    ASSERT_TRUE(g.GetVertex(2)->HasMoreEdges());
    EXPECT_EQ(g.GetVertex(2)->NextEdge()->to, 3);
    EXPECT_FALSE(g.GetVertex(2)->HasMoreEdges());
    EXPECT_EQ(g.GetVertex(2)->NextEdge(), nullptr);

    g.GetVertex(3)->SetName("hall");
    EXPECT_EQ(g.FindByName("hall"), g.GetVertex(3));
    EXPECT_EQ(g.FindByName("cellar"), nullptr);
}

TEST(Graph, CopyKeepsEmptySlotsAndWalkPathVertices) {
    ddGraph g;
    g.AddVertex(new ddpathVertex(10, 20, 0.5f, 7));
    g.AddVertex(new ddpathVertex(30, 40, -0.5f, 8));
    g.AddVertex(new ddpathVertex(50, 60, 0.0f, 9));
    Link(g, 0, 2, 3.0f);
    g.GetVertex(2)->SetEnabled(0);
    g.RemoveVertex(1);

    ddGraph copy;
    copy.CreateVertices(5);
    copy = g;
    ASSERT_EQ(copy.GetCount(), 3);
    EXPECT_EQ(copy.GetVertex(1), nullptr);
    const ddpathVertex* v = copy.GetVertex(2)->AsPathVertex();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->GetX(), 50);
    EXPECT_EQ(v->GetId(), 9);
    EXPECT_FALSE(v->IsEnabled());
    EXPECT_EQ(v->GetIndex(), 2);
    ASSERT_EQ(v->EdgeCount(), 1);
    EXPECT_EQ(v->Edges()[0].to, 0);
    EXPECT_FLOAT_EQ(v->Edges()[0].weight, 3.0f);
    EXPECT_NE(copy.GetVertex(0), g.GetVertex(0));  // own records
    EXPECT_EQ(g.GetVertex(0)->AsPathVertex()->GetDepth(), copy.GetVertex(0)->AsPathVertex()->GetDepth());

    g.CapWeights(2.0f);
    EXPECT_FLOAT_EQ(g.GetVertex(0)->Edges()[0].weight, 2.0f);
    g.FloorWeights(2.5f);
    EXPECT_FLOAT_EQ(g.GetVertex(0)->Edges()[0].weight, 2.5f);
    EXPECT_FLOAT_EQ(copy.GetVertex(0)->Edges()[0].weight, 3.0f);
}

TEST(ShortestPaths, StartsThatCannotBeSearched) {
    ddGraph g;
    g.CreateVertices(3);
    Link(g, 1, 2, 1.0f);
    g.GetVertex(0)->SetDistance(4.0f);
    EXPECT_EQ(g.ShortestPaths(0, -1.0f), 1);  // no edges
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(g.GetVertex(i)->IsUnreached()) << i;
    EXPECT_EQ(g.ShortestPaths(-1, -1.0f), 1);
    EXPECT_EQ(g.ShortestPaths(3, -1.0f), 1);
    g.RemoveVertex(0);
    EXPECT_EQ(g.ShortestPaths(0, -1.0f), 1);
}

TEST(ShortestPaths, DistancesPreviousLinksAndLimits) {
    // 0 -1- 1 -1- 2 -1- 3, and a long way 0 -5- 3; 4 apart.
    ddGraph g;
    g.CreateVertices(5);
    Link(g, 0, 1, 1.0f);
    Link(g, 1, 2, 1.0f);
    Link(g, 2, 3, 1.0f);
    Link(g, 0, 3, 5.0f);
    Link(g, 4, 4, 1.0f);  // a self loop keeps 4 searchable on its own

    ASSERT_EQ(g.ShortestPaths(3, -1.0f), 0);
    EXPECT_FLOAT_EQ(g.GetVertex(0)->GetDistance(), 3.0f);
    EXPECT_EQ(g.GetVertex(0)->GetPrevious(), 1);
    EXPECT_EQ(g.GetVertex(1)->GetPrevious(), 2);
    EXPECT_EQ(g.GetVertex(2)->GetPrevious(), 3);
    EXPECT_TRUE(g.GetVertex(4)->IsUnreached());

    ASSERT_EQ(g.ShortestPaths(3, 0.0f), 0);  // only the start's edges are followed
    EXPECT_FLOAT_EQ(g.GetVertex(3)->GetDistance(), 0.0f);
    EXPECT_FLOAT_EQ(g.GetVertex(2)->GetDistance(), 1.0f);
    EXPECT_TRUE(g.GetVertex(1)->IsUnreached());

    ASSERT_EQ(g.ShortestPaths(3, 1.5f), 0);
    EXPECT_FLOAT_EQ(g.GetVertex(1)->GetDistance(), 2.0f);
    EXPECT_FLOAT_EQ(g.GetVertex(0)->GetDistance(), 5.0f);  // 1 lay beyond the limit: not followed

    g.GetVertex(1)->SetEnabled(0);  // never entered, never passed through
    ASSERT_EQ(g.ShortestPaths(3, -1.0f), 0);
    EXPECT_TRUE(g.GetVertex(1)->IsUnreached());
    EXPECT_FLOAT_EQ(g.GetVertex(0)->GetDistance(), 5.0f);
    EXPECT_EQ(g.GetVertex(0)->GetPrevious(), 3);

    g.GetVertex(1)->SetEnabled(1);
    g.RemoveVertex(2);
    g.AddEdge(1, 2, 1.0f);  // ignored: the slot is empty
    ASSERT_EQ(g.ShortestPaths(3, -1.0f), 0);
    EXPECT_FLOAT_EQ(g.GetVertex(1)->GetDistance(), 6.0f);
}

TEST(ShortestPaths, EqualRoutesKeepTheFirstSeenAndStrayEdgesAreHarmless) {
    // Start 0; 3 reached through 1 or 2 with the same total.
    ddGraph g;
    g.CreateVertices(4);
    Link(g, 0, 1, 1.0f);
    Link(g, 0, 2, 1.0f);
    Link(g, 1, 3, 1.0f);
    Link(g, 2, 3, 1.0f);
    ASSERT_EQ(g.ShortestPaths(0, -1.0f), 0);
    EXPECT_EQ(g.GetVertex(3)->GetPrevious(), 1);

    // A queued vertex is updated when a strictly shorter way turns up later.
    ddGraph h;
    h.CreateVertices(4);
    Link(h, 0, 1, 1.0f);
    Link(h, 0, 3, 10.0f);
    Link(h, 1, 3, 2.0f);
    ASSERT_EQ(h.ShortestPaths(0, -1.0f), 0);
    EXPECT_FLOAT_EQ(h.GetVertex(3)->GetDistance(), 3.0f);
    EXPECT_EQ(h.GetVertex(3)->GetPrevious(), 1);

    // An edge whose target slot was emptied behind the graph's back.
    h.GetVertex(1)->AddEdge(99, 1.0f);
    h.GetVertex(1)->AddEdge(-4, 1.0f);
    EXPECT_EQ(h.ShortestPaths(0, -1.0f), 0);
    EXPECT_FLOAT_EQ(h.GetVertex(3)->GetDistance(), 3.0f);
}

TEST(ShortestPaths, AReachedVertexWithoutEdgesEndsTheSearch) {
    ddGraph g;
    g.CreateVertices(3);
    g.AddEdge(0, 1, 1.0f);  // 1 has no way out
    g.AddEdge(0, 2, 2.0f);
    EXPECT_EQ(g.ShortestPaths(0, -1.0f), 1);
    EXPECT_TRUE(g.GetVertex(1)->IsVisited());
    EXPECT_FALSE(g.GetVertex(2)->IsVisited());
    EXPECT_FLOAT_EQ(g.GetVertex(2)->GetDistance(), 2.0f);
}

TEST(Graph, Listings) {
    ddGraph g;
    g.CreateVertices(3);
    Link(g, 0, 1, 1.5f);
    g.GetVertex(0)->AddEdge(2, 2.0f);
    g.RemoveVertex(2);
    ProcessResult r = RunInChild([&] {
        g.Print();
        g.ShortestPaths(0, -1.0f);
        g.PrintDistances();
        return 0;
    });
    EXPECT_EQ(r.out, "0 1,1.500000 2,2.000000\n1 0,1.500000\n0 0.000000\n1 1.500000\n");
}

TEST(PathNode, MeasuresStepsAndOwnsItsChain) {
    ddPathNode a(10, 20);
    EXPECT_FLOAT_EQ(a.DistanceTo(13, 24), 5.0f);
    EXPECT_FLOAT_EQ(a.GetDx(), -3.0f);
    EXPECT_FLOAT_EQ(a.GetDy(), -4.0f);
    ddPathNode* b = new ddPathNode(4, 12);
    a.SetLinkAndSteps(b, 4);
    EXPECT_EQ(a.GetNext(), b);
    EXPECT_FLOAT_EQ(a.GetLength(), 10.0f);
    EXPECT_FLOAT_EQ(a.GetStepX(), 1.5f);
    EXPECT_FLOAT_EQ(a.GetStepY(), 2.0f);
    EXPECT_EQ(a.GetSteps(), 4);
    a.SetLinkAndSteps(b, 0);  // no division by a zero step count
    EXPECT_FLOAT_EQ(a.GetStepX(), 1.5f);
    ddPathNode* c = new ddPathNode(0, 0);
    b->SetLink(c);
    a.SetLink(c);  // b is passed over and goes; c stays
    EXPECT_EQ(a.GetNext(), c);
    a.Reset(1, 2);
    EXPECT_EQ(a.GetLength(), 0.0f);
    EXPECT_EQ(a.GetX(), 1);
    EXPECT_EQ(a.GetNext(), c);  // freed with a
}
