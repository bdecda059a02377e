#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "common/run_process.h"
#include "graphics/graph_api.h"
#include "graphics/picture_files.h"
#include "paths/path_screen.h"
#include "paths/walk_graph.h"

namespace {

class RegionBuildTest : public PathScreenTest {
protected:
    // A picture of w x h, opaque where x < opaqueW.
    static Image* Region(int w, int h, int opaqueW) {
        SDL_Surface* s =
            SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
        Image* image = new Image;
        image->AdoptSurface(s);
        GraphAPI::ResetFromSurface(s, image);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                GraphAPI::PutPixel(s, x, y, SDL_MapRGBA(s->format, 0, 0, 255, x < opaqueW ? 255 : 0));
        return image;
    }

    TempFolder dir;
};

}  // namespace

TEST_F(RegionBuildTest, CellsTakeTheLowestCoveringRegion) {
    // Region 0: [0, 20) x [0, 30). Region 1: [10, 50) x [0, 30), overlapping
    // region 0 in [10, 20). Region 2: [-30, 10) x [140, 170), which widens
    // the area to the left and below the screen.
    Image* left = Region(40, 30, 20);
    Image* full = Region(40, 30, 40);
    const Image* bank[] = {left, full};
    GraphAPI::SaveZelFile(bank, (dir / "regions.zel").c_str(), 2);
    delete left;
    delete full;
    dir.Write("rooms.lum",
              "<delay>\t1\n<files>\t0\n\t<< >>\tregions.zel\n"
              "<action>\tkitchen\n\t<f>\t0\tk\t0\t0\n"
              "<action>\thall\n\t<f>\t1\th\t10\t0\n"
              "<action>\tporch\n\t<f>\t1\tp\t-30\t140\n"
              "</action>\n");
    ddWalkGraph g;
    g.Build(nullptr, (dir / "rooms.lum").c_str(), 10, 10, 2.0f, 4);
    EXPECT_EQ(g.GetColumns(), 230 / 10 + 1);
    EXPECT_EQ(g.GetRows(), 170 / 10 + 1);
    EXPECT_EQ(g.GetTag(), 4);
    ASSERT_EQ(g.GetVertexCount(), 18);
    int ids[3] = {0, 0, 0};
    for (int i = 0; i < g.GetVertexCount(); ++i) {
        const ddpathVertex* v = g.GetPathVertex(i);
        ASSERT_NE(v, nullptr);
        const int expected = v->GetY() >= 140 ? 2 : v->GetX() < 20 ? 0 : 1;
        EXPECT_EQ(v->GetId(), expected) << v->GetX() << "," << v->GetY();
        ++ids[v->GetId()];
    }
    EXPECT_EQ(ids[0], 6);  // x 0 and 10 (10 lies in both: the lower index wins)
    EXPECT_EQ(ids[1], 9);  // x 20, 30, 40
    EXPECT_EQ(ids[2], 3);  // x 0 at y 140, 150, 160
    // Vertices of different regions are linked like any neighbours.
    const ddpathVertex* corner = g.GetPathVertex(0);
    EXPECT_EQ(corner->GetX(), 0);
    EXPECT_EQ(corner->GetY(), 0);
    EXPECT_EQ(corner->EdgeCount(), 3);

    ddWalkGraph missing;
    missing.Build(nullptr, (dir / "none.lum").c_str(), 10, 10, 2.0f, 4);
    EXPECT_EQ(missing.GetVertexCount(), 0);
}
