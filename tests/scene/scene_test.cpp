// The scene's lists of drawables, timers, sounds and buttons: drawing order,
// redraw requests, entries that come and go during a walk, hit tests, real
// timers and sounds driven and collected by it, and objects withdrawn or
// carried over to the next scene.
#include "scene/scene.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "audio/audio_state.h"
#include "audio/audio_support.h"
#include "audio/sound.h"
#include "foundation/object_gone.h"
#include "graphics/display_format.h"
#include "graphics/graph_api.h"
#include "graphics/stage.h"
#include "graphics/timer.h"
#include "platform/input_state.h"

namespace {

// Every per-frame update and draw, in one shared log.
using Log = std::vector<std::string>;

class Recorder : public Obraz {
public:
    Recorder(Log& l, std::string n, int layer) : log(l), name(std::move(n)) {
        Obraz::SetLayer(layer);
        picture.x = picture.y = 0;
        picture.w = picture.h = 10;
    }
    void Draw() override {
        const SDL_Surface* into = GraphAPI::CurrentDrawPlace().surface;  // no screen here
        log.push_back("draw " + name + (into ? " into " + std::to_string(into->w) : ""));
    }
    void Tick() override {
        log.push_back("tick " + name);
        if (onTick) onTick();
    }
    bool IsIn(int x, int y, int, int) override { return x >= hitX0 && x < hitX1 && y >= 0; }

    Log& log;
    std::string name;
    std::function<void()> onTick;
    int hitX0 = 0, hitX1 = 0;
};

std::vector<std::string> Draws(const Log& log) {
    std::vector<std::string> d;
    for (const auto& e : log)
        if (e.rfind("draw ", 0) == 0) d.push_back(e.substr(5));
    return d;
}

class FakeCursor : public SceneCursor {
public:
    explicit FakeCursor(std::vector<std::string>& l) : log(l) {}
    void ClearRectUpdate() override { log.push_back("clear"); }
    void RequestRectUpdate() override { log.push_back("rect"); }
    void RequestRestore() override { log.push_back("restore"); }
    void Draw() override { log.push_back("cursor"); }
    std::vector<std::string>& log;
};

std::vector<std::string>* g_cursorLog = nullptr;
int g_cursorsMade = 0;
SceneCursor* MakeCursor() {
    ++g_cursorsMade;
    return new FakeCursor(*g_cursorLog);
}

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_cursorLog = &cursorLog;
        SceneCursor::Factory = MakeCursor;
        scene = new ddScene;
        staged.emplace(*scene);
        Flags().BlitAfterRedraw = 0;
    }
    void TearDown() override {
        staged.reset();
        delete scene;
        SceneCursor::Factory = nullptr;
    }
    FrameFlags& Flags() { return scene->Flags(); }
    AudioState audio;
    ScopedAudio playing{audio};
    InputState inputState;  // fresh for each test
    ScopedInputState inputInstalled{inputState};
    ddScene* scene = nullptr;
    std::optional<ScopedScene> staged;
    std::vector<std::string> cursorLog;
    Log log;
};

TEST_F(SceneTest, DrawsByLayerThenCreationOrder) {
    Recorder a(log, "A", 5), b(log, "B", 5), c(log, "C", 4);
    scene->AddDrawable(&b);
    scene->AddDrawable(&a);
    scene->AddDrawable(&c);
    scene->AddDrawable(&a);
    EXPECT_EQ(scene->DrawableCount(), 3) << "adding twice leaves one entry";
    EXPECT_EQ(scene->DrawableAt(0), &c);
    EXPECT_EQ(scene->DrawableAt(1), &a);
    EXPECT_EQ(scene->DrawableAt(2), &b);
    scene->Frame();
    EXPECT_EQ(Draws(log), (std::vector<std::string>{"C", "A", "B"}));

    // A layer change re-sorts at the next frame.
    log.clear();
    a.SetLayer(6);
    EXPECT_EQ(Flags().ResortRequested, 1);
    scene->Frame();
    EXPECT_EQ(Draws(log), (std::vector<std::string>{"C", "B", "A"}));
    EXPECT_EQ(Flags().RedrawRequested, 0);

    // A snapshot draws the others in drawing order (a new layer counts at
    // once) into its picture, without the cursor; then drawing goes back.
    SDL_Surface* picture = GraphAPI::CreateSurface32(3, 1, true);
    log.clear();
    cursorLog.clear();
    c.SetLayer(7);
    scene->DrawSnapshot(picture, &b);
    SDL_FreeSurface(picture);
    EXPECT_EQ(Draws(log), (std::vector<std::string>{"A into 3", "C into 3"}));
    EXPECT_TRUE(cursorLog.empty());
    log.clear();
    scene->Frame();
    EXPECT_EQ(Draws(log), (std::vector<std::string>{"B", "A", "C"}));
}

