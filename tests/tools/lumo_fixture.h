// The animation editor started on a dummy screen in a temporary working
// folder, with keys, mouse and events driven through the input seams.
#pragma once

#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/run_process.h"
#include "foundation/file_io.h"
#include "graphics/font.h"
#include "shell/loop_fixture.h"
#include "tools/lumo_game.h"

class LumoTest : public loop_test::LoopTest {
protected:
    static constexpr int kW = 320, kH = 240;
    static constexpr const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

    void SetUp() override {
        LoopTest::SetUp();
        ASSERT_NE(OpenDummyScreen(video, kW, kH), nullptr);
        ASSERT_TRUE(OpenFontLibrary());
        SetDefaultFont(&defaultFont);
        defaultFont.Open(kFont, 10);
        oldDir = std::filesystem::current_path();
        std::filesystem::current_path(folder.Path());
        std::filesystem::create_directories("lumo_factory");
        std::filesystem::create_directories("pics");
        std::filesystem::create_directories("out");
    }

    void TearDown() override {
        editor.reset();
        std::filesystem::current_path(oldDir);
        CloseFontLibrary();
        LoopTest::TearDown();
    }

    void Start() {
        editor = std::make_unique<lumo2Game>();
        editor->OnStart();
    }

    // A w x h BMP picture of one colour.
    static void WritePicture(const std::string& file, int w, int h, int r, int g, int b) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0xFF00, 0xFF, 0);
        SDL_FillRect(s, nullptr,
                     SDL_MapRGB(s->format, static_cast<Uint8>(r), static_cast<Uint8>(g),
                                static_cast<Uint8>(b)));
        SDL_SaveBMP(s, file.c_str());
        SDL_FreeSurface(s);
    }

    // A key going down with the given keys held, the modifiers among them
    // recorded in the event; the event goes through the game's dispatch
    // (focus text first).
    void Press(SDLKey sym, std::vector<SDLKey> held = {}, Uint16 unicode = 0) {
        int mod = KMOD_NONE;
        for (SDLKey k : held) {
            input.keys[k] = 1;
            mod |= k == SDLK_LCTRL    ? KMOD_LCTRL
                   : k == SDLK_LSHIFT ? KMOD_LSHIFT
                   : k == SDLK_RSHIFT ? KMOD_RSHIFT
                                      : 0;
        }
        input.keys[sym] = 1;
        LastEvent = SDL_Event{};
        LastEvent.type = SDL_KEYDOWN;
        LastEvent.key.type = SDL_KEYDOWN;
        LastEvent.key.state = SDL_PRESSED;
        LastEvent.key.keysym.sym = sym;
        LastEvent.key.keysym.mod = static_cast<SDLMod>(mod);
        LastEvent.key.keysym.unicode = unicode;
        KeyHeld = 1;
        editor->HandleKeyDown();
        input.keys[sym] = 0;
        for (SDLKey k : held) input.keys[k] = 0;
        KeyHeld = 0;
    }

    void Type(const std::string& text) {
        for (char c : text) Press(static_cast<SDLKey>(c), {}, static_cast<Uint16>(c));
    }

    void MoveMouse(int x, int y) {
        MouseX = x;
        MouseY = y;
        editor->HandleMouseMove();
    }
    void LeftDown(int x, int y) {
        MoveMouse(x, y);
        LeftButton = 1;
        editor->HandleLeftDown();
    }
    void LeftUp() {
        LeftButton = 0;
        editor->HandleLeftUp();
    }

    // Ctrl + key, then Enter (path field), the file name, Enter.
    void FilePrompt(SDLKey command, const std::string& dir, const std::string& file) {
        Press(command, {SDLK_LCTRL});
        editor->PathField()->SetText(dir.c_str());
        Press(SDLK_RETURN);
        editor->FileField()->SetText(file.c_str());
        Press(SDLK_RETURN);
    }

    void Import(const std::string& dir, const std::string& file) { FilePrompt(SDLK_l, dir, file); }
    void Save(const std::string& dir, const std::string& file) { FilePrompt(SDLK_s, dir, file); }

    // Selects the pictures at the given rows of the images group.
    void SelectPictures(int group, std::vector<int> rows) {
        lumo2Game::Pair* images = editor->ImagesPair();
        ActionManager* list = images->Upper().GetRow(group)->GetPayload();
        images->ChooseAction(list);
        list->ClearSelection();
        for (int r : rows) list->SelectRow(r);
        editor->ActivateImages();
    }

    static std::string ReadText(const std::string& file) {
        std::string text;
        ReadWholeFile(file.c_str(), text);
        return text;
    }

    TempFolder folder;
    std::filesystem::path oldDir;
    ddFont defaultFont;  // installed as the default font
    std::unique_ptr<lumo2Game> editor;
};
