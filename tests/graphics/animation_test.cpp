// Animation playback: the frame timer, loop, hide and finish, the walker
// hook, frame changes and their hooks, geometry, the cross-fade, the two
// draw modes, hit masks, copies and the empty cases.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "animation_fixture.h"
#include "graphics/animation_walker.h"
#include "graphics/filter.h"

namespace {

// Records the hooks in the order they run.
class Recorder : public Animacja {
public:
    void OnEndFrame() override {
        log.push_back("end" + std::to_string(GetFrameNr()));
        if (onEnd) onEnd(*this);
        Animacja::OnEndFrame();
    }
    void OnSetFrame() override {
        ++setFrames;
        log.push_back("set" + std::to_string(GetFrameNr()));
    }
    void OnStart() override {
        ++starts;
        log.push_back("start");
    }
    void OnFinish() override {
        ++finishes;
        log.push_back("finish");
    }
    std::vector<std::string> log;
    int setFrames = 0, starts = 0, finishes = 0;
    void (*onEnd)(Recorder&) = nullptr;
};

class FakeWalker : public AnimationWalker {
public:
    void Update() override {
        ++updates;
        if (log) log->push_back("walk");
    }
    void ResetAnimaFrame() override {
        ++resets;
        if (anim) anim->Play(-1);
    }
    void ForgetAnimation(Animacja* a) override {
        if (a == anim) anim = nullptr;
        ++forgotten;
    }
    Animacja* anim = nullptr;
    std::vector<std::string>* log = nullptr;
    int updates = 0, resets = 0, forgotten = 0;
};

template <typename T>
void TickN(T& a, int n) {
    for (int i = 0; i < n; ++i) a.Tick();
}

class PlaybackTest : public AnimationTest {};

TEST_F(PlaybackTest, LoopingActionWrapsAndKeepsPlaying) {
    Recorder anim;
    AddPicture(anim, 4, 4, 255, 0, 0);
    AddPicture(anim, 4, 4, 0, 255, 0);
    AddAction(anim, "walk", 3)->SetLoop(1);
    anim.SetDelay(2);
    anim.Play(0);
    EXPECT_EQ(anim.IsPlaying(), 1);
    EXPECT_EQ(anim.starts, 1);
    std::vector<int> frames;
    for (int i = 0; i < 8; ++i) {
        anim.Tick();
        frames.push_back(anim.GetFrameNr());
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 1, 2, 2, 0, 0, 1}));
    EXPECT_EQ(anim.IsPlaying(), 1);
    EXPECT_EQ(anim.finishes, 0);
}

TEST_F(PlaybackTest, NonLoopingActionStopsOnItsLastFrameAndHides) {
    Recorder anim;
    AddPicture(anim, 4, 4, 255, 0, 0);
    AddAction(anim, "a", 1);
    AkcjaAnimacji* b = AddAction(anim, "b", 2);
    anim.SetDelay(1);

    anim.Play(0);
    anim.Tick();
    EXPECT_EQ(anim.IsPlaying(), 0);
    EXPECT_EQ(anim.finishes, 1);
    EXPECT_TRUE(anim.IsVisible());  // no hide flag

    b->SetHide(1);
    anim.Play(1);
    EXPECT_EQ(anim.IsPlaying(), 2);
    EXPECT_EQ(anim.IsPlayingAction(1), 2);
    EXPECT_EQ(anim.IsPlayingAction(0), 0);
    EXPECT_EQ(anim.IsPlayingActionName("b"), 2);
    anim.Tick();
    EXPECT_EQ(anim.GetFrameNr(), 1);
    anim.Tick();
    EXPECT_EQ(anim.IsPlaying(), 0);
    EXPECT_EQ(anim.GetFrameNr(), 1);
    EXPECT_EQ(anim.finishes, 2);
    EXPECT_FALSE(anim.IsVisible());
    // Playing again shows it.
    anim.Play(1);
    EXPECT_TRUE(anim.IsVisible());
    // Stop without notice raises nothing.
    anim.Stop(false);
    EXPECT_EQ(anim.finishes, 2);
}

TEST_F(PlaybackTest, EndFrameHookRunsBeforeTheNextFrameAndMayStop) {
    Recorder anim;
    AddPicture(anim, 4, 4, 255, 0, 0);
    AddAction(anim, "a", 3)->SetLoop(1);
    anim.SetDelay(1);
    anim.Play(0);
    anim.log.clear();
    anim.Tick();
    EXPECT_EQ(anim.log, (std::vector<std::string>{"end0", "set1"}));
    anim.onEnd = [](Recorder& r) { r.Stop(false); };
    anim.Tick();
    EXPECT_EQ(anim.GetFrameNr(), 1);  // stopped before choosing the next frame
    EXPECT_EQ(anim.IsPlaying(), 0);
}