TEST_F(SceneTest, RedrawFlags) {
    // No drawables: nothing happens, the request stays.
    scene->Frame();
    EXPECT_EQ(Flags().RedrawRequested, 1);
    EXPECT_TRUE(cursorLog.empty());

    Recorder a(log, "A", 0);
    scene->AddDrawable(&a);
    scene->Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"tick A", "draw A"}));
    EXPECT_EQ(cursorLog, (std::vector<std::string>{"clear", "cursor"}));

    // Nothing requested: update only, no drawing at all.
    log.clear();
    cursorLog.clear();
    scene->Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"tick A"}));
    EXPECT_TRUE(cursorLog.empty());

    // Only the mouse moved: just the cursor.
    inputState.MouseMoved = 1;
    scene->Frame();
    EXPECT_EQ(cursorLog, (std::vector<std::string>{"restore", "rect", "cursor"}));
    inputState.MouseMoved = 0;

    // Updates switched off: still drawn on request.
    log.clear();
    Flags().UpdateRequested = 0;
    SetRedraw();
    scene->Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"draw A"}));

    // Removing an unregistered drawable still asks for a redraw.
    Flags().RedrawRequested = 0;
    Recorder stranger(log, "S", 0);
    scene->RemoveDrawable(&stranger);
    EXPECT_EQ(Flags().RedrawRequested, 1);
}

TEST_F(SceneTest, NestedFrameOnlyRequestsARedraw) {
    Recorder a(log, "A", 0);
    a.onTick = [&] { scene->Frame(); };
    scene->AddDrawable(&a);
    Flags().RedrawRequested = 0;
    scene->Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"tick A", "draw A"}));
}

TEST_F(SceneTest, DrawablesMayComeAndGoDuringTheUpdate) {
    auto* a = new Recorder(log, "A", 0);
    auto* b = new Recorder(log, "B", 0);
    auto* c = new Recorder(log, "C", 0);
    Recorder* late = nullptr;
    scene->AddDrawable(a);
    scene->AddDrawable(b);
    scene->AddDrawable(c);
    a->onTick = [&] {
        delete b;  // a later entry of the walk goes away
        b = nullptr;
        late = new Recorder(log, "L", -1);
        scene->AddDrawable(late);
    };
    c->onTick = [&] {
        Recorder* self = c;
        c = nullptr;
        scene->RemoveDrawable(self);
        delete self;  // itself, from its own update (nothing of it is used after)
    };
    scene->Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"tick A", "tick C", "draw L", "draw A"}));
    EXPECT_EQ(scene->DrawableCount(), 2);
    EXPECT_EQ(scene->DrawableSlots(), 2);
    EXPECT_EQ(scene->DrawableAt(0), late);
    a->onTick = nullptr;
    delete a;
    delete late;
    EXPECT_EQ(scene->DrawableCount(), 0);
}

TEST_F(SceneTest, DrawablesAddedWhileDrawingShowAtTheNextFrame) {
    Recorder* added = nullptr;
    struct Adder : Recorder {
        using Recorder::Recorder;
        std::function<void()> onDraw;
        void Draw() override {
            Recorder::Draw();
            if (onDraw) onDraw();
        }
    } a(log, "A", 0);
    a.onDraw = [&] {
        if (added) return;
        added = new Recorder(log, "N", 1);
        scene->AddDrawable(added);
    };
    scene->AddDrawable(&a);
    scene->Frame();
    EXPECT_EQ(Flags().RedrawRequested, 1) << "the new drawable still has to be drawn";
    log.clear();
    scene->Frame();
    EXPECT_EQ(Draws(log), (std::vector<std::string>{"A", "N"}));
    delete added;
}

TEST_F(SceneTest, DestroyedSceneIsNotTouchedByLaterDestructors) {
    auto* a = new Recorder(log, "A", 0);
    scene->AddDrawable(a);
    delete scene;
    scene = nullptr;
    delete a;  // no scene to leave
}

