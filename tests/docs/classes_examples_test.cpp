// The examples of docs/classes.md's sections on the mouse, the keyboard,
// pictures, animations, sounds, buttons, menus, texts, filters and path
// finders, played as the manual shows them. Each "### Example" of a section
// is read from the manual: its fenced blocks are the files it names (in the
// order the test lists them), then the script, then the output the manual
// promises. The game is played with the player's mouse moves, clicks and
// keys (play_fixture.h); what it prints must be the manual's output.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <filesystem>
#include <string>
#include <vector>

#include "manual_text.h"
#include "play_fixture.h"

namespace {

namespace fs = std::filesystem;

// The fenced blocks of the "### Example" part of the section "## `name`".
std::vector<std::string> ExampleBlocks(const std::string& name) {
    const std::string section = manual::Section(manual::ReadRepoFile("docs/classes.md"), "## `" + name + "`");
    std::vector<std::string> blocks;
    for (const manual::Block& block : manual::FencedBlocks(manual::Section(section, "### Example")))
        blocks.push_back(block.body);
    return blocks;
}

struct Example {
    const char* section;
    std::vector<std::string> files;     // the blocks before the script, in order
    std::vector<std::string> pictures;  // made as 20 x 20 opaque pictures, or ".wav" as a sound
    void (*act)(play::Player&);         // what the player does
};

void WritePicture(const std::string& path, int shade) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 20, 20, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 200, static_cast<Uint8>(shade), 60));
    ASSERT_EQ(SDL_SaveBMP(s, path.c_str()), 0);
    SDL_FreeSurface(s);
}

const Example kExamples[] = {
    {"img", {"broken.z16"}, {"door.bmp"}, [](play::Player&) {}},
    {"anima", {"door.lum"}, {"door0.bmp", "door1.bmp"}, [](play::Player& p) { p.Wait(20); }},
    {"button",
     {},
     {"start.bmp", "start_over.bmp", "start_down.bmp"},
     [](play::Player& p) { p.Click(110, 90).Click(10, 10); }},
    {"menu",
     {"choices.db"},
     {},
     [](play::Player& p) { p.Click(25, 50).Click(25, 65).Click(25, 65, SDL_BUTTON_RIGHT).Click(25, 65); }},
    {"text", {}, {}, [](play::Player&) {}},
    {"filter", {}, {}, [](play::Player&) {}},
    {"path",
     {"floor.ptf", "hero.lum"},
     {"hero.bmp"},
     [](play::Player& p) { p.Click(150, 90).Wait(34).Click(150, 150).Wait(30).Click(150, 150).Wait(30); }},
    {"mouse", {}, {}, [](play::Player& p) { p.Click(100, 80); }},
    {"snd", {}, {"bell0.wav", "bell1.wav", "bell2.wav"}, [](play::Player&) {}},
    {"keyboard",
     {},
     {},
     [](play::Player& p) {
         p.Type("Bo").Hold(SDLK_b, 2).Hold(SDLK_RETURN, 3).Press(SDLK_BACKSPACE).Press(SDLK_BACKSPACE);
         p.Press(SDLK_RETURN);
     }},
};

// Lets test listings show the section instead of the example's bytes.
void PrintTo(const Example& ex, std::ostream* os) { *os << ex.section; }

class ManualExample : public ::testing::TestWithParam<Example> {};

TEST_P(ManualExample, PrintsWhatTheManualShows) {
    const Example& ex = GetParam();
    const std::vector<std::string> blocks = ExampleBlocks(ex.section);
    // The files, the script and the output.
    ASSERT_EQ(blocks.size(), ex.files.size() + 2) << "the example of `" << ex.section << "`";

    play::GameFolder game;
    game.Write("configs/zel_config", "<config><windebug> 320 240 32 0</windebug></config>\n");
    for (size_t i = 0; i < ex.files.size(); ++i) game.Write(ex.files[i], blocks[i]);
    game.Write("scripts/example.asm", blocks[ex.files.size()]);
    game.Write("scripts/game", "example.asm\n");
    int shade = 0;
    const fs::path sound = fs::path(ENGINE_SOURCE_DIR) / "games/demo/sounds/blip.wav";
    for (const std::string& picture : ex.pictures) {
        if (picture.ends_with(".wav"))
            fs::copy_file(sound, game / picture);
        else
            WritePicture(game / picture, shade += 60);
    }

    play::Player hands;
    ex.act(hands);
    ProcessResult r = play::Play(game, hands);
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, blocks.back()) << "the example of `" << ex.section << "`";
}

INSTANTIATE_TEST_SUITE_P(Sections, ManualExample, ::testing::ValuesIn(kExamples),
                         [](const ::testing::TestParamInfo<Example>& info) { return info.param.section; });

}  // namespace
