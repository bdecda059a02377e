// The examples of docs/files.md, loaded through the engine's own readers.
// An example is the fenced block right after a marker line:
//   <!-- example: PATH -->          a file of the game folder, as text
//   <!-- example: PATH (LABEL) -->  another version of that file
//   <!-- hex example: PATH -->      bytes in hexadecimal; ";" begins a note
//   <!-- output: PATH -->           what the script PATH prints
// Blocks under the same marker are joined in page order, so the page's
// script is the sum of the parts shown beside each format.
#include <SDL/SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/config.h"
#include "app/video_mode.h"
#include "audio/anim_sound_table.h"
#include "common/run_process.h"
#include "foundation/dd_base.h"
#include "foundation/dd_vector.h"
#include "graphics/animation.h"
#include "graphics/frame_sounds.h"
#include "graphics/graph_api.h"
#include "graphics/picture_files.h"
#include "graphics/screen_fixture.h"
#include "manual_text.h"
#include "paths/walk_graph.h"
#include "play_fixture.h"
#include "scene/scene.h"
#include "shell/menu.h"

namespace fs = std::filesystem;

namespace {

// The page's examples by marker ("example: data/items.db"): the blocks
// right below a marker line, joined in page order; read once.
const std::map<std::string, std::string>& Examples() {
    static const std::map<std::string, std::string> examples = [] {
        std::map<std::string, std::string> read;
        for (const manual::Block& block : manual::FencedBlocks(manual::ReadRepoFile("docs/files.md"))) {
            const std::string& line = block.before;
            if (line.rfind("<!-- ", 0) == 0 && line.size() > 9 && line.substr(line.size() - 4) == " -->")
                read[line.substr(5, line.size() - 9)] += block.body;
        }
        return read;
    }();
    return examples;
}

const std::string& Example(const std::string& marker) {
    static const std::string none;
    auto it = Examples().find(marker);
    if (it != Examples().end()) return it->second;
    ADD_FAILURE() << "docs/files.md has no block after <!-- " << marker << " -->";
    return none;
}

// "0A FF  ; note" lines to bytes; a word that is not two hex digits fails.
std::string HexBytes(const std::string& dump) {
    std::string bytes, line;
    std::istringstream in(dump);
    while (std::getline(in, line)) {
        std::istringstream words(line.substr(0, line.find(';')));
        std::string w;
        while (words >> w) {
            char* end = nullptr;
            const long v = std::strtol(w.c_str(), &end, 16);
            if (w.size() != 2 || *end != '\0') ADD_FAILURE() << "not a hex byte: " << w;
            bytes.push_back(static_cast<char>(v));
        }
    }
    return bytes;
}

// The game folder every unlabelled example makes, with the demo's pictures,
// sound and icon that the examples name.
void WriteGame(const play::GameFolder& game) {
    for (const auto& [marker, text] : Examples()) {
        if (marker.find(" (") != std::string::npos) continue;
        if (marker.rfind("example: ", 0) == 0) game.Write(marker.substr(9), text);
        if (marker.rfind("hex example: ", 0) == 0) game.Write(marker.substr(13), HexBytes(text));
    }
    const fs::path demo = fs::path(ENGINE_SOURCE_DIR) / "games" / "demo";
    std::error_code ec;
    fs::copy_file(demo / "configs/icon.png", game / "configs/icon.png", ec);
    fs::create_directories(game / "pictures", ec);
    for (const char* p : {"walker_r0.png", "walker_r1.png"})
        fs::copy_file(demo / "pictures" / p, game / (std::string("pictures/") + p), ec);
    fs::create_directories(game / "sounds", ec);
    fs::copy_file(demo / "sounds/blip.wav", game / "sounds/blip.wav", ec);
}

// A small real screen and a scene: menus, animations and sounds register
// with it and make surfaces in the display format. Runs inside the game
// folder, from which the examples name their files.
class FileExamplesOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_NE(OpenDummyScreen(video, 320, 240), nullptr);
        GraphAPI::SetScaledSize(320, 240);
        scene.emplace();
        staged.emplace(*scene);
        previousSounds = SetFrameSoundsLoader(LoadAnimationSoundTable);
        WriteGame(game);
        char buf[4096];
        oldDir = getcwd(buf, sizeof buf) ? buf : ".";
        ASSERT_EQ(chdir(game.Path().c_str()), 0);
    }
    void TearDown() override {
        if (chdir(oldDir.c_str()) != 0) ADD_FAILURE() << "cannot return to " << oldDir;
        SetFrameSoundsLoader(previousSounds);
        staged.reset();
        scene.reset();
        video.ScreenImage.ViewSurface(nullptr);
        video.Screen = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // A picture's place and size, then its pixels row by row as RGBA; a
    // transparent pixel as its alpha alone, its colour being no one's.
    static std::vector<int> Picture(const Image* image) {
        std::vector<int> out{image->x, image->y, image->w, image->h};
        for (int y = 0; y < image->h; ++y)
            for (int x = 0; x < image->w; ++x) {
                Uint8 c[4];
                SDL_GetRGBA(GraphAPI::GetPixel(image->surface, x, y), image->surface->format, &c[0], &c[1],
                            &c[2], &c[3]);
                out.insert(out.end(), c[3] ? c : c + 3, c + 4);
            }
        return out;
    }

    GraphAPI::VideoState video;
    GraphAPI::ScopedVideo shown{video};
    play::GameFolder game;
    std::string oldDir;
    std::optional<ddScene> scene;
    std::optional<ScopedScene> staged;
    FrameSoundsLoader previousSounds = nullptr;
};

