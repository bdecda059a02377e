#include <gtest/gtest.h>

#include <vector>

#include "graphics/canvas.h"
#include "graphics/geometry.h"
#include "graphics/gfx_line.h"
#include "graphics/obraz_container.h"
#include "graphics/rect_clip.h"
#include "graphics/screen_fixture.h"

namespace {

using ContainerTest = ScreenTest;

Image Rect(int x, int y, int w, int h, int srx = 0, int sry = 0) {
    Image r;
    r.x = x;
    r.y = y;
    r.w = w;
    r.h = h;
    r.srx = srx;
    r.sry = sry;
    return r;
}

TEST(Geometry, PointInImageAndVectorLength) {
    Image r = Rect(-5, 2, 10, 3);
    EXPECT_TRUE(PointInImage(-5, 2, &r));
    EXPECT_TRUE(PointInImage(4, 4, &r));
    EXPECT_FALSE(PointInImage(5, 4, &r));
    EXPECT_FALSE(PointInImage(0, 5, &r));
    EXPECT_FALSE(PointInImage(0, 3, nullptr));
    EXPECT_FLOAT_EQ(VectorLength(3.0f, -4.0f), 5.0f);
    EXPECT_FLOAT_EQ(VectorLength(0.0f, 0.0f), 0.0f);
}

TEST(Geometry, ClipRectTable) {
    struct Case {
        Image source;
        int x1, y1, x2, y2;
        bool ok;
        int x, y, w, h, srx, sry;
    };
    const std::vector<Case> cases = {
        {Rect(-5, 0, 10, 10), 0, 0, 100, 100, true, 0, 0, 5, 10, 5, 0},
        {Rect(10, 10, 10, 10), 0, 0, 100, 100, true, 10, 10, 10, 10, 0, 0},
        {Rect(95, 95, 10, 10, 1, 2), 0, 0, 100, 100, true, 95, 95, 5, 5, 1, 2},
        {Rect(-3, -4, 10, 10, 1, 1), 0, 0, 5, 5, true, 0, 0, 5, 5, 4, 5},
        {Rect(-10, 0, 10, 10), 0, 0, 100, 100, false, 0, 0, 0, 0, 0, 0},
        {Rect(100, 0, 10, 10), 0, 0, 100, 100, false, 0, 0, 0, 0, 0, 0},
        {Rect(0, 0, 0, 5), 0, 0, 100, 100, false, 0, 0, 0, 0, 0, 0},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        Image bounds = Rect(c.x1, c.y1, c.x2, c.y2);
        Image out;
        bool ok = ClipRect(c.source, bounds, out);
        EXPECT_EQ(ok, c.ok) << "case " << i;
        if (!ok || !c.ok) continue;
        EXPECT_EQ(out.x, c.x) << "case " << i;
        EXPECT_EQ(out.y, c.y) << "case " << i;
        EXPECT_EQ(out.w, c.w) << "case " << i;
        EXPECT_EQ(out.h, c.h) << "case " << i;
        EXPECT_EQ(out.srx, c.srx) << "case " << i;
        EXPECT_EQ(out.sry, c.sry) << "case " << i;
    }
}

std::vector<std::pair<int, int>> Points(ddgfxline& line) {
    std::vector<std::pair<int, int>> out;
    for (int i = 0; i < line.Count(); ++i) out.emplace_back(line.At(i)->GetX(), line.At(i)->GetY());
    return out;
}

TEST_F(ContainerTest, LinePointsAndGradient) {
    ddgfxline line(2);
    line.DrawLine(0, 0, 3, 1);
    EXPECT_EQ(Points(line), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}}));
    line.DrawLine(0, 0, 2, 2);
    EXPECT_EQ(Points(line), (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}}));
    line.DrawLine(5, 5, 5, 5);
    EXPECT_EQ(Points(line), (std::vector<std::pair<int, int>>{{5, 5}}));
    line.DrawLine(10, 10, 10, 7);
    EXPECT_EQ(Points(line), (std::vector<std::pair<int, int>>{{10, 10}, {10, 9}, {10, 8}}));
    line.DrawLine(4, 0, 0, 2);
    EXPECT_EQ(Points(line), (std::vector<std::pair<int, int>>{{4, 0}, {3, 0}, {2, 1}, {1, 1}}));
    // ends from a broken file: refused, not billions of points
    line.DrawLine(-2000000000, 0, 2000000000, 5);
    EXPECT_EQ(line.Count(), 0);

    line.DrawLine(0, 0, 4, 0);
    line.SetGradient(0, 255);
    std::vector<int> levels;
    for (int i = 0; i < line.Count(); ++i) {
        auto* p = dynamic_cast<ddgfxpoint*>(line.At(i));
        ASSERT_NE(p, nullptr);
        levels.push_back(p->GetGrey());
        Uint8 r, g, b, a;
        SurfaceRGBA(p->GetImage()->surface, 1, 1, &r, &g, &b, &a);
        EXPECT_EQ(r, p->GetGrey());
        EXPECT_EQ(a, 255);
    }
    EXPECT_EQ(levels, (std::vector<int>{0, 63, 127, 191}));
    EXPECT_EQ(line.GetWidth(), 2);

    auto* p = dynamic_cast<ddgfxpoint*>(line.At(0));
    p->SetGrey(400);
    EXPECT_EQ(p->GetGrey(), 255);
}

