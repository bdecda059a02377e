#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "common/run_process.h"
#include "graphics/graph_api.h"
#include "paths/walk_graph.h"

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A screen size without a window: the graph code only reads sizes.
class WalkGraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        video.ScaledWidth = 200;
        video.ScaledHeight = 150;
    }

    static ddpathVertex* Add(ddWalkGraph& w, int x, int y, float depth = 0.0f, int id = 0) {
        return static_cast<ddpathVertex*>(w.GetGraph().AddVertex(new ddpathVertex(x, y, depth, id)));
    }

    // A graph file made of the given "v" and "e" lines.
    std::string WriteGraph(const std::string& name, const std::string& count, const std::string& vs,
                           const std::string& es) {
        dir.Write(name, "<>\n\t<graph> " + count + "\n\t</graph>\n\t<vertex> \n" + vs +
                            "\t</vertex>\n\t<edge> \n" + es + "\t</edge>\n</>\n");
        return dir / name;
    }

    TempFolder dir;
    GraphAPI::VideoState video;
    GraphAPI::ScopedVideo shown{video};
};

}  // namespace

TEST_F(WalkGraphTest, SavesTheDocumentLineForLine) {
    ddWalkGraph w;
    Add(w, 10, 20);
    Add(w, 30, 20);
    w.AddEdge(0, 1);
    ASSERT_TRUE(w.SaveGraph((dir / "two.ptf").c_str()));
    EXPECT_EQ(ReadText(dir / "two.ptf"),
              "<>\n"
              "\t<graph> 2\n\t</graph>\n"
              "\t<vertex> \n"
              "\t\t<v> 0 10 20 0.000000 0\n\t\t</v>\n"
              "\t\t<v> 1 30 20 0.000000 0\n\t\t</v>\n"
              "\t</vertex>\n"
              "\t<edge> \n"
              "\t\t<e> 0 1\n\t\t</e>\n"
              "\t\t<e> 1 0\n\t\t</e>\n"
              "\t</edge>\n"
              "</>\n");
}

TEST_F(WalkGraphTest, RoundTripKeepsSlotsPositionsDepthsIdsAndWeights) {
    ddWalkGraph w;
    w.SetDepthSize(75.0f);
    Add(w, 0, 0, 0.25f, 3);
    Add(w, 40, 0, -0.5f, 4);
    Add(w, 40, 30, 1.0f, -2);
    Add(w, -7, 9, 0.0f, 5);
    w.AddEdge(0, 1);
    w.AddEdge(1, 2);
    w.AddEdge(2, 3);
    w.GetGraph().RemoveVertex(3);
    const std::string path = dir / "room.ptf";
    ASSERT_TRUE(w.SaveGraph(path.c_str()));

    ddWalkGraph r;
    r.SetDepthSize(75.0f);
    r.LoadGraph(path.c_str());
    ASSERT_EQ(r.GetVertexCount(), 4);
    EXPECT_EQ(r.GetPathVertex(3), nullptr);  // the empty slot comes back empty
    for (int i = 0; i < 3; ++i) {
        const ddpathVertex* a = w.GetPathVertex(i);
        const ddpathVertex* b = r.GetPathVertex(i);
        ASSERT_NE(b, nullptr) << i;
        EXPECT_EQ(b->GetIndex(), i);
        EXPECT_EQ(b->GetX(), a->GetX());
        EXPECT_EQ(b->GetY(), a->GetY());
        EXPECT_FLOAT_EQ(b->GetDepth(), a->GetDepth());
        EXPECT_EQ(b->GetId(), a->GetId());
        ASSERT_EQ(b->EdgeCount(), a->EdgeCount()) << i;
        for (int k = 0; k < a->EdgeCount(); ++k) {
            EXPECT_EQ(b->Edges()[k].to, a->Edges()[k].to);
            EXPECT_FLOAT_EQ(b->Edges()[k].weight, a->Edges()[k].weight);
        }
    }
    // 40 sideways and three quarters of a depth unit of 75 pixels
    EXPECT_FLOAT_EQ(r.GetPathVertex(0)->Edges()[0].weight, std::sqrt(40.0f * 40.0f + 56.25f * 56.25f));
    ASSERT_TRUE(r.SaveGraph((dir / "again.ptf").c_str()));
    EXPECT_EQ(ReadText(dir / "again.ptf"), ReadText(path));
}

