// Runs every example script of docs/scripts.md through the real program.
// An example is a fenced block marked "asm"; the fenced block right after it
// is marked "text" (exit code 0) or "text exit 1" and holds the exact
// standard output, up to trailing line feeds (a code block always ends with
// one, some reports do not).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manual_text.h"
#include "play_fixture.h"

namespace {

std::string WithoutTrailingLineFeeds(std::string s) {
    while (!s.empty() && s.back() == '\n') s.pop_back();
    return s;
}

TEST(ScriptLanguageManual, EveryExamplePrintsWhatTheManualShows) {
    const std::vector<manual::Block> blocks = manual::FencedBlocks(manual::ReadRepoFile("docs/scripts.md"));
    int examples = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].info != "asm") continue;
        ++examples;
        SCOPED_TRACE("example at line " + std::to_string(blocks[i].line));
        ASSERT_LT(i + 1, blocks.size()) << "no output block";
        const manual::Block& output = blocks[i + 1];
        ASSERT_TRUE(output.info == "text" || output.info == "text exit 1")
            << "followed by \"" << output.info << "\"";

        play::GameFolder game;
        game.Write("configs/zel_config", "<config><windebug> 320 240 32 1</windebug></config>\n");
        game.Write("scripts/main.asm", blocks[i].body);
        game.Write("scripts/game", "main.asm\n");
        ProcessResult r = game.RunEngine();
        EXPECT_EQ(r.signal, 0);
        EXPECT_EQ(WithoutTrailingLineFeeds(r.out), WithoutTrailingLineFeeds(output.body));
        EXPECT_EQ(r.exitCode, output.info == "text" ? 0 : 1) << "output:\n" << r.out;
    }
    EXPECT_GT(examples, 0) << "no example found";
}

}  // namespace