TEST_F(PlaybackTest, HookThatEmptiesTheAnimationEndsTheTick) {
    Recorder anim;
    AddPicture(anim, 4, 4, 255, 0, 0);
    AddAction(anim, "a", 3);
    anim.SetDelay(1);
    anim.Play(0);
    anim.onEnd = [](Recorder& r) {
        r.Clear();
        r.AddNamedAction("empty");
        r.Play(0);
    };
    anim.Tick();
    EXPECT_EQ(anim.GetActionCount(), 1);
    EXPECT_EQ(anim.GetFrameCount(), 0);
    anim.Tick();  // an action without frames does nothing
    anim.Draw();
}

TEST_F(PlaybackTest, EmptyPartsAndZeroDelayDoNothing) {
    Recorder empty;
    empty.Play(0);
    EXPECT_EQ(empty.IsPlaying(), 0);
    EXPECT_EQ(empty.starts, 0);
    empty.Tick();
    empty.Draw();
    empty.SetFrame(3);
    empty.ChangeAction(2);
    EXPECT_EQ(empty.GetImage(), nullptr);
    EXPECT_EQ(empty.GetCurrentFrame(), nullptr);
    EXPECT_EQ(empty.GetActionName(), nullptr);
    EXPECT_EQ(empty.GetFrameName(), nullptr);
    EXPECT_EQ(empty.GetFrameCount(), 0);
    EXPECT_EQ(empty.GetWidth(), video.ScaledWidth);  // its own empty picture
    EXPECT_FALSE(empty.HasBitmask());
    empty.SetBitmask(1);
    empty.SetDrawMode(1, 0);
    empty.Draw();

    Recorder noFrames;
    noFrames.AddNamedAction("a");
    noFrames.Play(0);
    TickN(noFrames, 5);
    EXPECT_EQ(noFrames.finishes, 0);
    EXPECT_EQ(noFrames.GetImage(), nullptr);
    noFrames.Draw();

    Recorder still;
    AddPicture(still, 4, 4, 255, 0, 0);
    AddAction(still, "a", 3);
    still.SetDelay(0);
    still.SetSmooth(true);
    still.Play(0);
    TickN(still, 10);
    EXPECT_EQ(still.GetFrameNr(), 0);
    EXPECT_FALSE(still.IsCrossFadePending());
    still.Draw();

    AkcjaAnimacji lone;
    lone.Play();
    lone.Tick();
    EXPECT_TRUE(lone.IsPlaying());
    EXPECT_EQ(lone.GetCurrentFrame(), nullptr);
}

TEST_F(PlaybackTest, ActionTickedOnItsOwnStopsAfterItsLastFrame) {
    Animacja anim;
    AddPicture(anim, 4, 4, 255, 0, 0);
    AkcjaAnimacji* action = AddAction(anim, "a", 2);
    action->SetDelay(2);
    action->Play();
    TickN(*action, 2);
    EXPECT_EQ(action->GetCurrentFrameNr(), 1);
    TickN(*action, 2);
    EXPECT_FALSE(action->IsPlaying());
    EXPECT_EQ(action->GetCurrentFrameNr(), 1);
    action->Resume();
    EXPECT_TRUE(action->IsPlaying());
    action->Pause();
    EXPECT_FALSE(action->IsPlaying());
}

TEST_F(PlaybackTest, PausedAnimationHoldsItsFrame) {
    Animacja anim;
    AddPicture(anim, 4, 4, 255, 0, 0);
    AddAction(anim, "a", 3)->SetLoop(1);
    anim.SetDelay(1);
    anim.Play(0);
    anim.Pause();
    TickN(anim, 4);
    EXPECT_EQ(anim.GetFrameNr(), 0);
    anim.Resume();
    anim.Tick();
    EXPECT_EQ(anim.GetFrameNr(), 1);
}

