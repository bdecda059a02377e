// The walk-path editor on a 640 x 480 dummy screen with a font, in a
// temporary working folder, driven through the input state and the game's
// dispatch (the same calls the loop makes for each event).
#pragma once

#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "common/run_process.h"
#include "graphics/font.h"
#include "paths/walk_graph.h"
#include "platform/input_events.h"
#include "shell/loop_fixture.h"
#include "tools/file_loader.h"
#include "tools/path_builder.h"
#include "tools/ptf_view.h"

namespace ptb_test {

inline const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class PathBuilderTest : public loop_test::LoopTest {
protected:
    static constexpr int kW = 640, kH = 480;

    void SetUp() override {
        LoopTest::SetUp();
        ASSERT_NE(OpenDummyScreen(video, kW, kH), nullptr);
        ASSERT_TRUE(OpenFontLibrary());
        SetDefaultFont(&defaultFont);
        defaultFont.Open(kFontFile, 12);
        defaultFont.SetColor(250, 250, 250);
        char buf[4096];
        oldDir = getcwd(buf, sizeof buf) ? buf : ".";
        folder.Write("configs/zel_config", "<c></c>\n");
        ASSERT_EQ(chdir(folder.Path().c_str()), 0);
    }

    void TearDown() override {
        editor.reset();
        if (chdir(oldDir.c_str()) != 0) ADD_FAILURE() << "cannot go back to " << oldDir;
        CloseFontLibrary();
        input.keys.assign(SDLK_LAST, 0);
        LoopTest::TearDown();
    }

    // A started editor.
    pathbuilderGame& Start() {
        editor = std::make_unique<pathbuilderGame>();
        editor->OnStart();
        return *editor;
    }

    void Modifiers(bool ctrl, bool shift = false, bool space = false) {
        input.keys[SDLK_LCTRL] = ctrl ? 1 : 0;
        input.keys[SDLK_LSHIFT] = shift ? 1 : 0;
        input.keys[SDLK_SPACE] = space ? 1 : 0;
    }

    // The mouse and its buttons as the loop keeps them, and the events as
    // it hands them on.
    void MoveTo(int x, int y) {
        inputState.MouseX = x;
        inputState.MouseY = y;
        editor->HandleMouseMove(MotionEvent(x, y));
    }
    void LeftDown(int x, int y) {
        MoveTo(x, y);
        SetLeftButton(1);
        editor->HandleLeftDown(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y));
    }
    void LeftUp(int x, int y) {
        MoveTo(x, y);
        SetLeftButton(0);
        editor->HandleLeftUp(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y));
    }
    void LeftClick(int x, int y) {
        LeftDown(x, y);
        LeftUp(x, y);
    }
    void RightClick(int x, int y) {
        MoveTo(x, y);
        SetRightButton(1);
        editor->HandleRightDown(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, x, y));
        SetRightButton(0);
        editor->HandleRightUp(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, x, y));
    }

    // One key press as the loop hands it on; a letter types itself.
    void Press(int sym, bool ctrl = false, bool shift = false) {
        Modifiers(ctrl, shift);
        const int mod = (ctrl ? KMOD_LCTRL : 0) | (shift ? KMOD_LSHIFT : 0);
        SetKeyHeld(1);
        editor->HandleKeyDown(KeyEvent(sym, mod, sym < 128 ? sym : 0));
        SetKeyHeld(0);
        Modifiers(false);
    }
    void Type(const std::string& text) {
        for (char c : text) Press(static_cast<unsigned char>(c));
    }
    // Opens a file prompt with left Ctrl and the letter, types the name
    // over what the box held, and confirms it.
    void Prompt(char letter, const std::string& name) {
        Press(letter, true);
        const int held = static_cast<int>(std::string(editor->GetPathBox()->GetText()).size() +
                                          std::string(editor->GetBackgroundBox()->GetText()).size() +
                                          std::string(editor->GetAnimationBox()->GetText()).size());
        for (int i = 0; i < held; ++i) Press(SDLK_BACKSPACE);
        Type(name);
        Press(SDLK_RETURN);
    }

    std::string State() const { return pathbuilderGame::StateName(editor->GetState()); }
    ddbuildedptf& View() { return *editor->GetView(); }
    ddpathVertex* Vertex(int i) { return View().GetVertex(i); }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // A one-colour BMP picture.
    static void WritePicture(const std::string& path, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
        SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b));
        SDL_SaveBMP(s, path.c_str());
        SDL_FreeSurface(s);
    }
    // An animation definition of one action "stand" showing that picture.
    void WriteAnimation(const std::string& lum, const std::string& picture) {
        folder.Write(lum, "<delay>\t2\n<files>\t1\n\t<< c >>\t" + picture +
                              "\n<action>\tstand\n\t<f>\t0\tzero\t0\t0\n</action>\n");
    }

    TempFolder folder;
    std::string oldDir;
    ddFont defaultFont;  // installed as the default font
    std::unique_ptr<pathbuilderGame> editor;
};

}  // namespace ptb_test