TEST_F(WalkGraphTest, EdgeWeightsAndRefusedEdges) {
    ddWalkGraph w;
    w.SetDepthSize(80.0f);
    Add(w, 5, 5, 0.0f);
    Add(w, 5, 5, 1.0f);
    Add(w, 8, 9, 0.0f);
    w.AddEdge(0, 1);
    ASSERT_EQ(w.GetPathVertex(0)->EdgeCount(), 1);
    EXPECT_FLOAT_EQ(w.GetPathVertex(0)->Edges()[0].weight, 80.0f);  // the depth size
    EXPECT_FLOAT_EQ(w.GetPathVertex(1)->Edges()[0].weight, 80.0f);
    w.AddEdge(1, 0);  // already linked
    w.AddEdge(2, 2);  // self loop
    w.AddEdge(2, 3);
    w.AddEdge(-1, 2);
    EXPECT_EQ(w.GetPathVertex(0)->EdgeCount(), 1);
    EXPECT_EQ(w.GetPathVertex(1)->EdgeCount(), 1);
    EXPECT_EQ(w.GetPathVertex(2)->EdgeCount(), 0);
    w.GetGraph().AddEdge(2, 0, 1.0f);  // one way is enough to count as linked
    w.AddEdge(0, 2);
    EXPECT_EQ(w.GetPathVertex(0)->EdgeCount(), 1);
    w.AddEdge(1, 2);
    EXPECT_FLOAT_EQ(w.GetPathVertex(1)->Edges()[1].weight, std::sqrt(9.0f + 16.0f + 6400.0f));

    // Positions far apart do not overflow the difference.
    Add(w, -2000000000, 0);
    Add(w, 2000000000, 0);
    w.AddEdge(3, 4);
    EXPECT_FLOAT_EQ(w.GetPathVertex(3)->Edges()[0].weight, 4.0e9f);
}

TEST_F(WalkGraphTest, FilesThatGiveAnEmptyGraph) {
    ddWalkGraph w;
    Add(w, 1, 1);
    w.LoadGraph((dir / "missing.ptf").c_str());
    EXPECT_EQ(w.GetVertexCount(), 0);

    const char* counts[] = {"0", "-3", "many", "", "99999999999", "2000000000"};
    for (const char* c : counts) {
        Add(w, 1, 1);
        w.LoadGraph(WriteGraph("bad.ptf", c, "\t\t<v> 0 1 2 0.0 0\n\t\t</v>\n", "").c_str());
        EXPECT_EQ(w.GetVertexCount(), 0) << c;
    }
    dir.Write("nograph.ptf", "<>\n\t<vertex> \n\t\t<v> 0 1 2 0.0 0\n\t\t</v>\n\t</vertex>\n</>\n");
    w.LoadGraph((dir / "nograph.ptf").c_str());
    EXPECT_EQ(w.GetVertexCount(), 0);
    w.LoadGraph(nullptr);
    EXPECT_EQ(w.GetVertexCount(), 0);
}