TEST_F(PlaybackTest, WalkedAnimationRestartsItsActionInsteadOfStopping) {
    Recorder anim;
    AddPicture(anim, 4, 4, 255, 0, 0);
    AddAction(anim, "go", 2);  // no loop flag
    FakeWalker walker;
    walker.anim = &anim;
    walker.log = &anim.log;
    anim.SetDelay(1);
    anim.Play(0);
    anim.SetPathFinder(&walker);
    anim.log.clear();
    anim.Tick();
    EXPECT_EQ(anim.log, (std::vector<std::string>{"walk", "end0", "set1"}));
    anim.Tick();  // last frame: the walker replays the action
    EXPECT_EQ(walker.resets, 1);
    EXPECT_EQ(anim.IsPlaying(), 1);
    EXPECT_EQ(anim.GetFrameNr(), 0);
    EXPECT_EQ(anim.starts, 2);
    EXPECT_EQ(anim.finishes, 0);
    EXPECT_EQ(walker.updates, 2);

    // Without the walker the same action stops.
    anim.SetPathFinder(nullptr);
    TickN(anim, 2);
    EXPECT_EQ(anim.IsPlaying(), 0);
    EXPECT_EQ(anim.finishes, 1);
}

TEST_F(PlaybackTest, DestroyedAnimationTellsItsWalker) {
    FakeWalker walker;
    {
        Animacja anim;
        walker.anim = &anim;
        anim.SetPathFinder(&walker);
    }
    EXPECT_EQ(walker.forgotten, 1);
    EXPECT_EQ(walker.anim, nullptr);
}

TEST_F(PlaybackTest, FrameChangesAndNames) {
    Recorder anim;
    AddPicture(anim, 4, 4, 255, 0, 0);
    AddAction(anim, "long", 5);
    AddAction(anim, "short", 2);
    AddAction(anim, "long", 1);  // a second of the same name is never found

    EXPECT_EQ(anim.FindAction("short"), 1);
    EXPECT_EQ(anim.FindAction("long"), 0);
    EXPECT_EQ(anim.FindAction("none"), 3);
    EXPECT_EQ(anim.GetNameOfAction(3), nullptr);
    // Same action and frame: the hooks still run.
    anim.SetActionFrame(0, 0);
    anim.SetActionFrame(0, 0);
    EXPECT_EQ(anim.setFrames, 2);

    anim.SetFrame(4);
    EXPECT_EQ(anim.GetFrameName(), std::string("longf4"));
    anim.ChangeAction(1);  // fewer frames than index 4: frame 0
    EXPECT_EQ(anim.GetActionNr(), 1);
    EXPECT_EQ(anim.GetFrameNr(), 0);
    anim.SetFrame(1);
    anim.ChangeActionByName("long");  // keeps the frame index
    EXPECT_EQ(anim.GetActionNr(), 0);
    EXPECT_EQ(anim.GetFrameNr(), 1);
    anim.SetFrame(9);  // out of range: frame 0
    EXPECT_EQ(anim.GetFrameNr(), 0);

    const int before = anim.setFrames;
    anim.PlayByName("none");
    anim.SetFrameByName("none", 1);
    anim.PlaySmoothByName("none");
    EXPECT_EQ(anim.setFrames, before);
    EXPECT_EQ(anim.IsPlaying(), 0);
    EXPECT_EQ(anim.GetSmooth(), 0);

    EXPECT_EQ(anim.GetActionFrameName(-1, 2), std::string("longf2"));  // -1: the current action
    EXPECT_EQ(anim.GetActionFrameName(1, 2), nullptr);
    EXPECT_EQ(anim.FindActionFrame(8, "longf3"), -1);

    // Play with an action out of range plays the current one.
    anim.ChangeAction(1);
    anim.Play(42);
    EXPECT_EQ(anim.IsPlaying(), 2);
}

TEST_F(PlaybackTest, PositionHotSpotAndDrawing) {
    Animacja anim;
    AddPicture(anim, 4, 3, 255, 0, 0);
    AddPicture(anim, 6, 5, 0, 0, 255);
    AddAction(anim, "a", 2);  // hot spots (0,0) and (1,2)
    anim.SetPos(20, 30);
    anim.SetFrame(1);
    EXPECT_EQ(anim.GetX(), 21);
    EXPECT_EQ(anim.GetY(), 32);
    EXPECT_EQ(anim.GetWidth(), 6);
    EXPECT_EQ(anim.GetHeight(), 5);
    EXPECT_EQ(anim.GetPosX(), 20);
    EXPECT_EQ(anim.GetLodX(), 1);
    EXPECT_EQ(anim.GetLodY(), 2);
    EXPECT_TRUE(anim.IsIn(22, 33, 0, 0));
    EXPECT_FALSE(anim.IsIn(20, 30, 0, 0));

    FillScreen(0, 0, 0);
    anim.Draw();
    Uint8 r, g, b;
    ScreenRGB(21, 32, &r, &g, &b);
    EXPECT_EQ(b, 255);
    ScreenRGB(20, 31, &r, &g, &b);
    EXPECT_EQ(b, 0);

    anim.SetFrame(0);
    FillScreen(0, 0, 0);
    anim.Draw();
    ScreenRGB(20, 30, &r, &g, &b);
    EXPECT_EQ(r, 255);
    ScreenRGB(24, 30, &r, &g, &b);
    EXPECT_EQ(r, 0);

    anim.Hide();
    FillScreen(0, 0, 0);
    anim.Draw();
    ScreenRGB(20, 30, &r, &g, &b);
    EXPECT_EQ(r, 0);
}