TEST_F(ContainerTest, CanvasStartsTransparentAndFillsVisibly) {
    ddCanvas c(10, 20, 4, 3);
    EXPECT_EQ(c.GetX(), 10);
    EXPECT_EQ(c.GetWidth(), 4);
    Uint8 r, g, b, a;
    SurfaceRGBA(c.GetImage()->surface, 2, 2, &r, &g, &b, &a);
    EXPECT_EQ(a, 0);
    c.SetColorRGB(10, 20, 30);
    SurfaceRGBA(c.GetImage()->surface, 2, 2, &r, &g, &b, &a);
    EXPECT_EQ(a, 255) << "a colour fill keeps an alpha canvas visible";
    EXPECT_EQ(g, 20);
    c.Clear();
    SurfaceRGBA(c.GetImage()->surface, 0, 0, &r, &g, &b, &a);
    EXPECT_EQ(a, 0);

    c.SetPen(1, 2, 3);
    c.PutPixel(4, 0);  // x = width: nothing
    c.PutPixel(-1, 0);
    c.PutPixel(3, 2);
    SurfaceRGBA(c.GetImage()->surface, 3, 2, &r, &g, &b, &a);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(a, 255);

    ddCanvas empty;
    EXPECT_EQ(empty.GetImage()->surface, nullptr);
}

TEST_F(ContainerTest, CanvasCopiesWhatLiesUnderAnObject) {
    Obraz src;
    src.Create(6, 6, 0, 0, 0, 0);
    src.SetPos(40, 30);
    src.PutRGBA(2, 3, 9, 99, 199, 255);
    ddCanvas copy;
    copy.CopyFromImage(&src);
    EXPECT_EQ(copy.GetX(), 40);
    EXPECT_EQ(copy.GetWidth(), 6);
    Uint8 r, g, b, a;
    SurfaceRGBA(copy.GetImage()->surface, 2, 3, &r, &g, &b, &a);
    EXPECT_EQ(g, 99);
    EXPECT_EQ(a, 255);
    SurfaceRGBA(copy.GetImage()->surface, 0, 0, &r, &g, &b, &a);
    EXPECT_EQ(a, 0);
}

TEST_F(ContainerTest, BorderIsDrawnIntoTheTarget) {
    Obraz target;
    target.Create(10, 8, 0, 0, 0, 255);
    target.SetPos(20, 20);
    ddCanvas::DrawBorder(&target, 2, 255, 0, 0, 255);
    SDL_Surface* s = target.GetImage()->surface;
    Uint8 r, g, b, a;
    for (auto [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {9, 1}, {5, 7}, {0, 4}, {9, 4}}) {
        SurfaceRGBA(s, x, y, &r, &g, &b, &a);
        EXPECT_EQ(r, 255) << x << "," << y;
    }
    SurfaceRGBA(s, 5, 4, &r, &g, &b, &a);
    EXPECT_EQ(r, 0);
}

TEST_F(ContainerTest, ContainerOrderHitTestsAndWalks) {
    ddObrazContainer box;
    EXPECT_EQ(box.GetWidth(), 0);
    EXPECT_EQ(box.GetX(), 0);
    EXPECT_EQ(box.GetY(), 0);
    EXPECT_FALSE(box.IsIn(0, 0, 0, 0));
    EXPECT_EQ(box.PopBack(), nullptr);

    auto* a = new ddCanvas(0, 0, 10, 10);
    auto* b = new ddCanvas(5, 5, 10, 10);
    auto* c = new ddCanvas(50, 50, 2, 2);
    box.Add(a);
    box.Add(nullptr);
    box.Add(b);
    box.InsertAt(c, 1);
    EXPECT_EQ(box.Count(), 3);
    EXPECT_EQ(box.IndexOf(c), 1);
    EXPECT_EQ(box.GetWidth(), 10);

    // Walks forward and back.
    EXPECT_EQ(box.First(), a);
    EXPECT_EQ(box.Next(), c);
    EXPECT_EQ(box.Next(), b);
    EXPECT_EQ(box.Next(), nullptr);
    EXPECT_EQ(box.Last(), b);
    EXPECT_EQ(box.Prev(), c);
    EXPECT_EQ(box.Prev(), a);
    EXPECT_EQ(box.Prev(), nullptr);
    box.Rewind();
    EXPECT_EQ(box.TakeNext(), a);
    EXPECT_EQ(box.TakeNext(), c);

    // Moves go to every child; SetPosition moves by the first child's offset.
    box.SetPosition(100, 0);
    EXPECT_EQ(a->GetX(), 100);
    EXPECT_EQ(b->GetX(), 105);
    box.MoveAfter(c, 1, 1);
    EXPECT_EQ(b->GetX(), 106);
    EXPECT_EQ(a->GetX(), 100);

    box.Hide();
    EXPECT_FALSE(a->IsVisible());
    box.Show();
    EXPECT_TRUE(b->IsVisible());
    box.SetLayer(3);
    EXPECT_EQ(c->GetLayer(), 3);

    EXPECT_TRUE(box.IsIn(108, 8, 1, 0));
    EXPECT_FALSE(box.Clip(0, 0, 1, 1)) << "answers the last child's result";

    box.Reverse();
    EXPECT_EQ(box.At(0), b);
    EXPECT_EQ(box.PopFront(), b);
    EXPECT_EQ(box.PopBack(), a);
    box.Remove(c);
    EXPECT_TRUE(box.IsEmpty());
    delete a;
    delete b;
    delete c;

    ddObrazContainer other;
    other.Add(new ddCanvas(0, 0, 1, 1));
    other.Add(new ddCanvas(0, 0, 1, 1));
    box.AppendFrom(&other);
    EXPECT_EQ(box.Count(), 2);
    other.Clear();  // box owns them now
}

}  // namespace
