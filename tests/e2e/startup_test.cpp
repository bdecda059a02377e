// Starts the real program from a temporary game folder.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>

#include <filesystem>
#include <string>

#include "common/run_process.h"
#include "platform/single_instance.h"

namespace {
const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(game.Path() + "/configs/fonts");
        std::error_code ec;
        std::filesystem::copy_file(kFont, game / "configs/fonts/normal.ttf", ec);
        // The default game kind runs the script machine: a script that only ends.
        game.Write("scripts/game", "empty.asm\n");
        game.Write("scripts/empty.asm", "");
    }

    ProcessResult Run() {
        return RunProgram(ENGINE_BINARY, game.Path(),
                          {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy",
                           "XDG_RUNTIME_DIR=" + runtime.Path()});
    }

    TempFolder game;
    TempFolder runtime;
};
}  // namespace

TEST_F(Startup, UnknownGameKindEndsWithZero) {
    game.Write("configs/zel_config", "<c><activegame> nosuchkind</activegame></c>");
    ProcessResult r = Run();
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
}

TEST_F(Startup, RunsWithoutAnyConfiguration) {
    ProcessResult r = Run();
    EXPECT_EQ(r.exitCode, 0);
}

TEST_F(Startup, ASecondCopyEndsWithOne) {
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    ASSERT_TRUE(AcquireInstanceLock("com_tandrel_velkor_lomtark"));
    ProcessResult r = Run();
    ReleaseInstanceLock();
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
}

TEST_F(Startup, GarbageConfigurationDoesNotCrash) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919) % 256));
    game.Write("configs/zel_config", "<screen>" + garbage + "<appsize>\\<<<res>>\xff<window> a");
    ProcessResult r = Run();
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, 0);
}

TEST_F(Startup, AMissingFontIsReportedAndTheRunGoesOn) {
    game.Write("configs/zel_config",
               "<c><font> missing.ttf 12 1 2 3</font><window> Cap nofile.png</window></c>");
    ProcessResult r = Run();
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("TTF_OpenFont: ", 0), 0u) << r.out;
}

TEST_F(Startup, ScreenKeyGoesThroughTheModeSearch) {
    game.Write("configs/zel_config",
               "<c><screen> 800 600 32 0 1</screen><appsize> 800 600</appsize>"
               "<resolutions><res> 800 600 640 480</res></resolutions></c>");
    ProcessResult r = Run();
    EXPECT_EQ(r.exitCode, 0) << r.out;
}

// Standard output on a pipe gets each line as its end of line is written,
// while the game still runs: a script prints a line, then its game runs on
// until it is ended here.
TEST_F(Startup, APrintedLineReachesAPipeWhileTheGameRuns) {
    game.Write("scripts/game", "print.asm\n");
    game.Write("scripts/print.asm",
               "new string, s\npush \"g\"\ncall gameapi, play\n"
               "game g\nmethod init\n  mov s, \"ready\"\n  call s, print\nend method\nend game\n");
    StartedProgram started =
        StartProgram(ENGINE_BINARY, game.Path(),
                     {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy", "XDG_RUNTIME_DIR=" + runtime.Path()});
    ASSERT_GT(started.pid, 0);
    // Read until the line is there or the program ends; a line held back
    // gives up after a generous bound instead of waiting for ever.
    std::string seen;
    bool ended = false;
    for (int waits = 0; waits < 300 && !ended && seen.find("ready\n") == std::string::npos; ++waits) {
        pollfd p{started.out, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        char buf[256];
        const ssize_t n = read(started.out, buf, sizeof buf);
        if (n <= 0)
            ended = true;
        else
            seen.append(buf, static_cast<size_t>(n));
    }
    kill(started.pid, SIGKILL);
    ProcessResult r = test_process::Collect(started.pid, started.out);
    EXPECT_FALSE(ended) << "the game ended by itself: " << seen;
    EXPECT_EQ(seen, "\nstring s: ready\n");
    EXPECT_EQ(r.signal, SIGKILL);
}
