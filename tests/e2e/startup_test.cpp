// Starts the real program from a temporary game folder.
#include <gtest/gtest.h>

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
