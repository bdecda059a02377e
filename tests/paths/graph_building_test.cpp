#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "common/run_process.h"
#include "graphics/graph_api.h"
#include "graphics/picture_files.h"
#include "paths/path_screen.h"
#include "paths/walk_graph.h"

namespace {

class GraphBuildTest : public PathScreenTest {
protected:
    // A ".zel" mask picture of w x h, opaque where inside(x, y) holds.
    template <typename Inside>
    std::string Mask(const std::string& name, int w, int h, Inside inside) {
        SDL_Surface* s =
            SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
        Image image;
        image.AdoptSurface(s);
        GraphAPI::ResetFromSurface(s, &image);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                GraphAPI::PutPixel(s, x, y, SDL_MapRGBA(s->format, 200, 10, 10, inside(x, y) ? 255 : 0));
        GraphAPI::SaveZel(&image, (dir / name).c_str(), 1);
        return dir / name;
    }

    static int Edge(const ddWalkGraph& g, int v, int k) { return g.GetPathVertex(v)->Edges()[k].to; }
    static float Weight(const ddWalkGraph& g, int v, int k) { return g.GetPathVertex(v)->Edges()[k].weight; }

    TempFolder dir;
};

}  // namespace

TEST_F(GraphBuildTest, MaskGridVerticesAndNeighbourEdges) {
    // Walkable where x < 25 and y < 12: points at x 0, 10, 20 and y 0, 5, 10.
    const std::string mask = Mask("floor.zel", 100, 50, [](int x, int y) { return x < 25 && y < 12; });
    ddWalkGraph g;
    Animacja* anima = reinterpret_cast<Animacja*>(&g);  // only stored
    g.Build(anima, mask.c_str(), 10, 5, 2.5f, 42);
    EXPECT_EQ(g.GetColumns(), 11);
    EXPECT_EQ(g.GetRows(), 11);
    EXPECT_EQ(g.GetStepX(), 10);
    EXPECT_EQ(g.GetStepY(), 5);
    EXPECT_EQ(g.GetTag(), 42);
    EXPECT_FLOAT_EQ(g.GetSpeed(), 2.5f);
    EXPECT_EQ(g.GetLinkedAnima(), anima);
    ASSERT_EQ(g.GetVertexCount(), 9);
    // column by column, row by row within a column
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const ddpathVertex* v = g.GetPathVertex(i * 3 + j);
            ASSERT_NE(v, nullptr);
            EXPECT_EQ(v->GetX(), 10 * i);
            EXPECT_EQ(v->GetY(), 5 * j);
            EXPECT_EQ(v->GetDepth(), 0.0f);
            EXPECT_EQ(v->GetId(), 0);
        }
    }
    // The corner: right, down, diagonal, in neighbour order.
    ASSERT_EQ(g.GetPathVertex(0)->EdgeCount(), 3);
    EXPECT_EQ(Edge(g, 0, 0), 3);
    EXPECT_FLOAT_EQ(Weight(g, 0, 0), 10.0f);
    EXPECT_EQ(Edge(g, 0, 1), 1);
    EXPECT_FLOAT_EQ(Weight(g, 0, 1), 5.0f);
    EXPECT_EQ(Edge(g, 0, 2), 4);
    EXPECT_FLOAT_EQ(Weight(g, 0, 2), std::sqrt(125.0f));
    // The middle has all eight, starting with the upper left.
    ASSERT_EQ(g.GetPathVertex(4)->EdgeCount(), 8);
    const int order[] = {0, 3, 6, 1, 7, 2, 5, 8};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(Edge(g, 4, k), order[k]) << k;
    // Every edge runs both ways.
    for (int v = 0; v < 9; ++v)
        for (const ddEdge& e : g.GetPathVertex(v)->Edges()) EXPECT_TRUE(g.GetPathVertex(e.to)->HasEdgeTo(v));

    ASSERT_EQ(g.GetGraph().ShortestPaths(8, -1.0f), 0);
    EXPECT_FLOAT_EQ(g.GetPathVertex(0)->GetDistance(), 2 * std::sqrt(125.0f));
}