TEST_F(SceneTest, FindTopmostAt) {
    EXPECT_EQ(scene->FindTopmostAt(0, 0, 0, 0, -100, 100), nullptr);
    Recorder bg(log, "bg", 0), low(log, "low", 2), high(log, "high", 5), high2(log, "high2", 5);
    bg.hitX0 = 1000, bg.hitX1 = 1001;  // never hit
    low.hitX0 = 0, low.hitX1 = 50;
    high.hitX0 = 40, high.hitX1 = 60;
    high2.hitX0 = 45, high2.hitX1 = 48;
    for (Recorder* r : {&high2, &bg, &high, &low}) scene->AddDrawable(r);
    scene->Sort();
    EXPECT_EQ(scene->FindTopmostAt(10, 0, 0, 0, 0, 10), &low);
    EXPECT_EQ(scene->FindTopmostAt(45, 0, 0, 0, 0, 10), &high2);
    EXPECT_EQ(scene->FindTopmostAt(42, 0, 0, 0, 0, 10), &high);
    EXPECT_EQ(scene->FindTopmostAt(42, 0, 0, 0, 0, 4), &low) << "layers above the range are not asked";
    EXPECT_EQ(scene->FindTopmostAt(500, 0, 0, 0, 0, 10), &bg) << "the background answers when nothing is hit";
    EXPECT_EQ(scene->FindTopmostAt(500, 0, 0, 0, 1, 10), nullptr);
}

class CountingTimer : public StageTimer {
public:
    void Update() override {
        ++updates;
        if (onUpdate) onUpdate();
    }
    int updates = 0;
    std::function<void()> onUpdate;
};

TEST_F(SceneTest, TimersMayDeleteTimersDuringTheirUpdate) {
    auto* t1 = new CountingTimer;
    auto* t2 = new CountingTimer;
    auto* t3 = new CountingTimer;
    CountingTimer* extra = nullptr;
    scene->AddTimer(t1);
    scene->AddTimer(t2);
    scene->AddTimer(t3);
    scene->AddTimer(t1);
    EXPECT_EQ(scene->TimerCount(), 3);
    t1->onUpdate = [&] {
        delete t2;  // unregisters itself
        t2 = nullptr;
        extra = new CountingTimer;
        scene->AddTimer(extra);
    };
    t3->onUpdate = [&] {
        CountingTimer* self = t3;
        t3 = nullptr;
        delete self;  // itself, from its own update
    };
    scene->UpdateTimers();
    EXPECT_EQ(scene->TimerCount(), 2);
    EXPECT_EQ(extra->updates, 0) << "additions take effect on the next walk";
    t1->onUpdate = nullptr;
    scene->UpdateTimers();
    EXPECT_EQ(t1->updates, 2);
    EXPECT_EQ(extra->updates, 1);

    scene->PauseAll();
    EXPECT_TRUE(t1->IsPaused());
    scene->ResumeAll();
    EXPECT_FALSE(extra->IsPaused());
    delete t1;
    delete extra;
    EXPECT_EQ(scene->TimerCount(), 0);
}

struct TimerCounts {
    int ticks = 0, finishes = 0;
};
void CountTick(intptr_t counts, Sygnal*) { ++reinterpret_cast<TimerCounts*>(counts)->ticks; }
void CountTimerFinish(intptr_t counts, Sygnal*) { ++reinterpret_cast<TimerCounts*>(counts)->finishes; }

TEST_F(SceneTest, TheSceneDrivesAndPausesItsTimers) {
    TimerCounts counts;
    ddTimery timer;
    timer.SetUserData(reinterpret_cast<intptr_t>(&counts));
    timer.SetTickCallback(CountTick);
    timer.SetFinishCallback(CountTimerFinish);
    scene->AddTimer(&timer);
    timer.SetFrameInterval(1);
    timer.SetRepeatCount(3);
    timer.Start();
    scene->UpdateTimers();
    scene->PauseAll();
    scene->UpdateTimers();
    EXPECT_EQ(counts.ticks, 1);
    scene->ResumeAll();
    scene->UpdateTimers();
    EXPECT_EQ(counts.ticks, 2);
    EXPECT_EQ(counts.finishes, 0);
    scene->RemoveTimer(&timer);
    scene->UpdateTimers();
    EXPECT_EQ(counts.finishes, 0);
}

class FakeSound : public StageSound {
public:
    void OnFinished() override { ++finishes; }
    void SetVolume(int v) override { volume = v; }
    int finishes = 0;
    int volume = -1;
};

