// The real program started with the animation editor as its game kind. No
// keys reach it under the dummy video driver; a termination signal, which
// SDL turns into its quit event once its handler is in place, ends the
// editor's loop the way closing the window does.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/run_process.h"

namespace {

const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Whether the process has a handler for SIGTERM installed.
bool CatchesTerm(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigCgt:", 0) != 0) continue;
        const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
        return (mask >> (SIGTERM - 1)) & 1ULL;
    }
    return false;
}

std::string Read(const std::string& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(LumoProgram, StartsTheEditorAndEndsCleanlyOnQuit) {
    TempFolder game, runtime;
    std::filesystem::create_directories(game.Path() + "/configs/fonts");
    std::error_code ec;
    std::filesystem::copy_file(kFont, game / "configs/fonts/normal.ttf", ec);
    game.Write("configs/zel_config", "<c><activegame> lumo\r\n</activegame></c>\n");
    game.Write("lumo_factory/txtpath", "anims/\r\n");
    game.Write("lumo_factory/txtfile", "walk.lum");

    std::fflush(stdout);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const std::string runtimeEnv = "XDG_RUNTIME_DIR=" + runtime.Path();
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        dup2(fds[1], STDOUT_FILENO);
        close(fds[1]);
        if (chdir(game.Path().c_str()) != 0) _exit(127);
        putenv(const_cast<char*>("SDL_VIDEODRIVER=dummy"));
        putenv(const_cast<char*>("SDL_AUDIODRIVER=dummy"));
        putenv(const_cast<char*>(runtimeEnv.c_str()));
        execl(ENGINE_BINARY, ENGINE_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // Wait until the editor runs (SDL's quit handler is installed), or the
    // program has ended on its own.
    bool ended = false;
    for (int i = 0; i < 3000 && !CatchesTerm(pid); ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            ended = true;
            break;
        }
        usleep(10000);
    }
    ASSERT_FALSE(ended) << "the program ended before it could be asked to quit";
    kill(pid, SIGTERM);
    ProcessResult r = test_process::Collect(pid, fds[0]);
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    // Stopping stores the path and file fields as they stood.
    EXPECT_EQ(Read(game / "lumo_factory/txtpath"), "anims/");
    EXPECT_EQ(Read(game / "lumo_factory/txtfile"), "walk.lum");
}
