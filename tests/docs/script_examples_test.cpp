// Runs every example script of docs/scripts.md through the real program.
// An example is a fenced block marked "asm"; the fenced block right after it
// is marked "text" (exit code 0) or "text exit 1" and holds the exact
// standard output, up to trailing line feeds (a code block always ends with
// one, some reports do not).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/run_process.h"

namespace fs = std::filesystem;

namespace {

const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct Block {
    std::string info;  // the text after the opening fence
    std::string body;  // every line, each with its line feed
    int line = 0;      // line number of the opening fence
};

// The fenced blocks of a Markdown text, in order.
std::vector<Block> FencedBlocks(const std::string& text) {
    std::vector<Block> blocks;
    std::istringstream in(text);
    std::string line;
    Block* open = nullptr;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.rfind("```", 0) == 0) {
            if (open) {
                open = nullptr;
            } else {
                blocks.push_back({line.substr(3), "", number});
                open = &blocks.back();
            }
        } else if (open) {
            open->body += line + "\n";
        }
    }
    return blocks;
}

std::string WithoutTrailingLineFeeds(std::string s) {
    while (!s.empty() && s.back() == '\n') s.pop_back();
    return s;
}

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

ProcessResult RunScript(const std::string& script) {
    TempFolder game;
    TempFolder runtime;
    game.Write("configs/zel_config", "<config><windebug> 320 240 32 1</windebug></config>\n");
    std::error_code ec;
    fs::create_directories(game.Path() + "/configs/fonts", ec);
    fs::copy_file(kFont, game / "configs/fonts/normal.ttf", ec);
    game.Write("scripts/main.asm", script);
    game.Write("scripts/game", "main.asm\n");
    return RunProgram(ENGINE_BINARY, game.Path(),
                      {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy",
                       "XDG_RUNTIME_DIR=" + runtime.Path()});
}

TEST(ScriptLanguageManual, EveryExamplePrintsWhatTheManualShows) {
    const std::vector<Block> blocks =
        FencedBlocks(ReadFile(fs::path(ENGINE_SOURCE_DIR) / "docs" / "scripts.md"));
    int examples = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].info != "asm") continue;
        ++examples;
        const Block& script = blocks[i];
        ASSERT_LT(i + 1, blocks.size()) << "example at line " << script.line << " has no output block";
        const Block& output = blocks[i + 1];
        ASSERT_TRUE(output.info == "text" || output.info == "text exit 1")
            << "example at line " << script.line << " is followed by \"" << output.info << "\"";
        const int expectedCode = output.info == "text" ? 0 : 1;

        ProcessResult r = RunScript(script.body);
        EXPECT_EQ(r.signal, 0) << "example at line " << script.line;
        EXPECT_EQ(WithoutTrailingLineFeeds(r.out), WithoutTrailingLineFeeds(output.body))
            << "example at line " << script.line;
        EXPECT_EQ(r.exitCode, expectedCode) << "example at line " << script.line << "\noutput:\n" << r.out;
    }
    EXPECT_GT(examples, 0) << "no example found";
}

}  // namespace
