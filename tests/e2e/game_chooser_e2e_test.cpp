// The real program started with the game chooser as its game kind. Clicks
// cannot reach it under the dummy video driver: the choices themselves are
// driven through the input seam in the shell tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/run_process.h"

namespace {
const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class ChooserProgram : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(game.Path() + "/configs/fonts");
        std::error_code ec;
        std::filesystem::copy_file(kFont, game / "configs/fonts/normal.ttf", ec);
        game.Write("configs/zel_config", "<c><activegame> gamechooser\r\n</activegame></c>\n");
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

TEST_F(ChooserProgram, WithoutAMenuFileItSaysSoAndTheProgramEnds) {
    ProcessResult r = Run();
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "gamechooser: no menu items in configs/progs/menu.db\n");
}

TEST_F(ChooserProgram, AMenuFileWithoutItemsEndsTheSameWay) {
    game.Write("configs/progs/menu.db", "<d><size> 10 10</size><menu> 0 0 right\n<a>  </a></menu></d>");
    ProcessResult r = Run();
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "gamechooser: no menu items in configs/progs/menu.db\n");
}
