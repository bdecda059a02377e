#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/music.h"
#include "loop_fixture.h"
#include "shell/game_api.h"

namespace loop_test {
namespace {

class RecordingGame : public GameAPI {
public:
    void OnMouseMove(const InputEvent&) override { log.push_back("move"); }
    void OnLeftDown(const InputEvent&) override { log.push_back("ldown"); }
    void OnRightDown(const InputEvent&) override { log.push_back("rdown"); }
    void OnLeftUp(const InputEvent&) override { log.push_back("lup"); }
    void OnRightUp(const InputEvent&) override { log.push_back("rup"); }
    void OnKeyDown(const InputEvent&) override { log.push_back("kdown"); }
    void OnKeyUp(const InputEvent&) override { log.push_back("kup"); }
    void OnMusicFinished() override { log.push_back("music"); }
    void OnMouseLeave() override { log.push_back("leave"); }
    void OnMouseEnter() override { log.push_back("enter"); }
    void OnActivate() override { log.push_back("activate"); }
    void OnDeactivate() override { log.push_back("deactivate"); }
    void OnStart() override {
        log.push_back("start");
        if (onStart) onStart(*this);
    }
    void OnStop() override { log.push_back("stop"); }

    int Count(const std::string& what) const {
        int n = 0;
        for (const auto& e : log) n += e == what;
        return n;
    }

