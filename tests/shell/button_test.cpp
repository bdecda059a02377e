#include "shell/button.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "graphics/canvas.h"
#include "loop_fixture.h"

namespace loop_test {
namespace {

class EventButton : public ddButton {
public:
    void OnMoveOn() override { ++on; }
    void OnMoveOff() override { ++off; }
    void OnClick() override { ++clicks; }
    void OnRelease() override { ++releases; }
    int on = 0, off = 0, clicks = 0, releases = 0;
};

class Buttons : public LoopTest {
protected:
    // An opaque w x h picture at (x, y), registered with the scene.
    ddCanvas* Picture(int x, int y, int w, int h, int layer = 0) {
        auto* c = new ddCanvas(x, y, w, h);
        c->SetColor(255, 255, 255, 255);
        c->SetLayer(layer);
        scene->AddDrawable(c);
        pictures.emplace_back(c);
        return c;
    }
    void TearDown() override {
        pictures.clear();
        LoopTest::TearDown();
    }
    std::vector<std::unique_ptr<ddCanvas>> pictures;
};

TEST_F(Buttons, ThreePicturesFollowHoverPressReleaseAndLeave) {
    EventButton b;
    ddCanvas* normal = Picture(10, 10, 20, 20);
    ddCanvas* over = Picture(10, 10, 20, 20);
    ddCanvas* pressed = Picture(10, 10, 20, 20);
    b.SetImages(normal, over, pressed);
    EXPECT_EQ(b.IsHidden(), 0);
    EXPECT_TRUE(normal->IsVisible());
    EXPECT_FALSE(over->IsVisible());
    EXPECT_FALSE(pressed->IsVisible());

    EXPECT_EQ(b.HandleHover(15, 15), 1);
    EXPECT_EQ(b.on, 1);
    EXPECT_FALSE(normal->IsVisible());
    EXPECT_TRUE(over->IsVisible());
    EXPECT_EQ(b.HandleHover(16, 16), 1);  // still over: no second event
    EXPECT_EQ(b.on, 1);

    EXPECT_EQ(b.HandlePress(15, 15), 1);
    EXPECT_EQ(b.clicks, 1);
    EXPECT_TRUE(pressed->IsVisible());
    EXPECT_FALSE(over->IsVisible());
    EXPECT_EQ(b.GetCurrent(), pressed);

    EXPECT_EQ(b.HandleRelease(15, 15), 1);
    EXPECT_EQ(b.releases, 1);
    EXPECT_TRUE(over->IsVisible());
    EXPECT_FALSE(pressed->IsVisible());
    EXPECT_EQ(b.GetCurrent(), over);

    EXPECT_EQ(b.HandleHover(50, 50), 0);
    EXPECT_EQ(b.off, 1);
    EXPECT_TRUE(normal->IsVisible());
    EXPECT_FALSE(over->IsVisible());
}

TEST_F(Buttons, OnePictureChangesNothingButStillRaisesEvents) {
    EventButton b;
    ddCanvas* normal = Picture(0, 0, 10, 10);
    b.SetImages(normal, nullptr, nullptr);
    EXPECT_EQ(b.GetOver(), normal);
    EXPECT_EQ(b.GetPressed(), normal);
    EXPECT_EQ(b.HandlePress(5, 5), 1);
    EXPECT_EQ(b.HandleRelease(5, 5), 1);
    EXPECT_EQ(b.clicks, 1);
    EXPECT_EQ(b.releases, 1);
    EXPECT_TRUE(normal->IsVisible());
    EXPECT_EQ(b.GetCurrent(), nullptr);
}

TEST_F(Buttons, PressInsideReleaseOutsideThenTheNextHoverPutsTheOverPictureBack) {
    EventButton b;
    ddCanvas* normal = Picture(0, 0, 10, 10);
    ddCanvas* over = Picture(0, 0, 10, 10);
    ddCanvas* pressed = Picture(0, 0, 10, 10);
    b.SetImages(normal, over, pressed);
    b.HandleHover(5, 5);
    b.HandlePress(5, 5);
    EXPECT_EQ(b.HandleRelease(50, 50), 0);
    EXPECT_EQ(b.clicks, 1);
    EXPECT_EQ(b.releases, 0);
    EXPECT_TRUE(pressed->IsVisible());
    EXPECT_EQ(b.HandleHover(50, 50), 0);
    EXPECT_EQ(b.off, 1);
    EXPECT_EQ(b.GetCurrent(), nullptr);
    EXPECT_FALSE(pressed->IsVisible());
    EXPECT_TRUE(normal->IsVisible());
}

TEST_F(Buttons, DisabledPausedHiddenAndOffsetButtons) {
    EventButton b;
    ddCanvas* normal = Picture(100, 0, 10, 10);
    ddCanvas* over = Picture(100, 0, 10, 10);
    b.SetImages(normal, over, nullptr);
    b.Disable();
    EXPECT_EQ(b.IsShown(), 0);
    normal->Hide();
    b.SetModeFlags(0, 1);  // a disabled button's pictures are hidden: hit it anyway
    EXPECT_EQ(b.HandleHover(105, 5), 1);
    EXPECT_FALSE(over->IsVisible());  // not shown, but the events come
    EXPECT_EQ(b.on, 1);
    EXPECT_EQ(b.HandlePress(105, 5), 1);
    EXPECT_EQ(b.clicks, 1);

    b.Pause();
    EXPECT_EQ(b.HandlePress(105, 5), 0);
    EXPECT_EQ(b.HandleRelease(105, 5), 0);
    EXPECT_EQ(b.HandleHover(0, 0), 0);
    b.Resume();
    b.Reset();
    EXPECT_EQ(b.IsHidden(), 1);
    EXPECT_EQ(b.IsHovered(), 0);
    EXPECT_EQ(b.HandlePress(105, 5), 0);
    EXPECT_EQ(b.HandleHover(105, 5), 0);

    b.Enable();
    b.SetPointOffset(10, 0);
    EXPECT_EQ(b.HandlePress(90, 5), 1);  // tested at x = 100
    EXPECT_EQ(b.HandlePress(99, 5), 1);
    EXPECT_EQ(b.HandlePress(89, 5), 0);
}

TEST_F(Buttons, RectangleButtonIgnoresVisibilityAndHasNoPicture) {
    EventButton b;
    b.SetRect(20, 20, 10, 5);
    EXPECT_EQ(b.GetNormal(), b.GetArea());
    EXPECT_EQ(b.HandlePress(20, 20), 1);
    EXPECT_EQ(b.HandlePress(29, 24), 1);
    EXPECT_EQ(b.HandlePress(30, 24), 0);
    EXPECT_EQ(b.HandlePress(29, 25), 0);
}

TEST_F(Buttons, TopmostOfOverlappingButtonsTakesThePressAndOrderFollowsNewPictures) {
    EventButton first, second;
    ddCanvas* a = Picture(0, 0, 20, 20);
    ddCanvas* b = Picture(0, 0, 20, 20);
    first.SetImages(a, nullptr, nullptr);
    second.SetImages(b, nullptr, nullptr);
    scene->AddButton(&first);
    scene->AddButton(&second);
    // Same layer: the later picture is on top.
    EXPECT_EQ(scene->PressButtons(5, 5), 1);
    EXPECT_EQ(second.clicks, 1);
    EXPECT_EQ(first.clicks, 0);

    // The first button gets a picture drawn above: it now takes the press.
    ddCanvas* top = Picture(0, 0, 20, 20, 3);
    first.SetImages(top, nullptr, nullptr);
    EXPECT_EQ(scene->ButtonAt(0), &first);
    EXPECT_EQ(scene->PressButtons(5, 5), 1);
    EXPECT_EQ(first.clicks, 1);
    EXPECT_EQ(second.clicks, 1);

    // A rectangle is made after both pictures: on top of layer 0... but
    // below layer 3.
    second.SetRect(0, 0, 20, 20);
    EXPECT_EQ(scene->ButtonAt(0), &first);
    // An unregistered button stays out of the scene when its pictures change.
    EventButton loose;
    loose.SetImages(a, nullptr, nullptr);
    EXPECT_EQ(scene->ButtonCount(), 2);
    scene->RemoveButton(&first);
    scene->RemoveButton(&second);
}

TEST_F(Buttons, MovingFromOneButtonOntoAnOverlappingOneKeepsTheHover) {
    EventButton left, right;
    left.SetImages(Picture(0, 0, 20, 20), nullptr, nullptr);
    right.SetImages(Picture(10, 0, 20, 20), nullptr, nullptr);
    scene->AddButton(&left);
    scene->AddButton(&right);
    scene->HoverButtons(5, 5);
    EXPECT_TRUE(scene->IsHovering());
    scene->HoverButtons(25, 5);
    EXPECT_TRUE(scene->IsHovering());
    EXPECT_EQ(left.off, 1);
    EXPECT_EQ(right.on, 1);
    scene->HoverButtons(100, 100);
    EXPECT_FALSE(scene->IsHovering());
    scene->RemoveButton(&left);
    scene->RemoveButton(&right);
}

TEST_F(Buttons, HoverCursorIsSharedAndTheSceneRestoresTheButtonsCursor) {
    ddMouse* mouse = ddMouse::Instance;
    EventButton b;
    b.SetImages(Picture(0, 0, 20, 20), nullptr, nullptr);
    scene->AddButton(&b);
    auto* hand = new ddCanvas(0, 0, 7, 9);
    hand->SetColor(1, 2, 3, 255);
    b.SetHoverCursor(hand);
    scene->HoverButtons(5, 5);
    ASSERT_NE(mouse->GetCursorObraz(), nullptr);
    EXPECT_EQ(mouse->GetCursorObraz()->GetImage()->surface, hand->GetImage()->surface);
    // The button forgets a hover cursor about to go; the mouse keeps its
    // own reference to the pixels.
    b.ForgetPicture(hand);
    delete hand;
    EXPECT_EQ(b.GetHoverCursor(), nullptr);
    EXPECT_EQ(mouse->GetCursorObraz()->GetWidth(), 7);
    uint8_t r = 0, g = 0, bl = 0, a = 0;
    Obraz* cursor = mouse->GetCursorObraz();
    cursor->GetRGBA(cursor->GetPosX(), cursor->GetPosY(), &r, &g, &bl, &a);
    EXPECT_EQ(bl, 3);

    scene->HoverButtons(50, 50);
    ASSERT_NE(ButtonCursorImage(), nullptr);
    EXPECT_EQ(mouse->GetCursorObraz()->GetImage()->surface, ButtonCursorImage()->GetImage()->surface);

    // Without a hover cursor the cursor stays as it is.
    Obraz* before = mouse->GetCursorObraz();
    scene->HoverButtons(5, 5);
    EXPECT_EQ(mouse->GetCursorObraz(), before);
    scene->RemoveButton(&b);
}

TEST_F(Buttons, PicturesThatGoAwayAreForgottenByEveryButton) {
    EventButton a, b;
    ddCanvas* normal = Picture(0, 0, 10, 10);
    auto* over = new ddCanvas(0, 0, 10, 10);
    over->SetColor(255, 255, 255, 255);
    auto* pressed = new ddCanvas(0, 0, 10, 10);
    pressed->SetColor(255, 255, 255, 255);
    a.SetImages(normal, over, pressed);
    b.SetImages(normal, over, nullptr);
    b.SetHoverCursor(over);
    a.HandleHover(5, 5);
    a.HandlePress(5, 5);
    delete over;  // every button forgets it
    EXPECT_EQ(a.GetOver(), normal);
    EXPECT_EQ(a.GetPressed(), pressed);
    EXPECT_EQ(b.GetOver(), normal);
    EXPECT_EQ(b.GetPressed(), normal);
    EXPECT_EQ(b.GetHoverCursor(), nullptr);
    EXPECT_EQ(b.HandleHover(5, 5), 1);
    EXPECT_EQ(a.HandlePress(5, 5), 1);
    EXPECT_EQ(a.HandleRelease(5, 5), 1);

    delete pressed;
    EXPECT_EQ(a.GetPressed(), normal);
    EXPECT_EQ(a.HandleRelease(5, 5), 1);

    // Without its normal picture a button can no longer be hit.
    std::erase_if(pictures, [normal](const auto& p) { return p.get() == normal; });
    EXPECT_EQ(a.GetNormal(), nullptr);
    EXPECT_EQ(a.HandlePress(5, 5), 0);
    EXPECT_EQ(b.HandleHover(50, 50), 0);
}

TEST_F(Buttons, CompareLevelPutsTheTopmostFirst) {
    EventButton low, high, later;
    ddCanvas* p1 = Picture(0, 0, 1, 1, 1);
    ddCanvas* p2 = Picture(0, 0, 1, 1, 2);
    ddCanvas* p3 = Picture(0, 0, 1, 1, 1);
    low.SetImages(p1, nullptr, nullptr);
    high.SetImages(p2, nullptr, nullptr);
    later.SetImages(p3, nullptr, nullptr);
    EXPECT_TRUE(CompareLevel(&low, &high));
    EXPECT_FALSE(CompareLevel(&high, &low));
    EXPECT_TRUE(CompareLevel(&low, &later));
    EXPECT_FALSE(CompareLevel(&later, &low));
    EXPECT_TRUE(CompareLevel(&low, &low));
}

}  // namespace
}  // namespace loop_test