TEST_F(SceneTest, FinishedSoundsAreCollectedUnlessPaused) {
    FakeSound a, b;
    scene->AddSound(&a);
    scene->AddSound(&b);
    scene->AddSound(nullptr);
    EXPECT_EQ(scene->SoundCount(), 2);
    a.finished = 1;
    b.finished = 1;
    b.Pause();
    scene->CheckSounds();
    EXPECT_EQ(a.finishes, 1);
    EXPECT_EQ(a.finished.load(), 0);
    EXPECT_EQ(b.finishes, 0);
    EXPECT_EQ(b.finished.load(), 1) << "a paused sound keeps its mark";
    b.Resume();
    scene->CheckSounds();
    EXPECT_EQ(b.finishes, 1);

    scene->SetVolume(250);
    EXPECT_EQ(audio.SoundVolume, 100);
    EXPECT_EQ(a.volume, 100);
    scene->SetVolume(40);
    EXPECT_EQ(b.volume, 40);
    scene->RemoveSound(&a);
    EXPECT_EQ(scene->SoundCount(), 1);
}

// A real sound on the dummy audio driver, its mark made by the mixer.
class SceneSoundTest : public audio_test::AudioTest {};

int g_soundFinishes = 0;
void CountSoundFinish(intptr_t, Sygnal*) { ++g_soundFinishes; }

TEST_F(SceneSoundTest, NaturalEndIsCollectedByTheScene) {
    g_soundFinishes = 0;
    const std::string shortWav = dir.File("short.wav"), longWav = dir.File("long.wav");
    audio_test::WriteWav(shortWav, audio_test::FramesFor(10));
    ddScene scene;
    auto s = std::make_unique<Dzwieki>();
    s->SetFinishCallback(CountSoundFinish);
    s->Load(shortWav.c_str());
    scene.AddSound(s.get());
    s->Play(0);
    ASSERT_TRUE(audio_test::WaitFor([&] { return s->GetFinished() != 0; }));
    EXPECT_EQ(s->GetFinished(), 1);
    EXPECT_FALSE(s->IsPlaying());
    EXPECT_EQ(s->GetChannel(), -1);
    for (auto& entry : audio.ChannelTable) EXPECT_NE(entry.load(), s.get());

    // A paused sound keeps its mark until resumed.
    s->Pause();
    scene.CheckSounds();
    EXPECT_EQ(g_soundFinishes, 0);
    s->Resume();
    scene.CheckSounds();
    EXPECT_EQ(g_soundFinishes, 1);
    EXPECT_EQ(s->GetFinished(), 0);
    scene.CheckSounds();
    EXPECT_EQ(g_soundFinishes, 1);

    // Stop(1) is collected at the next check; Stop(0) never is.
    audio_test::WriteWav(longWav, audio_test::FramesFor(3000));
    s->Load(longWav.c_str());
    s->Play(0);
    s->Stop(0);
    scene.CheckSounds();
    EXPECT_EQ(g_soundFinishes, 1);
    s->Play(0);
    s->Stop(1);
    scene.CheckSounds();
    EXPECT_EQ(g_soundFinishes, 2);
    scene.RemoveSound(s.get());
}

class FakeButton : public SceneButton {
public:
    FakeButton(std::vector<std::string>& l, std::string n, int layer, int id, int x0, int x1)
        : log(l), name(std::move(n)), from(x0), to(x1) {
        sortLayer = layer;
        sortId = id;
    }
    int HandlePress(int x, int) override {
        log.push_back("press " + name);
        return x >= from && x < to;
    }
    int HandleRelease(int x, int) override {
        log.push_back("release " + name);
        return x >= from && x < to;
    }
    int HandleHover(int x, int) override { return x >= from && x < to; }
    void Pause() override { log.push_back("pause " + name); }
    void Resume() override { log.push_back("resume " + name); }
    std::vector<std::string>& log;
    std::string name;
    int from, to;
};

int g_restores = 0;
void CountRestore() { ++g_restores; }

