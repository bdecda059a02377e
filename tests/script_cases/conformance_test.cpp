// Runs every script case under tests/scripts through the real program.
// A case is <group>/<name>.asm with the expected standard output in
// <name>.out and the expected exit code in <name>.code (0 when absent).
// <name>.game, when present, replaces the text of "scripts/game" (which
// otherwise names the case's script). The folders <group>/shared.data and
// <name>.data, when present, are copied into the game folder before the run
// (pictures, definitions), in that order.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/run_process.h"

namespace fs = std::filesystem;

namespace {

const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

fs::path CasesRoot() { return fs::path(ENGINE_SOURCE_DIR) / "tests" / "scripts"; }

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct ScriptCase {
    fs::path script;  // .../<group>/<name>.asm
    std::string Name() const {
        std::string n = script.parent_path().filename().string() + "_" + script.stem().string();
        for (char& c : n)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return n;
    }
};

// Lets test listings show the case's file instead of its bytes.
void PrintTo(const ScriptCase& c, std::ostream* os) { *os << c.script.string(); }

std::vector<ScriptCase> AllCases() {
    std::vector<ScriptCase> cases;
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(CasesRoot(), ec))
        if (e.is_regular_file() && e.path().extension() == ".asm") cases.push_back({e.path()});
    std::sort(cases.begin(), cases.end(),
              [](const ScriptCase& a, const ScriptCase& b) { return a.script < b.script; });
    return cases;
}

class ScriptConformance : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptConformance, OutputAndExitCode) {
    const ScriptCase& c = GetParam();
    fs::path base = c.script;
    base.replace_extension();
    const fs::path outFile = base.string() + ".out";
    const fs::path codeFile = base.string() + ".code";
    const fs::path gameFile = base.string() + ".game";
    const fs::path dataFolder = base.string() + ".data";
    ASSERT_TRUE(fs::exists(outFile)) << "missing " << outFile;

    TempFolder game;
    TempFolder runtime;
    game.Write("configs/zel_config", "<config><windebug> 320 240 32 1</windebug></config>\n");
    std::error_code ec;
    fs::create_directories(game.Path() + "/configs/fonts", ec);
    fs::copy_file(kFont, game / "configs/fonts/normal.ttf", ec);
    for (const fs::path& data : {c.script.parent_path() / "shared.data", dataFolder}) {
        if (!fs::is_directory(data)) continue;
        std::error_code copied;
        fs::copy(data, game.Path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing,
                 copied);
        ASSERT_FALSE(copied) << "copying " << data << ": " << copied.message();
    }
    const std::string scriptName = c.script.filename().string();
    game.Write("scripts/" + scriptName, ReadFile(c.script));
    game.Write("scripts/game", fs::exists(gameFile) ? ReadFile(gameFile) : scriptName + "\n");

    ProcessResult r =
        RunProgram(ENGINE_BINARY, game.Path(),
                   {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy", "XDG_RUNTIME_DIR=" + runtime.Path()});
    int expectedCode = 0;
    if (fs::exists(codeFile)) expectedCode = std::stoi(ReadFile(codeFile));
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.out, ReadFile(outFile)) << "case " << c.script;
    EXPECT_EQ(r.exitCode, expectedCode) << "case " << c.script << "\noutput:\n" << r.out;
}

INSTANTIATE_TEST_SUITE_P(Cases, ScriptConformance, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<ScriptCase>& info) { return info.param.Name(); });

}  // namespace