TEST_F(GraphBuildTest, TheLastColumnLiesOnThePicturesEdge) {
    const std::string mask = Mask("full.zel", 100, 20, [](int, int) { return true; });
    ddWalkGraph g;
    g.Build(nullptr, mask.c_str(), 10, 10, 1.0f, 0);
    EXPECT_EQ(g.GetColumns(), 11);
    EXPECT_EQ(g.GetRows(), 3);
    ASSERT_EQ(g.GetVertexCount(), 20);  // x = 100 and y = 20 lie outside the picture
    for (int i = 0; i < g.GetVertexCount(); ++i) {
        EXPECT_LT(g.GetPathVertex(i)->GetX(), 100);
        EXPECT_LT(g.GetPathVertex(i)->GetY(), 20);
    }
}

TEST_F(GraphBuildTest, StepsSpeedAndSourcesThatBuildNothing) {
    const std::string mask = Mask("m.zel", 40, 40, [](int, int) { return true; });
    struct Case {
        int sx, sy;
        float speed;
    };
    const Case bad[] = {{0, 10, 1.0f},  {201, 10, 1.0f},  {10, 0, 1.0f}, {10, 151, 1.0f},
                        {10, 10, 0.0f}, {10, 10, 150.0f}, {10, 10, NAN}};
    for (const Case& c : bad) {
        ddWalkGraph g;
        g.Build(nullptr, mask.c_str(), 10, 10, 1.0f, 3);
        ASSERT_GT(g.GetVertexCount(), 0);
        g.Build(nullptr, mask.c_str(), c.sx, c.sy, c.speed, 3);
        EXPECT_EQ(g.GetVertexCount(), 0) << c.sx << " " << c.sy << " " << c.speed;
        EXPECT_EQ(g.GetStepX(), 200);
        EXPECT_EQ(g.GetStepY(), 150);
        EXPECT_EQ(g.GetColumns(), 0);
    }
    ddWalkGraph g;
    g.Build(nullptr, (dir / "missing.png").c_str(), 10, 10, 1.0f, 3);
    EXPECT_EQ(g.GetVertexCount(), 0);
    g.Build(nullptr, nullptr, 10, 10, 1.0f, 3);
    EXPECT_EQ(g.GetVertexCount(), 0);
    // The smallest steps: one cell per pixel, plus the edge column and row.
    g.Build(nullptr, Mask("tiny.zel", 2, 2, [](int, int) { return true; }).c_str(), 1, 1, 1.0f, 3);
    EXPECT_EQ(g.GetVertexCount(), 4);
    EXPECT_EQ(g.GetColumns(), 3);
}

TEST_F(GraphBuildTest, GraphFileSources) {
    ddWalkGraph saved;
    saved.GetGraph().AddVertex(new ddpathVertex(1, 2, 0.0f, 5));
    saved.GetGraph().AddVertex(new ddpathVertex(4, 6, 0.0f, 6));
    saved.AddEdge(0, 1);
    ASSERT_TRUE(saved.SaveGraph((dir / "room.ptf").c_str()));
    ASSERT_TRUE(saved.SaveGraph((dir / "ptf").c_str()));

    ddWalkGraph g;
    Animacja* anima = reinterpret_cast<Animacja*>(&g);
    g.Build(anima, (dir / "room.ptf").c_str(), 10, 10, 2.0f, 9);
    ASSERT_EQ(g.GetVertexCount(), 2);
    EXPECT_EQ(g.GetPathVertex(1)->GetId(), 6);
    EXPECT_FLOAT_EQ(g.GetPathVertex(0)->Edges()[0].weight, 5.0f);
    // the grid, speed, tag and animation are not taken from a graph file
    EXPECT_EQ(g.GetStepX(), 200);
    EXPECT_EQ(g.GetTag(), 0);
    EXPECT_EQ(g.GetLinkedAnima(), nullptr);

    // Exactly "ptf" names a picture, which this file is not.
    const std::filesystem::path back = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    g.Build(anima, "ptf", 10, 10, 2.0f, 9);
    std::filesystem::current_path(back);
    EXPECT_EQ(g.GetVertexCount(), 0);
}