using Box = std::array<int, 4>;  // x, y, width, height

Box BoxOf(ddMenu* item) {
    if (!item) return {-1, -1, -1, -1};
    return {item->GetX(), item->GetY(), item->GetWidth(), item->GetHeight()};
}

// Each item's box, looked up by its name.
void ExpectBoxes(ddMenu& menu, const std::vector<std::pair<std::string, Box>>& items) {
    for (const auto& [name, box] : items) EXPECT_EQ(BoxOf(menu.FindItem(name.c_str())), box) << name;
}

// An action as "name [loop]: frame bank (x, y) [sound], ...".
std::string Describe(AkcjaAnimacji* action) {
    std::ostringstream out;
    out << action->GetName() << (action->GetLoop() ? " loop" : "") << ":";
    for (int i = 0; i < action->GetFrameCount(); ++i) {
        AnimationFrame* f = action->GetFrame(i);
        const char* sound = action->GetFrameSound(i);
        out << (i ? ", " : " ") << f->GetName() << " " << f->GetBankIndex() << " (" << f->GetX() << ", "
            << f->GetY() << ")" << (sound ? std::string(" ") + sound : "");
    }
    return out.str();
}

}  // namespace

TEST(FileExamples, EveryExampleIsLoadedTheTaggedTextAndTheConfiguration) {
    // The page's examples are those these tests load: one added to the page
    // needs its check here.
    std::set<std::string> markers;
    for (const auto& [marker, text] : Examples()) markers.insert(marker);
    EXPECT_EQ(markers, (std::set<std::string>{
                           "example: configs/progs/menu.db", "example: configs/progs/ptbuilder.db",
                           "example: configs/zel_config",    "example: configs/zel_config (full screen)",
                           "example: data/choices.db",       "example: data/choices.vec",
                           "example: data/dots.lum",         "example: data/items.db",
                           "example: data/names.vec",        "example: data/notes.txt",
                           "example: data/places.txt",       "example: data/room.ptf",
                           "example: data/talk.beh",         "example: data/walker.lum",
                           "example: data/walker.snd",       "example: saves/score",
                           "example: scripts/files.asm",     "example: scripts/game",
                           "hex example: data/dot.z16",      "hex example: data/dots.zel",
                           "output: scripts/files.asm"}));

    TempFolder dir;
    auto load = [&](const std::string& marker, ddBase& tree) {
        dir.Write("file", Example(marker));
        ASSERT_EQ(tree.Load((dir / "file").c_str()), 1) << marker;
    };

    // Escapes, a comment and text after a child's closing tag.
    ddBase notes;
    load("example: data/notes.txt", notes);
    EXPECT_EQ(notes.Name(), "notes");
    ASSERT_TRUE(notes.FindNode("title"));
    EXPECT_STREQ(notes.GetCurrentValue(), " A <quoted> title \n\t");
    ASSERT_TRUE(notes.FindNode("list"));
    EXPECT_STREQ(notes.GetCurrentValue(), " before the children\n\t\t");
    EXPECT_EQ(notes.CurrentChildCount(), 1);
    ASSERT_TRUE(notes.FindNode("item"));
    EXPECT_STREQ(notes.GetCurrentValue(), " one\n\t\t");

    ddBase window;
    load("example: configs/zel_config", window);
    StartupConfig w = ReadStartupConfig(window);
    EXPECT_FALSE(w.screen);
    ASSERT_TRUE(w.windebug);
    EXPECT_EQ((std::vector<int>{w.windebug->width, w.windebug->height, w.windebug->bpp,
                                w.windebug->desktopDepth, w.fontSize, w.fontR, w.fontG, w.fontB}),
              (std::vector<int>{320, 240, 32, 1, 14, 250, 250, 200}));
    EXPECT_EQ(
        (std::vector<std::string>{w.caption.value_or(""), w.icon.value_or(""), w.fontFile, w.activeGame}),
        (std::vector<std::string>{"My_Game", "configs/icon.png", "configs/fonts/normal.ttf", "asmgame"}));

    // Full screen: a mode in the preferred ranges wins over a nearer one;
    // 1024 x 768 and 1366 x 768 open their rows' video sizes, and the
    // 800 x 600 game is scaled to 1023 x 768.
    ddBase full;
    load("example: configs/zel_config (full screen)", full);
    StartupConfig f = ReadStartupConfig(full);
    ASSERT_TRUE(f.screen && f.offsetX && f.offsetY && f.appSize);
    EXPECT_EQ((std::vector<int>{f.screen->width, f.screen->height, f.screen->bpp, f.screen->fullscreen,
                                f.screen->desktopDepth, f.appSize->width, f.appSize->height}),
              (std::vector<int>{800, 600, 32, 1, 1, 800, 600}));
    auto pick = [&](std::vector<Size> modes) {
        const Size s = SearchModes(modes, Size{800, 600}, *f.offsetX, *f.offsetY);
        return std::pair{s.width, s.height};
    };
    EXPECT_EQ(pick({{800, 600}, {1024, 768}, {1280, 1024}}), std::pair(1024, 768));
    EXPECT_EQ(pick({{1920, 1080}, {1366, 768}}).first, 1366);
    EXPECT_EQ(pick({{640, 480}, {800, 600}}).first, 800);  // none in the ranges: the nearest
    for (const auto& [screen, video] : {std::pair{Size{1366, 768}, std::pair(1280, 768)},
                                        std::pair{Size{1024, 768}, std::pair(1024, 768)}}) {
        auto row = FindResRow(f.resRows, screen);
        ASSERT_TRUE(row) << screen.width;
        EXPECT_EQ(std::pair(row->videoWidth, row->videoHeight), video) << screen.width;
    }
    EXPECT_EQ(ScaledAppWidth(800, 600, 768), 1023);
}