TEST_F(WalkGraphTest, BadLinesAreSkippedAndTheRestLoads) {
    ddWalkGraph w;
    const std::string path = WriteGraph("lines.ptf", "4",
                                        "\t\t<v> 0 10 10 0.0 1\n\t\t</v>\n"
                                        "\t\t<v> 4 10 10 0.0 1\n\t\t</v>\n"   // beyond the slots
                                        "\t\t<v> -1 10 10 0.0 1\n\t\t</v>\n"  // negative
                                        "\t\t<v> 0 99 99 0.0 9\n\t\t</v>\n"   // slot taken
                                        "\t\t<v> 1 20 10 0.5\n\t\t</v>\n"     // a field short
                                        "\t\t<v> 2 20 10 nan 2\n\t\t</v>\n"   // no number
                                        "\t\t<v> 3 x 10 0.0 2\n\t\t</v>\n"    // not a number
                                        "\t\t<v> 2 40 10 0.0 3\n\t\t</v>\n",
                                        "\t\t<e> 0 2\n\t\t</e>\n"
                                        "\t\t<e> 2 0\n\t\t</e>\n"  // the same pair again
                                        "\t\t<e> 0 0\n\t\t</e>\n"  // self loop
                                        "\t\t<e> 0 1\n\t\t</e>\n"  // an empty slot
                                        "\t\t<e> 0 7\n\t\t</e>\n"  // out of range
                                        "\t\t<e> 2\n\t\t</e>\n");  // a field short
    w.LoadGraph(path.c_str());
    ASSERT_EQ(w.GetVertexCount(), 4);
    ASSERT_NE(w.GetPathVertex(0), nullptr);
    EXPECT_EQ(w.GetPathVertex(0)->GetX(), 10);
    EXPECT_EQ(w.GetPathVertex(0)->GetId(), 1);
    EXPECT_EQ(w.GetPathVertex(1), nullptr);
    EXPECT_EQ(w.GetPathVertex(3), nullptr);
    ASSERT_NE(w.GetPathVertex(2), nullptr);
    EXPECT_EQ(w.GetPathVertex(2)->GetX(), 40);
    ASSERT_EQ(w.GetPathVertex(0)->EdgeCount(), 1);
    EXPECT_EQ(w.GetPathVertex(0)->Edges()[0].to, 2);
    EXPECT_FLOAT_EQ(w.GetPathVertex(0)->Edges()[0].weight, 30.0f);
    EXPECT_EQ(w.GetPathVertex(2)->EdgeCount(), 1);
}

TEST_F(WalkGraphTest, EmptyVertexAndEdgeNodesReadNothingFromTheirNeighbours) {
    ddWalkGraph w;
    dir.Write("empty.ptf",
              "<>\n\t<graph> 3\n\t</graph>\n\t<vertex> \n\t</vertex>\n\t<edge> 0 1\n\t</edge>\n</>\n");
    w.LoadGraph((dir / "empty.ptf").c_str());
    EXPECT_EQ(w.GetVertexCount(), 3);
    EXPECT_FALSE(w.GetGraph().HasVertices());
}

TEST_F(WalkGraphTest, ACountFarBeyondTheVertexLinesGivesTheSlotsReallyUsed) {
    ddWalkGraph w;
    const std::string one = "\t\t<v> 0 5 6 0.0 1\n\t\t</v>\n";
    w.LoadGraph(WriteGraph("huge.ptf", "100000", one, "").c_str());
    EXPECT_EQ(w.GetVertexCount(), 1);
    ASSERT_NE(w.GetPathVertex(0), nullptr);
    EXPECT_EQ(w.GetPathVertex(0)->GetX(), 5);

    // Indexes stay where the file put them: the slots end after the last one.
    const std::string two = one + "\t\t<v> 70 8 9 0.0 2\n\t\t</v>\n\t\t<v> 900000 1 1 0.0 3\n\t\t</v>\n";
    w.LoadGraph(WriteGraph("gap.ptf", "1048576", two, "\t\t<e> 0 70\n\t\t</e>\n").c_str());
    EXPECT_EQ(w.GetVertexCount(), 900001);
    EXPECT_EQ(w.GetPathVertex(70)->GetId(), 2);
    EXPECT_TRUE(w.GetGraph().IsConnected(0, 70));
    w.LoadGraph(WriteGraph("none.ptf", "100000", "", "").c_str());
    EXPECT_EQ(w.GetVertexCount(), 0);

    // A few empty slots after the last vertex, as the editor leaves them
    // when the last vertices are removed, are kept.
    w.LoadGraph(WriteGraph("spare.ptf", "40", one, "").c_str());
    EXPECT_EQ(w.GetVertexCount(), 40);
}