TEST_F(PlaybackTest, SmoothPlayCrossFadesByTheFrameTimer) {
    Animacja anim;
    AddPicture(anim, 4, 4, 255, 0, 0);
    AddPicture(anim, 4, 4, 0, 0, 255);
    AddAction(anim, "a", 2)->SetLoop(1);
    // Same hot spot for both frames: only the colour differs.
    anim.GetAction(0)->GetFrame(1)->SetLod(0, 0);
    anim.SetPos(10, 10);
    anim.SetDelay(4);
    anim.PlaySmooth(0);
    EXPECT_EQ(anim.GetSmooth(), 1);

    const int expected[3][2] = {{255, 63}, {191, 127}, {127, 191}};
    for (int i = 0; i < 3; ++i) {
        anim.Tick();
        ASSERT_TRUE(anim.IsCrossFadePending()) << i;
        if (i == 0) {
            // A snapshot shows the frame as it is: the fade moves the frames
            // on, which is the screen's drawing's to do.
            Image shot;
            GraphAPI::CreateImage(&shot, 20, 20);
            GraphAPI::ScopedDrawTarget into(shot.surface);
            anim.Draw();
            ASSERT_TRUE(anim.IsCrossFadePending());
            EXPECT_EQ(GraphAPI::GetPixel(shot.surface, 11, 11) & 0xFFFFFFu, 0xFF0000u);
        }
        FillScreen(0, 0, 0);
        anim.Draw();
        EXPECT_FALSE(anim.IsCrossFadePending());
        EXPECT_EQ(anim.GetLastFadeOpacityA(), expected[i][0]);
        EXPECT_EQ(anim.GetLastFadeOpacityB(), expected[i][1]);
        EXPECT_EQ(anim.GetFrameNr(), 0);  // the shown frame is put back
        Uint8 r, g, b;
        ScreenRGB(11, 11, &r, &g, &b);
        // Red at A's weight, then blue over it at B's.
        const int red = expected[i][0] * (255 - expected[i][1]) / 255;
        EXPECT_NEAR(r, red, 3) << i;
        EXPECT_NEAR(b, expected[i][1], 3) << i;
        EXPECT_EQ(anim.GetLinkedFilter(), nullptr);
    }
    anim.Tick();  // the frame is over
    EXPECT_EQ(anim.GetFrameNr(), 1);

    anim.SetSmooth(false);
    anim.Tick();
    EXPECT_FALSE(anim.IsCrossFadePending());
}

TEST_F(PlaybackTest, SmoothPlayWithoutChangeNeedsNoCrossFade) {
    Animacja anim;
    AddPicture(anim, 4, 4, 255, 0, 0);
    AkcjaAnimacji* action = anim.AddNamedAction("a");
    action->AddFrameFromFile(anim.GetBankImage(0), 0, "x", 0, 0);
    action->AddFrameFromFile(anim.GetBankImage(0), 0, "y", 0, 0);
    anim.SetDelay(3);
    anim.PlaySmooth(0);
    anim.Tick();
    EXPECT_FALSE(anim.IsCrossFadePending());
    // At the last frame of a non-looping action there is no next frame.
    anim.SetFrame(1);
    anim.GetAction(0)->GetFrame(0)->SetLod(5, 0);
    anim.Tick();
    EXPECT_FALSE(anim.IsCrossFadePending());
    action->SetLoop(1);
    anim.Tick();  // the frame is over: back to frame 0
    EXPECT_EQ(anim.GetFrameNr(), 0);
    anim.SetFrame(1);
    anim.Tick();  // a looping action's next frame is its first
    EXPECT_TRUE(anim.IsCrossFadePending());
}