TEST_F(FileExamplesOnScreen, MenuDefinitionsAndEntryFiles) {
    // The chooser's items one below the other, and a click on the second
    // chooses the scripted game.
    ddMenu chooser("configs/progs/menu.db");
    std::vector<std::string> names;
    for (ddMenu* item : chooser.Items()) names.emplace_back(item->GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"title", "asmgame", "ptbuilder", "exit"}));
    ExpectBoxes(chooser, {{"title", {20, 20, 160, 30}},
                          {"asmgame", {20, 50, 160, 30}},
                          {"ptbuilder", {20, 80, 160, 30}},
                          {"exit", {20, 110, 160, 30}}});
    EXPECT_STREQ(chooser.FindItem("ptbuilder")->GetLabel()->GetText(), "Walk paths");
    ASSERT_TRUE(chooser.IsIn(30, 60, 1, 1));
    EXPECT_TRUE(chooser.IsSelected("asmgame"));

    // The walk-path editor's menu: two columns of commands.
    ddMenu editor("configs/progs/ptbuilder.db");
    ExpectBoxes(editor, {{"game", {0, 0, 90, 18}},
                         {"anima", {90, 0, 90, 18}},
                         {"addrem", {0, 18, 90, 18}},
                         {"zoom", {0, 36, 90, 18}},
                         {"exit", {0, 18 * 8, 90, 18}},
                         {"loadan", {90, 18, 90, 18}},
                         {"closean", {90, 36, 90, 18}}});
    for (const char* command : {"setpath", "loadpt", "savept", "initpos", "loadbg"})
        EXPECT_NE(editor.FindItem(command), nullptr) << command;

    // Entry files: words of a vector file, trimmed "submenu" values.
    auto entries = [](const char* file) {
        ddVector<ddString> loaded;
        ddMenu::LoadEntries(file, loaded);
        std::vector<std::string> out;
        for (int i = 0; i < loaded.Size(); ++i) out.emplace_back(loaded.Get(i).c_str());
        return out;
    };
    EXPECT_EQ(entries("data/choices.vec"), (std::vector<std::string>{"bottom", "right", "New_game", "Quit"}));
    EXPECT_EQ(entries("data/choices.db"), (std::vector<std::string>{"bottom", "right", "New game", "Quit"}));
}

