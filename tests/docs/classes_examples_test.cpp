// The examples of docs/classes.md's sections on animations, buttons, menus,
// filters and path finders, played as the manual shows them. Each
// "### Example" of a section is read from the manual: its fenced blocks are
// the files it names (in the order the test lists them), then the script,
// then the output the manual promises. The script runs in a child process
// on the engine's own start-up, with the player's mouse moves and clicks
// handed in frame by frame through the headless event source; what it
// prints must be the manual's output.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/startup.h"
#include "common/run_process.h"
#include "graphics/font.h"
#include "platform/headless.h"
#include "platform/media.h"
#include "platform/sdl_backend.h"
#include "scene/scene.h"
#include "script_classes/engine_script_classes.h"
#include "shell/mouse.h"

namespace {

const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string Manual() {
    std::ifstream in(std::string(ENGINE_SOURCE_DIR) + "/docs/classes.md", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The fenced blocks of the "### Example" part of the section "## `name`".
std::vector<std::string> ExampleBlocks(const std::string& manual, const std::string& name) {
    std::vector<std::string> blocks;
    const size_t section = manual.find("\n## `" + name + "`\n");
    if (section == std::string::npos) return blocks;
    const size_t end = manual.find("\n## ", section + 1);
    const size_t example = manual.find("\n### Example\n", section);
    if (example == std::string::npos || example > end) return blocks;
    std::istringstream lines(manual.substr(example, end == std::string::npos ? end : end - example));
    std::string line, block;
    bool inside = false;
    while (std::getline(lines, line)) {
        if (line == "```") {
            if (inside) blocks.push_back(block);
            block.clear();
            inside = !inside;
        } else if (inside) {
            block += line + "\n";
        }
    }
    return blocks;
}

// The player's part: frames of mouse moves and left clicks.
struct Play {
    FakeInput input;
    FakeEvents events;

    static SDL_Event Button(uint8_t type) {
        SDL_Event e{};
        e.type = type;
        e.button.type = type;
        e.button.button = SDL_BUTTON_LEFT;
        return e;
    }
    Play& MoveTo(int x, int y) {
        events.frames.push_back({{}, [this, x, y] {
                                     input.mouseX = x;
                                     input.mouseY = y;
                                 }});
        return *this;
    }
    Play& Click() {
        events.frames.push_back({{Button(SDL_MOUSEBUTTONDOWN), Button(SDL_MOUSEBUTTONUP)}, {}});
        return *this;
    }
    Play& Wait(int frames) {
        for (int i = 0; i < frames; ++i) events.frames.push_back({});
        return *this;
    }
};

struct Example {
    const char* section;
    std::vector<std::string> files;     // the blocks before the script, in order
    std::vector<std::string> pictures;  // made as 20 x 20 opaque pictures
    void (*play)(Play&);
};

void WritePicture(const std::string& path, int shade) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 20, 20, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 200, static_cast<Uint8>(shade), 60));
    ASSERT_EQ(SDL_SaveBMP(s, path.c_str()), 0);
    SDL_FreeSurface(s);
}

// The engine's start-up on a 320 x 240 window, the headless input and events
// in place of SDL's, then the script machine.
int RunGame(Play& play) {
    if (!StartMedia()) return 90;
    UseSdlBackend();
    StartupConfig cfg;
    cfg.windebug = WindebugKey{320, 240, 32, 0};
    OpenVideoMode(cfg);
    DefaultFont.Open("configs/fonts/normal.ttf", 12);
    DefaultFont.SetColor(250, 250, 250);
    InstallMouseCursor();
    SteppedClock clock;
    SetInput(&play.input);
    SetEvents(&play.events);
    SetClock(&clock);
    {
        ddScene scene;
        ScopedScene shown(scene);
        RunScriptMachine();
    }
    std::fflush(stdout);
    return 0;
}

const Example kExamples[] = {
    {"anima", {"door.lum"}, {"door0.bmp", "door1.bmp"}, [](Play& p) { p.Wait(20); }},
    {"button",
     {},
     {"start.bmp", "start_over.bmp", "start_down.bmp"},
     [](Play& p) { p.MoveTo(110, 90).Click().MoveTo(10, 10).Click(); }},
    {"menu", {"choices.db"}, {}, [](Play& p) { p.MoveTo(25, 50).Click().MoveTo(25, 65).Click(); }},
    {"filter", {}, {}, [](Play&) {}},
    {"path", {"floor.ptf", "hero.lum"}, {"hero.bmp"}, [](Play& p) { p.MoveTo(150, 90).Click().Wait(80); }},
};

// Lets test listings show the section instead of the example's bytes.
void PrintTo(const Example& ex, std::ostream* os) { *os << ex.section; }

class ManualExample : public ::testing::TestWithParam<Example> {};

TEST_P(ManualExample, PrintsWhatTheManualShows) {
    const Example& ex = GetParam();
    const std::vector<std::string> blocks = ExampleBlocks(Manual(), ex.section);
    // The files, the script and the output.
    ASSERT_EQ(blocks.size(), ex.files.size() + 2) << "the example of `" << ex.section << "`";

    TempFolder game;
    TempFolder runtime;
    game.Write("configs/zel_config", "<config></config>\n");
    std::filesystem::create_directories(game / "configs/fonts");
    std::filesystem::copy_file(kFont, game / "configs/fonts/normal.ttf");
    for (size_t i = 0; i < ex.files.size(); ++i) game.Write(ex.files[i], blocks[i]);
    game.Write("scripts/example.asm", blocks[ex.files.size()]);
    game.Write("scripts/game", "example.asm\n");
    int shade = 0;
    for (const std::string& picture : ex.pictures) WritePicture(game / picture, shade += 60);

    Play play;
    ex.play(play);
    ProcessResult r = RunInChild([&] {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
        if (chdir(game.Path().c_str()) != 0) return 91;
        return RunGame(play);
    });
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, blocks.back()) << "the example of `" << ex.section << "`";
}

INSTANTIATE_TEST_SUITE_P(Sections, ManualExample, ::testing::ValuesIn(kExamples),
                         [](const ::testing::TestParamInfo<Example>& info) { return info.param.section; });

}  // namespace
