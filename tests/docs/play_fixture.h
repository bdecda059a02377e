// Games played for the manual's tests. A game folder is a temporary folder
// with the default font every game needs, either written by the test or a
// copy of one of the repository's games. It is played either by the engine
// program itself, headless, or by the engine's whole start-up (app's
// RunProgram) in a child process with a player's hands: frames of mouse
// moves, clicks and keys handed in through the headless input and event
// source, and a clock that moves one frame delay a frame. In both, what the
// game prints and its exit code come back.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/startup.h"
#include "common/run_process.h"
#include "platform/headless.h"
#include "shell/loop_fixture.h"

namespace play {

inline constexpr const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class GameFolder : public TempFolder {
public:
    // An empty folder, or a copy of `copyOf`, with configs/fonts/normal.ttf.
    explicit GameFolder(const std::filesystem::path& copyOf = {}) {
        namespace fs = std::filesystem;
        std::error_code ec;
        if (!copyOf.empty()) fs::copy(copyOf, Path(), fs::copy_options::recursive, ec);
        if (ec) ADD_FAILURE() << "cannot copy " << copyOf << ": " << ec.message();
        fs::create_directories(*this / "configs/fonts", ec);
        fs::copy_file(kFontFile, *this / "configs/fonts/normal.ttf", fs::copy_options::overwrite_existing,
                      ec);
        if (ec) ADD_FAILURE() << "cannot copy the font: " << ec.message();
    }

    // The engine program run here without a window or sound.
    ProcessResult RunEngine() const {
        return RunProgram(ENGINE_BINARY, Path(),
                          {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy",
                           "XDG_RUNTIME_DIR=" + runtime.Path()});
    }

    // The instance lock's folder, apart from every other test's.
    TempFolder runtime;
};

// The player's hands: what happens in each frame, in order. Once the frames
// are used up the window is closed.
struct Player {
    FakeInput input;
    FakeEvents events;
    SteppedClock clock{1000};
    size_t endsBy = SIZE_MAX;    // the frame by which the game must have ended itself
    int mouseX = 0, mouseY = 0;  // where the frames added so far leave the mouse

    Player& Wait(int frames) {
        for (int i = 0; i < frames; ++i) events.frames.push_back({});
        return *this;
    }
    // A frame in which the mouse is at (x, y).
    Player& MoveTo(int x, int y) {
        mouseX = x;
        mouseY = y;
        events.frames.push_back({{}, [this, x, y] {
                                     input.mouseX = x;
                                     input.mouseY = y;
                                 }});
        return *this;
    }
    // A frame with a press and a release of the button where the mouse is,
    // each event carrying that position as SDL's do.
    Player& Click(int button = SDL_BUTTON_LEFT) {
        events.frames.push_back({{loop_test::Button(SDL_MOUSEBUTTONDOWN, button, mouseX, mouseY),
                                  loop_test::Button(SDL_MOUSEBUTTONUP, button, mouseX, mouseY)},
                                 {}});
        return *this;
    }
    Player& Click(int x, int y, int button = SDL_BUTTON_LEFT) { return MoveTo(x, y).Click(button); }
    // A key pressed and let go within a frame, with `held` down meanwhile
    // (left Ctrl or left Alt), the typed character as the key's own.
    Player& Press(SDLKey sym, SDLKey held = SDLK_UNKNOWN) {
        const int mod = held == SDLK_LCTRL ? KMOD_LCTRL : held == SDLK_LALT ? KMOD_LALT : KMOD_NONE;
        SDL_Event down = loop_test::Key(SDL_KEYDOWN, sym, mod);
        down.key.keysym.unicode = sym < 128 ? static_cast<Uint16>(sym) : 0;
        events.frames.push_back(
            {{down, loop_test::Key(SDL_KEYUP, sym, mod)}, [this, held] { input.keys[held] = held ? 1 : 0; }});
        events.frames.push_back({{}, [this, held] { input.keys[held] = 0; }});
        return *this;
    }
    // A key held down over `repeats` more frames, each bringing one more
    // keydown as the system's key repeat does, and let go in the frame
    // after.
    Player& Hold(SDLKey sym, int repeats) {
        SDL_Event down = loop_test::Key(SDL_KEYDOWN, sym, KMOD_NONE);
        down.key.keysym.unicode = sym < 128 ? static_cast<Uint16>(sym) : 0;
        for (int i = 0; i <= repeats; ++i) events.frames.push_back({{down}, {}});
        events.frames.push_back({{loop_test::Key(SDL_KEYUP, sym, KMOD_NONE)}, {}});
        return *this;
    }
    Player& Type(const std::string& text) {
        for (char c : text) Press(static_cast<SDLKey>(c));
        return *this;
    }
    // The game must end by itself by the frame last added.
    Player& EndsHere() {
        endsBy = events.frames.size() - 1;
        return *this;
    }
};

inline Player* hands = nullptr;

inline void UseHands() {
    SetInput(&hands->input);
    SetEvents(&hands->events);
    SetClock(&hands->clock);
}

// The whole start-up in the game folder with the player's hands, in a child
// process. Its exit code is the program's, or 3 when the game ran past the
// player's EndsHere (the window's closing ended it, not the game).
inline ProcessResult Play(const GameFolder& game, Player& player) {
    hands = &player;
    return RunInChild([&game] {
        setenv("XDG_RUNTIME_DIR", game.runtime.Path().c_str(), 1);
        if (chdir(game.Path().c_str()) != 0) return 127;
        const int code = RunProgram(UseHands);
        const bool late = static_cast<size_t>(hands->events.framesStarted) > hands->endsBy;
        return code == 0 && late ? 3 : code;
    });
}

}  // namespace play