TEST_F(SceneTest, ButtonsTopmostFirst) {
    std::vector<std::string> log;
    FakeButton low(log, "low", 1, 10, 0, 100), top(log, "top", 3, 5, 50, 60),
        sameLayerLater(log, "later", 1, 20, 0, 10);
    scene->AddButton(&low);
    scene->AddButton(&top);
    scene->AddButton(&sameLayerLater);
    scene->AddButton(&low);
    ASSERT_EQ(scene->ButtonCount(), 3);
    EXPECT_EQ(scene->ButtonAt(0), &top);
    EXPECT_EQ(scene->ButtonAt(1), &sameLayerLater);
    EXPECT_EQ(scene->ButtonAt(2), &low);
    EXPECT_TRUE(CompareLevel(&low, &top));
    EXPECT_FALSE(CompareLevel(&top, &low));

    EXPECT_EQ(scene->PressButtons(55, 0), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"press top"}));
    log.clear();
    EXPECT_EQ(scene->ReleaseButtons(30, 0), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"release top", "release later", "release low"}));
    EXPECT_EQ(scene->PressButtons(500, 0), 0);

    g_restores = 0;
    SceneButton::CursorRestorer = CountRestore;
    scene->HoverButtons(55, 0);
    EXPECT_TRUE(scene->IsHovering());
    scene->HoverButtons(5, 0);  // straight onto other buttons: no restore
    EXPECT_EQ(g_restores, 0);
    scene->HoverButtons(500, 0);
    EXPECT_FALSE(scene->IsHovering());
    EXPECT_EQ(g_restores, 1);
    scene->HoverButtons(500, 0);
    EXPECT_EQ(g_restores, 1);
    scene->ResetHover();
    EXPECT_EQ(g_restores, 2);
    SceneButton::CursorRestorer = nullptr;

    log.clear();
    scene->PauseAll();
    EXPECT_EQ(log, (std::vector<std::string>{"pause top", "pause later", "pause low"}));
    scene->RemoveButton(&top);
    EXPECT_EQ(scene->ButtonCount(), 2);
}

// A script object deleted while it cannot be destroyed yet is announced
// withdrawn: it leaves every list at once, even in the middle of a walk, and
// its later destruction finds nothing to leave. What a scene still lists when
// it goes may join the next scene.
TEST_F(SceneTest, WithdrawnObjectsLeaveAtOnceAndMayJoinTheNextScene) {
    std::vector<std::string> pressed;
    Recorder picture(log, "P", 0);
    CountingTimer walker, withdrawnDuringWalk;
    FakeSound sound;
    FakeButton button(pressed, "b", 0, 1, 0, 100);
    scene->AddDrawable(&picture);
    scene->AddTimer(&walker);
    scene->AddTimer(&withdrawnDuringWalk);
    scene->AddSound(&sound);
    scene->AddButton(&button);

    walker.onUpdate = [&] { AnnounceGone(withdrawnDuringWalk, GoneReason::Withdrawn); };
    scene->UpdateTimers();
    EXPECT_EQ(withdrawnDuringWalk.updates, 0) << "a later entry of the walk is skipped";
    EXPECT_EQ(scene->TimerCount(), 1);
    walker.onUpdate = nullptr;

    AnnounceGone(picture, GoneReason::Withdrawn);
    AnnounceGone(sound, GoneReason::Withdrawn);
    AnnounceGone(button, GoneReason::Withdrawn);
    EXPECT_EQ(scene->DrawableCount(), 0);
    EXPECT_EQ(scene->SoundCount(), 0);
    EXPECT_EQ(scene->ButtonCount(), 0);
    EXPECT_EQ(scene->PressButtons(5, 0), 0);
    EXPECT_TRUE(pressed.empty());
    scene->Frame();
    EXPECT_TRUE(Draws(log).empty());

    // Taken out, an object may come back; still listed when its scene goes,
    // it joins the next one.
    auto addAll = [&] {
        scene->AddDrawable(&picture);
        scene->AddTimer(&withdrawnDuringWalk);
        scene->AddSound(&sound);
        scene->AddButton(&button);
        EXPECT_EQ(scene->DrawableCount(), 1);
        EXPECT_EQ(scene->TimerCount(), 2);
        EXPECT_EQ(scene->SoundCount(), 1);
        EXPECT_EQ(scene->ButtonCount(), 1);
    };
    addAll();
    staged.reset();
    delete scene;
    scene = new ddScene;
    staged.emplace(*scene);
    scene->AddTimer(&walker);
    addAll();
}

TEST_F(SceneTest, PauseAllReachesDrawablesAndTheMouseIsRecreated) {
    Recorder a(log, "A", 0);
    scene->AddDrawable(&a);
    scene->PauseAll();
    EXPECT_TRUE(a.IsPaused());
    scene->ResumeAll();
    EXPECT_FALSE(a.IsPaused());

    const int before = g_cursorsMade;
    scene->RecreateMouse();
    EXPECT_EQ(g_cursorsMade, before + 1);
    EXPECT_NE(scene->GetCursor(), nullptr);
}

}  // namespace
