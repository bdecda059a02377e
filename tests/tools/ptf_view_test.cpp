// The editor's graph view: depth shades, the layers rebuilt from the graph
// and the id labels.
#include <SDL/SDL_ttf.h>
#include <gtest/gtest.h>

#include "graphics/font_fixture.h"
#include "scene/scene.h"
#include "tools/ptf_view.h"

namespace {

class ViewTest : public FontTest {
protected:
    // Adds a vertex at (x, y) with that depth and id; its index.
    static int Add(ddbuildedptf& view, int x, int y, float depth, int id = 0) {
        return view.GetGraph().AddVertex(new ddpathVertex(x, y, depth, id))->GetIndex();
    }
    static Uint8 RedAt(int x, int y) {
        Uint8 r, g, b;
        ScreenRGB(x, y, &r, &g, &b);
        return r;
    }
};

TEST(ViewShades, SliderAndDepthConversions) {
    EXPECT_EQ(ddbuildedptf::DepthToShade(1.0f), 254);
    EXPECT_EQ(ddbuildedptf::DepthToShade(-1.0f), 0);
    EXPECT_EQ(ddbuildedptf::DepthToShade(0.0f), 127);
    EXPECT_EQ(ddbuildedptf::DepthToShade(2.0f), 255);
    EXPECT_EQ(ddbuildedptf::DepthToShade(-5.0f), 0);
    EXPECT_EQ(ddbuildedptf::DepthToShade(1e30f), 255);
    EXPECT_EQ(ddbuildedptf::DepthToShade(-0.5f), 63);  // 63.5 truncated
    EXPECT_FLOAT_EQ(ddbuildedptf::SliderToDepth(0), -1.0f);
    EXPECT_FLOAT_EQ(ddbuildedptf::SliderToDepth(127), 0.0f);
    EXPECT_FLOAT_EQ(ddbuildedptf::SliderToDepth(254), 1.0f);
    EXPECT_FLOAT_EQ(ddbuildedptf::SliderToDepth(400), 1.0f);
    EXPECT_FLOAT_EQ(ddbuildedptf::SliderToDepth(-30), -1.0f);
    EXPECT_FLOAT_EQ(ddbuildedptf::SliderToDepth(84), static_cast<float>((84.0 - 127.0) / 127.0));
}

TEST_F(ViewTest, LayersFollowTheGraphWithGapsAndEdgesDrawnOnce) {
    ddbuildedptf view;
    view.RebuildView();
    EXPECT_TRUE(view.GetLineLayer().IsEmpty());
    EXPECT_TRUE(view.GetPointLayer().IsEmpty());

    const int a = Add(view, 10, 20, 0.0f, 7);
    const int b = Add(view, 60, 20, 1.0f, -3);
    const int c = Add(view, 10, 80, -1.0f);
    view.ConnectAndRebuild(a, b);
    view.ConnectAndRebuild(c, a);
    ASSERT_EQ(view.GetPointLayer().Count(), 3);
    // each pair runs both ways but is drawn once, from the lower index
    ASSERT_EQ(view.GetLineLayer().Count(), 2);
    auto* ab = static_cast<pathfline*>(view.GetLineLayer().At(0));
    EXPECT_EQ(ab->GetFrom(), a);
    EXPECT_EQ(ab->GetTo(), b);
    EXPECT_EQ(ab->GetGradientStart(), 127);
    EXPECT_EQ(ab->GetGradientEnd(), 254);
    auto* ac = static_cast<pathfline*>(view.GetLineLayer().At(1));
    EXPECT_EQ(ac->GetFrom(), a);
    EXPECT_EQ(ac->GetTo(), c);

    auto* pa = static_cast<pathfpoint*>(view.GetPointLayer().At(0));
    EXPECT_EQ(pa->GetPosX(), 7);
    EXPECT_EQ(pa->GetPosY(), 17);
    EXPECT_EQ(pa->GetWidth(), 6);
    EXPECT_STREQ(pa->GetLabel(), "7");
    EXPECT_STREQ(static_cast<pathfpoint*>(view.GetPointLayer().At(1))->GetLabel(), "-3");

    // the squares are red by depth
    ClearScreenBlack();
    view.Draw();
    EXPECT_EQ(RedAt(10, 20), 127);
    EXPECT_EQ(RedAt(60, 20), 254);
    EXPECT_EQ(RedAt(10, 80), 0);

    // a removed vertex leaves a gap; the others keep their indexes
    view.GetGraph().RemoveVertex(a);
    view.RebuildView();
    ASSERT_EQ(view.GetPointLayer().Count(), 2);
    EXPECT_EQ(static_cast<pathfpoint*>(view.GetPointLayer().At(0))->GetIndex(), b);
    EXPECT_EQ(static_cast<pathfpoint*>(view.GetPointLayer().At(1))->GetIndex(), c);
    EXPECT_TRUE(view.GetLineLayer().IsEmpty());

    // an edge to a slot that holds nothing is not drawn
    view.GetGraph().GetVertex(b)->AddEdge(a, 1.0f);
    view.RebuildView();
    EXPECT_TRUE(view.GetLineLayer().IsEmpty());
}

TEST_F(ViewTest, IdsAreDrawnOnlyWithLabelsOnWithADarkShadow) {
    ddbuildedptf view;
    ASSERT_NE(view.GetLabelFont().GetHandle(), nullptr);
    Add(view, 20, 40, -1.0f, 88);
    view.RebuildView();

    ClearScreenBlack();
    view.Draw();
    EXPECT_FALSE(AnyLit(30, 30, 40, 40)) << "no label while they are off";

    view.ShowLabels();
    ClearScreenBlack();
    view.Draw();
    EXPECT_TRUE(AnyLit(30, 30, 40, 40));
    // the default font is white; the shadow leaves some dark grey pixels
    bool bright = false, shadow = false;
    for (int y = 30; y < 70; ++y)
        for (int x = 17; x < 60; ++x) {
            Uint8 r, g, b;
            ScreenRGB(x, y, &r, &g, &b);
            if (r > 200 && g > 200) bright = true;
            if (r > 0 && r < 60 && r == g && g == b) shadow = true;
        }
    EXPECT_TRUE(bright);
    EXPECT_TRUE(shadow);

    view.HideLabels();
    view.Hide();
    ClearScreenBlack();
    view.Draw();
    EXPECT_FALSE(AnyLit(0, 0, 100, 100)) << "a hidden view draws nothing";
}

TEST_F(ViewTest, VertexEditsAndLinesIgnoreMissingVertices) {
    ddbuildedptf view;
    const int a = Add(view, 5, 5, 0.0f);
    view.SetVertexDepth(a, 0.5f);
    view.MoveVertex(a, 3, -2, 0.25f);
    EXPECT_EQ(view.GetVertex(a)->GetX(), 8);
    EXPECT_EQ(view.GetVertex(a)->GetY(), 3);
    EXPECT_FLOAT_EQ(view.GetVertex(a)->GetDepth(), 0.75f);
    view.SetVertexDepthFromSlider(a, 0);
    EXPECT_FLOAT_EQ(view.GetVertex(a)->GetDepth(), -1.0f);
    // nothing happens for indexes without a vertex
    view.SetVertexDepth(9, 1.0f);
    view.MoveVertex(-1, 1, 1, 1.0f);
    view.SetVertexDepthFromSlider(42, 3);
    view.ConnectAndRebuild(a, 9);
    EXPECT_TRUE(view.GetLineLayer().IsEmpty());

    ddgfxline line(1);
    ddbuildedptf::PlaceLine(&line, nullptr, 10, 10, 0.0f);
    EXPECT_TRUE(line.IsEmpty());
    ddbuildedptf::PlaceLine(nullptr, view.GetVertex(a), 10, 10, 0.0f);
    ddbuildedptf::PlaceLine(&line, view.GetVertex(a), 18, 3, 2.0f);
    EXPECT_EQ(line.Count(), 10);
    EXPECT_EQ(line.GetGradientStart(), 0);
    EXPECT_EQ(line.GetGradientEnd(), 255);
}

}  // namespace