    std::vector<std::string> log;
    std::function<void(RecordingGame&)> onStart;
};

// A button over (x, y, w, h), added to the scene; being destroyed takes it
// out again.
class RecordingButton : public ddButton {
public:
    RecordingButton(ddScene* scene, int x, int y, int w, int h) {
        SetRect(x, y, w, h);
        scene->AddButton(this);
    }
    void OnClick() override { ++clicks; }
    void OnRelease() override { ++releases; }
    int clicks = 0, releases = 0;
};

class GameLoop : public LoopTest {
protected:
    // Fresh events that play these frames.
    void Frames(std::vector<FakeEvents::Frame> frames) {
        events = FakeEvents{};
        events.frames = std::move(frames);
    }
};

TEST_F(GameLoop, LeftPressOnAButtonIsTheButtonsButItsReleaseReachesTheGame) {
    RecordingButton button(scene, 10, 10, 20, 20);
    input.mouseX = input.mouseY = 15;
    Frames({{{}, {}},
            {{Button(SDL_MOUSEBUTTONDOWN, 1, 15, 15)}, {}},
            {{Button(SDL_MOUSEBUTTONUP, 1, 15, 15)}, {}},
            {{}, [&] { input.mouseX = 100; }},
            {{Button(SDL_MOUSEBUTTONDOWN, 1, 100, 15), Button(SDL_MOUSEBUTTONUP, 1, 100, 15)}, {}}});
    RecordingGame game;
    EXPECT_STREQ(game.Run(), "exit");
    EXPECT_EQ(button.clicks, 1);
    EXPECT_EQ(button.releases, 1);
    // Only the press away from the button reaches the game; both releases do.
    EXPECT_EQ(game.Count("ldown"), 1);
    EXPECT_EQ(game.Count("lup"), 2);
    EXPECT_EQ(GetLeftButton(), 0);
}

// Logs where the mouse hooks are told the mouse is; the input state, which
// the script classes read, says the same.
class PointerGame : public RecordingGame {
public:
    void OnMouseMove(const InputEvent& e) override { Log("move", e); }
    void OnLeftDown(const InputEvent& e) override { Log("ldown", e); }
    void OnLeftUp(const InputEvent& e) override { Log("lup", e); }
    void OnRightDown(const InputEvent& e) override { Log("rdown", e); }
    void Log(const char* hook, const InputEvent& e) {
        EXPECT_EQ(e.x, GetMouseX()) << hook;
        EXPECT_EQ(e.y, GetMouseY()) << hook;
        log.push_back(std::string(hook) + " " + std::to_string(e.x) + "," + std::to_string(e.y));
    }
};

// A button event is handled where it happened: a move and a click within
// one frame reach the buttons and the game at the point clicked (after the
// move hook), a press and a release in one frame each at their own point,
// in application coordinates like the sampled position.
TEST_F(GameLoop, AMouseButtonIsHandledAtItsEventsPosition) {
    RecordingButton button(scene, 10, 10, 20, 20);
    input.mouseX = input.mouseY = 100;
    Frames({{{}, {}},
            {{Button(SDL_MOUSEBUTTONDOWN, 1, 15, 15), Button(SDL_MOUSEBUTTONUP, 1, 60, 50)},
             [&] {
                 input.mouseX = 60;
                 input.mouseY = 50;
             }},
            {{Button(SDL_MOUSEBUTTONDOWN, 3, 3, 4)}, [&] {
                 video.AppOffsetX = 112;
                 video.AppOffsetY = 84;
                 input.mouseX = 3;
                 input.mouseY = 4;
             }}});
    PointerGame game;
    game.Run();
    EXPECT_EQ(button.clicks, 1);
    EXPECT_EQ(game.log, (std::vector<std::string>{"start", "move 100,100", "move 15,15", "move 60,50",
                                                  "lup 60,50", "move 115,88", "rdown 115,88", "stop"}));
}

TEST_F(GameLoop, RightButtonNeverInvolvesTheButtonsAndOtherButtonsDoNothing) {
    RecordingButton button(scene, 0, 0, 50, 50);
    input.mouseX = input.mouseY = 5;
    Frames({{{}, {}},
            {{Button(SDL_MOUSEBUTTONDOWN, 3, 5, 5)}, {}},
            {{Button(SDL_MOUSEBUTTONUP, 3, 5, 5), Button(SDL_MOUSEBUTTONDOWN, 2, 5, 5),
              Button(SDL_MOUSEBUTTONUP, 2, 5, 5), Button(SDL_MOUSEBUTTONDOWN, 4, 5, 5),
              Button(SDL_MOUSEBUTTONDOWN, 5, 5, 5)},
             {}}});
    RecordingGame game;
    game.Run();
    EXPECT_EQ(button.clicks, 0);
    EXPECT_EQ(button.releases, 0);
    EXPECT_EQ(game.Count("rdown"), 1);
    EXPECT_EQ(game.Count("rup"), 1);
    EXPECT_EQ(game.Count("ldown") + game.Count("lup"), 0);
    EXPECT_EQ(GetRightButton(), 0);
    EXPECT_EQ(GetLeftButton(), 0);
}

TEST_F(GameLoop, AltF4AndQuitEndAPausedGameWhileF4AloneIsAKeyThatRepeatsOnlyWhileHeld) {
    {
        Frames({{{Key(SDL_KEYDOWN, SDLK_F4, KMOD_LALT), Key(SDL_KEYDOWN, SDLK_a)}, {}}});
        RecordingGame game;
        game.onStart = [](RecordingGame& g) { g.Pause(); };
        EXPECT_STREQ(game.Run(), "exit");
        EXPECT_EQ(game.Count("kdown"), 0);
        // The event polled after the stop is taken and dropped.
        EXPECT_EQ(events.taken, 2);
        EXPECT_EQ(game.Count("stop"), 1);
    }
    {
        Frames({{{Key(SDL_KEYDOWN, SDLK_F4), Key(SDL_KEYUP, SDLK_F4)}, {}}});
        RecordingGame game;
        EXPECT_STREQ(game.Run(), "exit");  // ended by the quit after the script
        EXPECT_EQ(game.Count("kdown"), 1);
        EXPECT_EQ(game.Count("kup"), 1);
        EXPECT_EQ(GetKeyHeld(), 0);
    }
    {
        // Frames 33 ms apart, "|" at each; repeat 100 ms, then every 66 ms.
        RecordingGame game;
        std::vector<FakeEvents::Frame> frames(20);
        for (auto& f : frames) f.before = [&] { game.log.push_back("|"); };
        const auto seen = [&] {  // the key hooks since the last look, "d" or "u"
            std::string s;
            for (const auto& e : game.log)
                s += e == "kdown" ? "d" : e == "kup" ? "u" : e.size() <= 2 ? e : "";
            game.log.clear();
            return s;
        };
        // A tap, down and up in one poll: once, however long the game runs.
        SetKeyRepeat(100, 66);
        frames[0].events = {Key(SDL_KEYDOWN, SDLK_F12), Key(SDL_KEYUP, SDLK_F12)};
        Frames(frames);
        game.Run();
        EXPECT_EQ(seen(), "|du" + std::string(19, '|'));
        // Held from frame 0 to 12: repeats from frame 4, every other frame;
        // a modifier tapped meanwhile neither repeats nor ends it.
        frames[0].events = {Key(SDL_KEYDOWN, SDLK_RIGHT)};
        frames[2].events = {Key(SDL_KEYDOWN, SDLK_LSHIFT), Key(SDL_KEYUP, SDLK_LSHIFT)};
        frames[12].events = {Key(SDL_KEYUP, SDLK_RIGHT)};
        frames[11].before = [&] { game.log.push_back(IsKeyHeld(SDLK_RIGHT) ? "|h" : "|?"); };
        Frames(frames);
        game.Run();
        EXPECT_EQ(seen(), "|d||du||d||d||d||d|h|u" + std::string(7, '|'));
        EXPECT_EQ(GetKeyHeld(), 0);
    }
    {
        Frames({{{FakeEvents::Quit()}, {}}});
        RecordingGame game;
        game.onStart = [](RecordingGame& g) { g.Pause(); };
        EXPECT_STREQ(game.Run(), "exit");
        EXPECT_EQ(events.framesStarted, 1);
    }
}

TEST_F(GameLoop, PausedGameSkipsMouseAndKeyHooksButNotTheOthers) {
    RecordingButton button(scene, 0, 0, 50, 50);
    input.mouseX = input.mouseY = 5;
    Frames({{{}, {}},
            {{Button(SDL_MOUSEBUTTONDOWN, 1, 5, 5), Button(SDL_MOUSEBUTTONUP, 1, 5, 5),
              Button(SDL_MOUSEBUTTONDOWN, 3, 5, 5), Key(SDL_KEYDOWN, SDLK_a), Key(SDL_KEYUP, SDLK_a),
              Active(SDL_APPACTIVE, 1), Active(SDL_APPMOUSEFOCUS, 0)},
             [&] { audio.MusicFinished = 1; }}});
    RecordingGame game;
    game.onStart = [](RecordingGame& g) {
        g.Pause();
        g.Pause();
    };
    game.Run();
    EXPECT_EQ(game.log, (std::vector<std::string>{"start", "activate", "leave", "music", "stop"}));
    EXPECT_EQ(button.clicks, 0);  // paused with the scene
    EXPECT_EQ(audio.MusicFinished.load(), 0);
}

TEST_F(GameLoop, PauseTwiceResumeOnceIsResumed) {
    RecordingGame game;
    RecordingButton button(scene, 0, 0, 0, 0);
    game.Pause();
    game.Pause();
    EXPECT_TRUE(button.IsPaused());
    EXPECT_EQ(game.IsKeyboardPaused(), 1);
    game.Resume();
    EXPECT_EQ(game.IsMousePaused(), 0);
    EXPECT_EQ(game.IsKeyboardPaused(), 0);
    EXPECT_FALSE(button.IsPaused());
}

TEST_F(GameLoop, ActivationEventsChooseTheirHook) {
    Frames({{{Active(SDL_APPINPUTFOCUS, 0), Active(SDL_APPACTIVE | SDL_APPMOUSEFOCUS, 1),
              Active(SDL_APPMOUSEFOCUS, 1), Active(SDL_APPMOUSEFOCUS, 0)},
             {}}});
    RecordingGame game;
    game.Run();
    EXPECT_EQ(game.log,
              (std::vector<std::string>{"start", "deactivate", "activate", "enter", "leave", "stop"}));
}

TEST_F(GameLoop, ExitInOnStartRunsNoFrameAndStopsOnce) {
    Frames({{{Key(SDL_KEYDOWN, SDLK_a)}, {}}});
    RecordingGame game;
    game.onStart = [](RecordingGame& g) { g.Exit("lumo"); };
    EXPECT_STREQ(game.Run(), "lumo");
    EXPECT_EQ(events.framesStarted, 0);
    EXPECT_EQ(events.taken, 0);
    EXPECT_EQ(input.mouseReads, 0);
    EXPECT_EQ(game.log, (std::vector<std::string>{"start", "stop"}));
    EXPECT_TRUE(clock.delays.empty());
}

TEST_F(GameLoop, MouseIsSampledOncePerFrameAndOnlyAChangeIsAMove) {
    std::vector<int> movesAt;
    Frames({{{}, [&] { input.mouseX = 7; }},
            {{}, {}},
            {{}, [&] { input.mouseY = 9; }},
            // A warp during the events skips this frame's sampling.
            {{Key(SDL_KEYDOWN, SDLK_a)}, [&] { input.mouseX = 50; }}});
    struct WarpingGame : RecordingGame {
        void OnKeyDown(const InputEvent& key) override {
            RecordingGame::OnKeyDown(key);
            ddMouse::Instance()->WarpTo(20, 30);
        }
    } game;
    game.Run();
    // Frames 1 and 3, and the quit frame, which finds the mouse away from
    // where the warp put it; frame 2 saw no change and frame 4 no sample.
    EXPECT_EQ(game.Count("move"), 3);
    EXPECT_EQ(input.mouseReads, 4);
    EXPECT_EQ(input.warpX, 20);
    EXPECT_EQ(input.warpY, 30);
    EXPECT_EQ(GetMouseX(), 50);
    EXPECT_EQ(GetMouseY(), 9);
}

TEST_F(GameLoop, MouseMoveUpdatesButtonHoverEvenWhilePaused) {
    RecordingButton button(scene, 0, 0, 20, 20);
    Frames({{{}, [&] { input.mouseX = input.mouseY = 5; }}});
    RecordingGame game;
    game.onStart = [](RecordingGame& g) { g.Pause(); };
    game.Run();
    EXPECT_EQ(game.Count("move"), 0);
    // The pause reached the button too, so it stays unhovered.
    EXPECT_EQ(button.IsHovered(), 0);
    EXPECT_FALSE(scene->IsHovering());
    scene->RemoveButton(&button);

    RecordingButton live(scene, 0, 0, 20, 20);
    Frames({{{}, [&] { input.mouseX = input.mouseY = 6; }}});
    RecordingGame active;
    active.Run();
    EXPECT_EQ(active.Count("move"), 1);
    EXPECT_EQ(live.IsHovered(), 1);
    EXPECT_TRUE(scene->IsHovering());
}

TEST_F(GameLoop, FramesAreDelayedByWhatIsLeftOfTheFrameDelay) {
    Frames({{{}, [&] { clock.now += 10; }},
            {{}, [&] { clock.now += 100; }},
            {{}, [&] { clock.now += 5; }},
            {{}, [&] { clock.now += 5; }},
            {{}, [&] { Flags().LoopDelay = 20; }}});
    RecordingGame game;
    game.Run();
    // 23; none (debt 34); none (28 - 34); 28; 20 with the new delay. The
    // quit frame waits nothing.
    EXPECT_EQ(clock.delays, (std::vector<int>{23, 28, 20}));
}

TEST_F(GameLoop, MusicFinishedIsTakenOnceAndClearedAtTheEnd) {
    Frames({{{}, [&] { audio.MusicFinished = 1; }}, {{}, {}}, {{}, [&] { audio.MusicFinished = 1; }}});
    RecordingGame game;
    game.onStart = [&](RecordingGame&) { audio.MusicFinished = 1; };
    game.Run();
    EXPECT_EQ(game.Count("music"), 2);  // the two marks of the first frame are one
    audio.MusicFinished = 1;
    Frames({{{FakeEvents::Quit()}, {}}});
    RecordingGame quitting;
    quitting.Run();
    EXPECT_EQ(quitting.Count("music"), 0);  // the stopping frame does no update
    EXPECT_EQ(audio.MusicFinished.load(), 0);
}

TEST_F(GameLoop, TimersFireAndTheSceneIsDrawnEachFrame) {
    RecordingGame game;
    ddTimery* timer = nullptr;
    game.NewTimer(timer, 0, 1);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->GetUserData(), reinterpret_cast<intptr_t>(&game));
    EXPECT_EQ(scene->TimerCount(), 1);
    timer->SetFrameInterval(1);
    timer->Start();
    ddCanvas* canvas = nullptr;
    game.NewCanvas(canvas, 0, 0, kWidth, kHeight);
    canvas->SetColor(0, 0, 200, 255);
    GraphAPI::ClearScreen();
    Frames({{{}, {}}});
    game.Run();
    EXPECT_EQ(timer->GetTicksFired(), 1);
    EXPECT_EQ(ScreenAt(kWidth - 1, kHeight - 1), (Rgb{0, 0, 200}));
    game.DeleteTimer(timer);
    EXPECT_EQ(timer, nullptr);
    EXPECT_EQ(scene->TimerCount(), 0);
    game.DeleteObject(canvas);
    EXPECT_EQ(canvas, nullptr);
    EXPECT_EQ(scene->DrawableCount(), 0);
}

}  // namespace
}  // namespace loop_test
