// Timers against a clock the test steps by hand.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/timer.h"
#include "platform/headless.h"

namespace {

struct Log {
    std::vector<uint32_t> ticks, finishes, starts;
};
Log* g_log = nullptr;
SteppedClock* g_clock = nullptr;

void OnTick(intptr_t, Sygnal*) { g_log->ticks.push_back(g_clock->now); }
void OnFinish(intptr_t, Sygnal*) { g_log->finishes.push_back(g_clock->now); }
void OnStart(intptr_t, Sygnal*) { g_log->starts.push_back(g_clock->now); }

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log = &log;
        g_clock = &clock;
        SetClock(&clock);
        timer.SetTickCallback(OnTick);
        timer.SetFinishCallback(OnFinish);
        timer.SetStartCallback(OnStart);
    }
    void TearDown() override {
        SetClock(nullptr);
        g_log = nullptr;
        g_clock = nullptr;
    }
    // Frames every `step` ms up to and including `until`.
    void RunFrames(uint32_t until, uint32_t step = 33) {
        while (clock.now + step <= until) {
            clock.now += step;
            timer.Update();
        }
    }

    SteppedClock clock;
    Log log;
    ddTimery timer;
};

TEST_F(TimerTest, RepeatCountTicksThenFinishes) {
    timer.SetInterval(1000);
    timer.SetRepeatCount(3);
    timer.Start();
    EXPECT_EQ(log.starts, std::vector<uint32_t>{0});
    EXPECT_TRUE(timer.IsRunning());
    RunFrames(5000);
    // The next period counts from the frame that saw the expiry.
    EXPECT_EQ(log.ticks, (std::vector<uint32_t>{1023, 2046}));
    EXPECT_EQ(log.finishes, std::vector<uint32_t>{3069});
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_EQ(timer.GetTicksFired(), 3);
}

TEST_F(TimerTest, DefaultRepeatOnlyFinishes) {
    EXPECT_EQ(timer.GetTicksFired(), 1);  // nothing to come before a start
    timer.SetInterval(100);
    timer.Start();
    RunFrames(1000, 10);
    EXPECT_TRUE(log.ticks.empty());
    EXPECT_EQ(log.finishes, std::vector<uint32_t>{100});
}

TEST_F(TimerTest, IntervalZeroExpiresEveryFrame) {
    timer.SetRepeatCount(4);
    timer.Start();
    for (int i = 0; i < 6; ++i) {
        clock.now += 1;
        timer.Update();
    }
    EXPECT_EQ(log.ticks, (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(log.finishes, std::vector<uint32_t>{4});
}

TEST_F(TimerTest, FrameIntervalCountsUpdates) {
    timer.SetInterval(100000);  // ignored while frames are counted
    timer.SetFrameInterval(2);
    timer.SetFrameInterval(0);  // ignored: frame counting stays on
    timer.SetFrameInterval(-1);
    EXPECT_EQ(timer.GetFrameInterval(), 2);
    timer.SetRepeatCount(3);
    timer.Start();
    for (int i = 1; i <= 8; ++i) {
        clock.now = static_cast<uint32_t>(i);
        timer.Update();
    }
    EXPECT_EQ(log.ticks, (std::vector<uint32_t>{2, 4}));
    EXPECT_EQ(log.finishes, std::vector<uint32_t>{6});
}

TEST_F(TimerTest, PausedFramesDoNotCount) {
    timer.SetFrameInterval(3);
    timer.SetRepeatCount(2);
    timer.Start();
    clock.now = 1;
    timer.Update();
    timer.Pause();
    for (int i = 0; i < 10; ++i) timer.Update();
    timer.Resume();
    clock.now = 2;
    timer.Update();
    EXPECT_TRUE(log.ticks.empty());
    clock.now = 3;
    timer.Update();
    EXPECT_EQ(log.ticks, std::vector<uint32_t>{3});
}

TEST_F(TimerTest, PauseShiftsTheExpiryByThePausedTime) {
    timer.SetInterval(1000);
    timer.Start();
    RunFrames(200, 10);
    timer.Pause();
    EXPECT_TRUE(timer.IsPaused());
    RunFrames(700, 10);  // paused for 500 ms: no expiry
    timer.Resume();
    RunFrames(3000, 10);
    EXPECT_EQ(log.finishes, std::vector<uint32_t>{1500});
}

TEST_F(TimerTest, PauseTwiceCountsFromTheFirstPause) {
    timer.SetInterval(1000);
    timer.Start();
    clock.now = 200;
    timer.Pause();
    clock.now = 600;
    timer.Pause();  // already paused: the pause still began at 200
    clock.now = 700;
    timer.Resume();
    RunFrames(3000, 10);
    EXPECT_EQ(log.finishes, std::vector<uint32_t>{1500});
}

TEST_F(TimerTest, ResumeWithoutPauseChangesNothing) {
    timer.SetInterval(1000);
    clock.now = 5000;
    timer.Pause();  // pause start 5000, while stopped
    timer.Resume();
    clock.now = 10000;
    timer.Start();
    clock.now = 10300;
    timer.Resume();  // not paused: the period is not moved
    RunFrames(13000, 10);
    EXPECT_EQ(log.finishes, std::vector<uint32_t>{11000});
}

TEST_F(TimerTest, StartWhileRunningRestartsWithoutFinish) {
    timer.SetInterval(1000);
    timer.Start();
    RunFrames(600, 10);
    timer.Start();
    EXPECT_TRUE(log.finishes.empty());
    RunFrames(2000, 10);
    EXPECT_EQ(log.finishes, std::vector<uint32_t>{1600});
    EXPECT_EQ(log.starts, (std::vector<uint32_t>{0, 600}));
}

TEST_F(TimerTest, StopNotifiesOnlyWhenAsked) {
    timer.SetInterval(1000);
    timer.Start();
    timer.Stop(false);
    EXPECT_TRUE(log.finishes.empty());
    RunFrames(2000, 10);
    EXPECT_TRUE(log.finishes.empty());  // stopped timers never fire
    timer.Start();
    timer.Stop(true);
    EXPECT_EQ(log.finishes.size(), 1u);
}

TEST_F(TimerTest, RepeatCountBelowOneIsIgnored) {
    timer.SetRepeatCount(5);
    timer.SetRepeatCount(0);
    timer.SetRepeatCount(-1);
    EXPECT_EQ(timer.GetRepeatCount(), 5);
}

TEST_F(TimerTest, TheTickCounterMayWrap) {
    clock.now = 0xFFFFFF00u;
    timer.SetInterval(1000);
    timer.Start();
    RunFrames(0xFFFFFFF0u, 10);
    EXPECT_TRUE(log.finishes.empty());
    for (int i = 0; i < 200 && log.finishes.empty(); ++i) {
        clock.now += 10;  // wraps past 0
        timer.Update();
    }
    EXPECT_EQ(log.finishes, std::vector<uint32_t>{0xFFFFFF00u + 1000});
}

}  // namespace