TEST_F(PlaybackTest, AdditiveDrawModeAddsThePictureToTheScreen) {
    auto check = [](Animacja& anim) {
        FillScreen(100, 100, 100);
        anim.Draw();
        Uint8 r, g, b;
        ScreenTest::ScreenRGB(6, 6, &r, &g, &b);
        EXPECT_EQ(r, 198);  // (100 * 254 + 100 * 255) >> 8
        EXPECT_EQ(g, 99);
        ScreenTest::ScreenRGB(4, 4, &r, &g, &b);
        EXPECT_EQ(r, 100);  // outside the picture
    };
    auto anim = std::make_unique<Animacja>();
    AddPicture(*anim, 4, 4, 100, 0, 0);
    AddAction(*anim, "a", 1);
    anim->SetPos(5, 5);
    anim->SetDrawMode(1, 0);
    EXPECT_EQ(anim->GetDrawMode(), 1);
    ASSERT_NE(anim->GetCurrentFrame()->GetConverted(), nullptr);
    check(*anim);
    check(*anim);  // the scratch room is reused

    // A copy has no bank of its own: it draws straight onto the screen.
    Animacja copy;
    copy.CopyFrom(*anim);
    anim.reset();
    copy.SetDrawMode(1, 0);
    EXPECT_EQ(copy.GetCurrentFrame()->GetConverted(), nullptr);
    check(copy);

    copy.SetDrawMode(0, 0);
    FillScreen(100, 100, 100);
    copy.Draw();
    Uint8 r, g, b;
    ScreenRGB(6, 6, &r, &g, &b);
    EXPECT_EQ(r, 100);
    EXPECT_EQ(g, 0);
}

TEST_F(PlaybackTest, HitMasksReachEveryFrameAndCopies) {
    auto anim = std::make_unique<Animacja>();
    Image* half = MakePicture(4, 4, 255, 0, 0);
    // The right half is transparent.
    SDL_Rect clear{2, 0, 2, 4};
    SDL_FillRect(half->surface, &clear, SDL_MapRGBA(half->surface->format, 0, 0, 0, 0));
    anim->AddBankImage(half);
    AddAction(*anim, "a", 2);
    EXPECT_FALSE(anim->HasBitmask());
    anim->SetBitmask(1);
    EXPECT_TRUE(anim->HasBitmask());
    EXPECT_EQ(anim->GetMaskMargin(), 1);
    EXPECT_EQ(anim->GetCurrentFrame()->GetMaskMargin(), 1);
    EXPECT_NE(anim->GetCurrentFrame()->GetImage()->bitmask, nullptr);
    EXPECT_TRUE(anim->IsIn(0, 0, 0, 1));
    EXPECT_FALSE(anim->IsIn(3, 1, 0, 1));

    Animacja copy;
    copy.CopyFrom(*anim);
    anim.reset();  // the pictures the copy shows stay alive
    copy.SetBitmask(0);
    EXPECT_NE(copy.GetCurrentFrame()->GetImage()->bitmask, nullptr);
    EXPECT_FALSE(copy.HasBitmask());  // no bank of its own
    copy.Draw();
}

TEST_F(PlaybackTest, CopyTakesActionsPositionAndVisibility) {
    auto anim = std::make_unique<Animacja>();
    AddPicture(*anim, 4, 4, 0, 255, 0);
    AddAction(*anim, "a", 2)->SetLoop(1);
    AddAction(*anim, "b", 1)->SetHide(1);
    anim->GetAction(0)->SetFrameSound(1, "boom");
    anim->SetLayer(7);
    anim->SetDelay(3);
    anim->SetPos(40, 50);
    anim->SetActionFrame(1, 0);
    anim->SetUserData(99);
    anim->Hide();

    Animacja copy(*anim);
    anim.reset();
    EXPECT_EQ(copy.GetActionCount(), 2);
    EXPECT_EQ(copy.GetActionNr(), 1);
    EXPECT_EQ(copy.GetLayer(), 7);
    EXPECT_EQ(copy.GetDelay(), 3);
    EXPECT_FALSE(copy.IsVisible());
    EXPECT_EQ(copy.GetUserData(), 99);
    EXPECT_EQ(copy.GetAction(0)->GetLoop(), 1);
    EXPECT_EQ(copy.GetAction(0)->GetFrameSound(1), std::string("boom"));
    EXPECT_EQ(copy.GetBankCount(), 0);
    copy.Show();
    copy.SetFrame(0);
    FillScreen(0, 0, 0);
    copy.Draw();
    Uint8 r, g, b;
    ScreenRGB(40, 50, &r, &g, &b);
    EXPECT_EQ(g, 255);

    copy.CopyFrom(copy);  // itself: nothing changes
    EXPECT_EQ(copy.GetActionCount(), 2);

    EXPECT_EQ(copy.GrowArray(3), 3);
    EXPECT_EQ(copy.GetArrayCount(), 3);
    ASSERT_NE(copy.GetArrayElement(2), nullptr);
    EXPECT_EQ(copy.GetArrayElement(2)->GetActionCount(), 2);
    EXPECT_EQ(copy.GetArrayElement(3), nullptr);
}