TEST_F(FileExamplesOnScreen, AnimationsTheirSoundTableAndAWalkPathGraph) {
    Animacja walker;
    ASSERT_EQ(walker.LoadDefinition("data/walker.lum", 1.0f, 1.0f), 1);
    EXPECT_EQ(walker.GetDelay(), 3);
    ASSERT_EQ(walker.GetBankCount(), 2);
    EXPECT_EQ(std::pair(walker.GetBankImage(1)->w, walker.GetBankImage(1)->h), std::pair(32, 64));
    ASSERT_EQ(walker.GetActionCount(), 2);
    EXPECT_EQ(Describe(walker.GetAction(0)), "stand: stand0 0 (-16, -64)");
    EXPECT_EQ(Describe(walker.GetAction(1)), "walk loop: walk0 0 (-16, -64), walk1 1 (-16, -64) step");

    // Its sound table: two sounds, one group of both, rows on walk's frames.
    const ddAnimSnd* sounds = dynamic_cast<const ddAnimSnd*>(walker.GetSoundTable());
    ASSERT_NE(sounds, nullptr);
    ASSERT_EQ(sounds->GetBankCount(), 1);
    EXPECT_EQ(std::pair(sounds->GetWavCount(), sounds->GetBank(0)->GetWavCount()), std::pair(2, 2));
    EXPECT_EQ(sounds->GetEntry(0, 0), nullptr);
    const ddAnimSnd::Entry* first = sounds->GetEntry(1, 0);
    const ddAnimSnd::Entry* second = sounds->GetEntry(1, 1);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->sound, sounds->GetWav(0));
    EXPECT_EQ(first->restart, 0);
    EXPECT_EQ(second->sound, sounds->GetBank(0));
    EXPECT_EQ(second->restart, 1);

    // A sheet beside its definition.
    Animacja dots;
    ASSERT_EQ(dots.LoadDefinition("data/dots.lum", 1.0f, 1.0f), 1);
    ASSERT_EQ(dots.GetBankCount(), 2);
    EXPECT_EQ(std::pair(dots.GetBankImage(0)->w, dots.GetBankImage(1)->w), std::pair(2, 1));
    ASSERT_EQ(dots.GetActionCount(), 1);
    EXPECT_EQ(Describe(dots.GetAction(0)), "blink loop: big 0 (0, 0), small 1 (1, 1)");

    // The walk-path graph: each "e" line links both ways.
    ddWalkGraph room;
    room.LoadGraph("data/room.ptf");
    ASSERT_EQ(room.GetVertexCount(), 3);
    const ddpathVertex* back = room.GetPathVertex(2);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ((std::vector<int>{back->GetX(), back->GetY(), back->GetId()}), (std::vector<int>{160, 120, 7}));
    EXPECT_FLOAT_EQ(back->GetDepth(), -0.5f);
    EXPECT_TRUE(room.GetGraph().IsConnected(0, 1) && room.GetGraph().IsConnected(1, 0));
    EXPECT_TRUE(room.GetGraph().IsConnected(1, 2) && room.GetGraph().IsConnected(2, 1));
    EXPECT_FALSE(room.GetGraph().IsConnected(0, 2));
}

TEST_F(FileExamplesOnScreen, PictureSheetsByteForByte) {
    Image* pictures[2] = {nullptr, nullptr};
    ASSERT_EQ(GraphAPI::CountPictures("data/dots.zel"), 2);
    ASSERT_EQ(GraphAPI::LoadZel(pictures, "data/dots.zel", 2), 2);
    // Place, size, then red red / transparent blue; one green pixel.
    EXPECT_EQ(Picture(pictures[0]),
              (std::vector<int>{5, 10, 2, 2, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 255, 255}));
    EXPECT_EQ(Picture(pictures[1]), (std::vector<int>{0, 0, 1, 1, 0, 255, 0, 255}));
    for (Image* p : pictures) delete p;

    Image* dot = nullptr;
    ASSERT_EQ(GraphAPI::LoadZ16(&dot, "data/dot.z16", 1), 1);
    EXPECT_EQ(Picture(dot),
              (std::vector<int>{5, 10, 2, 2, 248, 0, 0, 255, 248, 0, 0, 255, 0, 0, 0, 248, 255}));
    // The writer gives the same bytes back.
    std::string written("\x01\0\0\0", 4);
    written += GraphAPI::EncodeZ16Picture(*dot);
    EXPECT_EQ(written, HexBytes(Example("hex example: data/dot.z16")));
    delete dot;
}

TEST(FileExamples, TheScriptReadsEveryFormatAsShown) {
    play::GameFolder game;
    WriteGame(game);
    ProcessResult r = game.RunEngine();
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, Example("output: scripts/files.asm"));
}
