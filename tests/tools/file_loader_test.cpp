#include "tools/file_loader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "graphics/font_fixture.h"
#include "graphics/text.h"
#include "scene/scene.h"
#include "shell/game_api.h"

namespace {

namespace fs = std::filesystem;

class FileLoaderTest : public FontTest {
protected:
    void SetUp() override {
        FontTest::SetUp();
        shown.emplace(scene);
        dir = fs::temp_directory_path() / ("file_loader_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::remove_all(dir);
        shown.reset();
        FontTest::TearDown();
    }

    // Every game runs inside a scene.
    ddScene scene;
    std::optional<ScopedScene> shown;

    std::string Path(const char* name) const { return (dir / name).string(); }

    static void Write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // Each character goes through the game's key dispatch, as the loop
    // hands a key press over.
    void Type(GameAPI& game, const std::string& s) {
        for (char c : s) {
            PressKey(static_cast<SDLKey>(std::tolower(static_cast<unsigned char>(c))),
                     static_cast<Uint16>(c));
            game.HandleKeyDown();
        }
    }
    void Key(GameAPI& game, SDLKey sym, Uint16 unicode = 0) {
        PressKey(sym, unicode);
        game.HandleKeyDown();
    }

    fs::path dir;
};

TEST_F(FileLoaderTest, RemembersTheLastNameTypedBetweenRuns) {
    const std::string memory = Path("ptfname");
    Write(memory, "room.ptf");
    GameAPI game;
    {
        toolFileLoader box(memory.c_str(), 60, 10, 100, 20, 40, 50, 60, 255);
        EXPECT_STREQ(box.GetText(), "room.ptf");
        EXPECT_STREQ(box.GetField()->GetText(), "room.ptf");
        EXPECT_STREQ(box.GetLabel()->GetText(), "file:");
        box.Open(&game);
        Key(game, SDLK_DELETE);
        Type(game, "hall2.ptf");
        EXPECT_STREQ(box.GetText(), "hall2.ptf");
        EXPECT_EQ(Read(memory), "room.ptf");  // written only when the box goes
    }
    EXPECT_EQ(Read(memory), "hall2.ptf");

    // The next run starts with it.
    toolFileLoader again(memory.c_str(), 60, 10, 100, 20, 40, 50, 60, 255);
    EXPECT_STREQ(again.GetText(), "hall2.ptf");
}

TEST_F(FileLoaderTest, AMemoryFileIsReadWithoutItsTrailingLineEnd) {
    const std::string memory = Path("ended");
    for (const char* text : {"data/in.ptf\n", "data/in.ptf\r\n"}) {
        Write(memory, text);
        toolFileLoader box(memory.c_str(), 60, 10, 100, 20, 40, 50, 60, 255);
        EXPECT_STREQ(box.GetText(), "data/in.ptf") << text;
    }
    // Only the one line end goes.
    Write(memory, "two\nlines\n\n");
    toolFileLoader box(memory.c_str(), 60, 10, 100, 20, 40, 50, 60, 255);
    EXPECT_STREQ(box.GetText(), "two\nlines\n");
}

TEST_F(FileLoaderTest, AMissingMemoryFileIsCreatedEmptyAndANoneBoxWritesNothing) {
    const std::string memory = Path("fresh");
    {
        toolFileLoader box(memory.c_str(), 60, 10, 100, 20, 40, 50, 60, 255);
        EXPECT_STREQ(box.GetText(), "");
        ASSERT_TRUE(fs::exists(memory));
        EXPECT_EQ(fs::file_size(memory), 0u);
        EXPECT_STREQ(box.GetMemoryFile(), memory.c_str());
    }

    fs::remove(memory);
    const fs::path here = fs::current_path();
    fs::current_path(dir);
    {
        GameAPI game;
        toolFileLoader none(nullptr, 60, 10, 100, 20, 40, 50, 60, 255);
        toolFileLoader empty("", 60, 40, 100, 20, 40, 50, 60, 255);
        EXPECT_STREQ(none.GetMemoryFile(), "");
        none.Open(&game);
        Type(game, "typed");
        EXPECT_STREQ(none.GetText(), "typed");
    }
    fs::current_path(here);
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(FileLoaderTest, EscBringsBackTheTextOfTheLastOpenNotOfConstruction) {
    const std::string memory = Path("mem");
    Write(memory, "one");
    GameAPI game;
    toolFileLoader box(memory.c_str(), 60, 10, 100, 20, 40, 50, 60, 255);

    // Before any prompt, a cancel keeps what the box started with.
    box.RestoreText();
    EXPECT_STREQ(box.GetText(), "one");

    box.Open(&game);
    Type(game, "two");
    Key(game, SDLK_RETURN, 13);  // return ends the editing
    EXPECT_FALSE(box.GetField()->IsUnlocked());
    EXPECT_STREQ(box.GetText(), "onetwo");

    box.Open(&game);
    EXPECT_TRUE(box.GetField()->IsUnlocked());
    EXPECT_STREQ(box.GetRememberedText(), "onetwo");
    Key(game, SDLK_BACKSPACE, 8);
    Type(game, "3");
    EXPECT_STREQ(box.GetText(), "onetw3");
    Key(game, SDLK_ESCAPE, 27);  // no character of its own
    EXPECT_STREQ(box.GetText(), "onetw3");
    box.RestoreText();
    EXPECT_STREQ(box.GetText(), "onetwo");
}

TEST_F(FileLoaderTest, OpeningTakesTheFocusFromAnotherBox) {
    GameAPI game;
    toolFileLoader first(nullptr, 60, 10, 100, 20, 40, 50, 60, 255);
    toolFileLoader second(nullptr, 60, 40, 100, 20, 40, 50, 60, 255);
    // A box the game never focused does not hear the keys.
    Type(game, "x");
    EXPECT_STREQ(first.GetText(), "");

    first.Open(&game);
    EXPECT_TRUE(game.HasInputFocus(first.GetField()));
    Type(game, "a1");
    second.Open(&game);
    EXPECT_TRUE(game.HasInputFocus(second.GetField()));
    EXPECT_FALSE(first.GetField()->IsUnlocked());
    Type(game, "b/c.ptf");
    EXPECT_STREQ(first.GetText(), "a1");
    EXPECT_STREQ(second.GetText(), "b/c.ptf");

    // Opening without a game only remembers.
    first.Open(nullptr);
    EXPECT_TRUE(game.HasInputFocus(second.GetField()));
}

TEST_F(FileLoaderTest, LabelSitsLeftOfTheFieldInADarkerBoxAndBothMoveTogether) {
    toolFileLoader box(nullptr, 80, 30, 100, 20, 40, 50, 60, 255);
    ddTekst* label = box.GetLabel();
    ddTekst* field = box.GetField();
    ASSERT_NE(label, nullptr);
    ASSERT_NE(field, nullptr);
    const int labelWidth = DefaultFont().TextWidth("file:");
    ASSERT_GT(labelWidth, 0);
    EXPECT_EQ(box.Count(), 2);
    EXPECT_EQ(box.At(0), label);
    EXPECT_EQ(box.At(1), field);

    EXPECT_EQ(field->GetX(), 80);
    EXPECT_EQ(field->GetY(), 30);
    EXPECT_EQ(field->GetWidth(), 100);
    EXPECT_EQ(field->GetHeight(), 20);
    EXPECT_EQ(label->GetX(), 80 - labelWidth);
    EXPECT_EQ(label->GetY(), 30);
    EXPECT_EQ(label->GetWidth(), labelWidth);
    EXPECT_EQ(label->GetHeight(), 20);
    // The container answers with its first child, the label.
    EXPECT_EQ(box.GetX(), 80 - labelWidth);

    Uint8 r, g, b, a;
    SurfaceRGBA(label->GetBackground()->GetImage()->surface, 0, 0, &r, &g, &b, &a);
    EXPECT_EQ(r, 30);
    EXPECT_EQ(g, 40);
    EXPECT_EQ(b, 50);
    EXPECT_EQ(a, 255);
    SurfaceRGBA(field->GetBackground()->GetImage()->surface, 0, 0, &r, &g, &b, &a);
    EXPECT_EQ(r, 40);
    EXPECT_EQ(g, 50);
    EXPECT_EQ(b, 60);
    // Every character is allowed in a file name.
    EXPECT_TRUE(field->LettersAllowed());
    EXPECT_TRUE(field->DigitsAllowed());
    EXPECT_TRUE(field->OthersAllowed());

    box.Move(5, 7);
    EXPECT_EQ(field->GetX(), 85);
    EXPECT_EQ(label->GetX(), 85 - labelWidth);
    EXPECT_EQ(label->GetY(), 37);

    // Drawn, the label's box shows left of the field's box.
    SDL_FillRect(GraphAPI::CurrentVideo().Screen, nullptr, 0);
    box.Draw();
    ScreenRGB(85 - labelWidth, 37, &r, &g, &b);
    EXPECT_EQ(r, 30);
    ScreenRGB(85 + 99, 37 + 19, &r, &g, &b);
    EXPECT_EQ(r, 40);
    box.Hide();
    SDL_FillRect(GraphAPI::CurrentVideo().Screen, nullptr, 0);
    box.Draw();
    EXPECT_FALSE(AnyLit(0, 0, 200, 150));

    // A channel below 10 darkens to 0 instead of wrapping to a bright one.
    toolFileLoader dark(nullptr, 80, 30, 100, 20, 5, 0, 200, 128);
    SurfaceRGBA(dark.GetLabel()->GetBackground()->GetImage()->surface, 0, 0, &r, &g, &b, &a);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 190);
    EXPECT_EQ(a, 128);
}

TEST_F(FileLoaderTest, AMemoryFileThatCannotBeWrittenKeepsWhatWasThere) {
    // The memory "file" is a folder with something inside: the save cannot
    // replace it and must not harm it.
    const std::string memory = Path("taken");
    fs::create_directories(memory);
    Write(memory + "/inside", "keep");
    {
        GameAPI game;
        toolFileLoader box(memory.c_str(), 60, 10, 100, 20, 40, 50, 60, 255);
        EXPECT_STREQ(box.GetText(), "");
        box.Open(&game);
        Type(game, "new");
    }
    ASSERT_TRUE(fs::is_directory(memory));
    EXPECT_EQ(Read(memory + "/inside"), "keep");
    // No temporary file is left beside it.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++entries;
    EXPECT_EQ(entries, 1);

    // A memory file whose folder went away is simply not written.
    const std::string sub = Path("gone");
    fs::create_directories(sub);
    Write(sub + "/mem", "old");
    {
        toolFileLoader box((sub + "/mem").c_str(), 60, 10, 100, 20, 40, 50, 60, 255);
        EXPECT_STREQ(box.GetText(), "old");
        fs::remove_all(sub);
    }
    EXPECT_FALSE(fs::exists(sub));
}

TEST_F(FileLoaderTest, ATextTakenOutOfTheBoxIsNoLongerUsed) {
    const std::string memory = Path("mem");
    Write(memory, "kept");
    GameAPI game;
    {
        toolFileLoader box(memory.c_str(), 60, 10, 100, 20, 40, 50, 60, 255);
        box.Open(&game);
        box.DeleteAll();  // an owner empties the container by hand
        EXPECT_EQ(box.GetField(), nullptr);
        EXPECT_EQ(game.GetInputFocus(), nullptr);
        EXPECT_STREQ(box.GetText(), "");
        box.Open(&game);
        box.RestoreText();
    }
    EXPECT_EQ(Read(memory), "kept");
}

}  // namespace