TEST_F(WalkGraphTest, ResetAndCopy) {
    ddWalkGraph source;
    Add(source, 0, 0);
    Add(source, 10, 0);
    source.AddEdge(0, 1);
    source.GetGraph().AddVertex(new ddpathVertex(3, 3, 0.0f, 0));
    source.GetGraph().RemoveVertex(2);
    source.GetPathVertex(1)->SetEnabled(0);

    ddWalkGraph w;
    EXPECT_EQ(w.GetStepX(), 200);
    EXPECT_FLOAT_EQ(w.GetDepthSize(), 75.0f);
    Animacja* anima = reinterpret_cast<Animacja*>(&w);  // only stored, never used
    w.CopyFrom(anima, &source, 4.0f);
    ASSERT_EQ(w.GetVertexCount(), 3);
    EXPECT_EQ(w.GetPathVertex(2), nullptr);
    EXPECT_FALSE(w.GetPathVertex(1)->IsEnabled());
    EXPECT_EQ(w.GetPathVertex(1)->GetX(), 10);
    EXPECT_EQ(w.GetPathVertex(0)->EdgeCount(), 1);
    EXPECT_FLOAT_EQ(w.GetSpeed(), 4.0f);
    EXPECT_EQ(w.GetLinkedAnima(), anima);

    w.CopyFrom(anima, &w, 5.0f);  // itself: the graph stays
    EXPECT_EQ(w.GetVertexCount(), 3);
    EXPECT_FLOAT_EQ(w.GetSpeed(), 5.0f);

    const float badSpeeds[] = {0.0f, -1.0f, 150.0f, NAN};
    for (float s : badSpeeds) {
        w.CopyFrom(anima, &source, 4.0f);
        w.CopyFrom(anima, &source, s);
        EXPECT_EQ(w.GetVertexCount(), 0) << s;
        EXPECT_EQ(w.GetLinkedAnima(), nullptr);
    }
    w.CopyFrom(anima, nullptr, 4.0f);
    EXPECT_EQ(w.GetVertexCount(), 0);
    ddWalkGraph empty;
    w.CopyFrom(anima, &source, 4.0f);
    w.CopyFrom(anima, &empty, 4.0f);
    EXPECT_EQ(w.GetVertexCount(), 0);
    EXPECT_EQ(w.GetStepY(), 150);
    EXPECT_EQ(w.GetColumns(), 0);
}

TEST(OlderTextGraph, NamedVerticesAndEdges) {
    TempFolder dir;
    dir.Write("old.txt",
              "<graph>\n"
              "  <a> hall \n     <e> cellar 2.5</e>\n     <e> attic 1</e>\n  </a>\n"
              "  <b> cellar\n     <e> hall 2.5</e>\n     <e> nowhere 1</e>\n     <e> attic</e>\n  </b>\n"
              "  <c> attic\n     <e> hall 1.0</e>\n  </c>\n"
              "  <d> lone\n  </d>\n"
              "</graph>\n");
    ddGraph g;
    g.CreateVertices(9);
    g.LoadText((dir / "old.txt").c_str());
    ASSERT_EQ(g.GetCount(), 4);
    EXPECT_STREQ(g.GetVertex(0)->GetName().c_str(), "hall");
    EXPECT_STREQ(g.GetVertex(1)->GetName().c_str(), "cellar");
    ASSERT_EQ(g.GetVertex(0)->EdgeCount(), 2);
    EXPECT_EQ(g.GetVertex(0)->Edges()[0].to, 1);
    EXPECT_FLOAT_EQ(g.GetVertex(0)->Edges()[0].weight, 2.5f);
    EXPECT_EQ(g.GetVertex(0)->Edges()[1].to, 2);  // named before its own line
    EXPECT_EQ(g.GetVertex(1)->EdgeCount(), 1);    // unknown name and missing weight skipped
    EXPECT_EQ(g.GetVertex(3)->EdgeCount(), 0);    // no edge lines: no edges
    EXPECT_EQ(g.ShortestPaths(1, -1.0f), 0);
    EXPECT_FLOAT_EQ(g.GetVertex(2)->GetDistance(), 3.5f);

    g.LoadText((dir / "missing.txt").c_str());
    EXPECT_EQ(g.GetCount(), 4);  // unchanged
}