TEST_F(PlaybackTest, BankPicturesAndActionEditing) {
    Animacja anim;
    Image* red = MakePicture(2, 2, 255, 0, 0);
    EXPECT_EQ(anim.AddBankImage(red), 0);
    Image sharer;
    sharer.ShareFrom(*red);
    EXPECT_EQ(anim.AddBankImage(&sharer), 0);  // same surface: the old index
    EXPECT_EQ(anim.AddBankImage(nullptr), -1);
    Image none;
    EXPECT_EQ(anim.AddBankImage(&none), -1);
    EXPECT_EQ(anim.GetBankCount(), 1);

    AddAction(anim, "a", 1);
    AddAction(anim, "b", 3);
    AddAction(anim, "c", 2);
    anim.SwapActions(0, 2);
    EXPECT_EQ(anim.GetNameOfAction(0), std::string("c"));
    anim.InsertActionCopy(0, anim.GetAction(1));
    EXPECT_EQ(anim.GetNameOfAction(1), std::string("b"));
    EXPECT_EQ(anim.GetActionFrameCount(1), 3);
    anim.SetActionFrame(3, 0);
    anim.RemoveAction(3);
    EXPECT_EQ(anim.GetActionNr(), 2);  // kept within the actions
    anim.RemoveAction(9);
    EXPECT_EQ(anim.GetActionCount(), 3);

    AkcjaAnimacji* b = anim.GetAction(1);
    b->SetFrameSound(1, "s1");
    b->SetFrameSound(5, "out of range");
    b->SwapFrames(0, 1);
    EXPECT_EQ(b->GetFrameName(0), std::string("bf1"));
    EXPECT_EQ(b->GetFrameSound(0), std::string("s1"));  // sounds move with their frames
    b->InsertFrameCopy(0, b->GetFrame(2));
    EXPECT_EQ(b->GetFrameName(1), std::string("bf2"));
    EXPECT_EQ(b->GetFrameSound(1), nullptr);
    anim.AddFrameCopyByName("c", b->GetFrame(0));
    EXPECT_EQ(anim.GetActionFrameCountByName("c"), 3);
    EXPECT_EQ(anim.AddFrameCopy(17, b->GetFrame(0)), nullptr);

    // Taking the bank over, as merging another definition does.
    Animacja other;
    for (int i = 0; i < anim.GetBankCount(); ++i) other.AddBankImage(anim.GetBankImage(i));
    other.AddActionCopy(anim.GetAction(0));
    anim.ReleaseBank();
    EXPECT_EQ(anim.GetBankCount(), 0);
    EXPECT_EQ(other.GetBankCount(), 1);
}

TEST_F(PlaybackTest, LinkedFilterFollowsFrameChanges) {
    Animacja anim;
    AddPicture(anim, 4, 4, 255, 0, 0);
    AddPicture(anim, 8, 6, 0, 0, 255);
    AkcjaAnimacji* action = AddAction(anim, "a", 2);
    anim.SetPos(50, 50);
    ddFilter filter;
    filter.SetZoom(2.0);
    filter.Link(&anim);
    EXPECT_EQ(anim.GetLodX(), 0);  // the filter places the picture
    EXPECT_EQ(filter.GetOutputImage()->w, 8);
    anim.SetFrame(1);  // another picture: the output is remade
    EXPECT_EQ(filter.GetOutputImage()->w, 16);
    EXPECT_EQ(filter.GetOutputImage()->h, 12);
    // Same picture at another hot spot: the output is placed anew.
    action->GetFrame(0)->SetImageRef(anim.GetBankImage(1));
    action->GetFrame(0)->SetLod(9, 9);
    const int x = filter.GetOutputImage()->x;
    anim.SetFrame(0);
    EXPECT_EQ(filter.GetOutputImage()->w, 16);
    EXPECT_NE(filter.GetOutputImage()->x, x);
    FillScreen(0, 0, 0);
    anim.Draw();  // through the filter
    filter.Unlink();
    EXPECT_EQ(anim.GetLodX(), 9);
}

}  // namespace
