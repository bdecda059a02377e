// The game kind "gamechooser": a start menu read from
// "configs/progs/menu.db" whose item nodes are named after the game kinds.
// A click on an item ends the run; an item named after one of the other
// kinds of the table it runs from becomes the next game kind, any other
// (and "exit") none.
#pragma once

#include <string>

#include "shell/game_api.h"
#include "shell/game_kinds.h"

class ddMenu;

class GameChooser : public GameAPI {
public:
    static constexpr const char* kMenuFile = "configs/progs/menu.db";

    // Offers the kinds of `kinds` (the table must outlive the chooser).
    explicit GameChooser(GameKinds kinds = {}) : kinds(kinds) {}

    void OnStart() override;
    void OnLeftDown() override;
    void OnStop() override;

    ddMenu* GetMenu() const { return menu; }
    // The kind chosen, "exit" until one is.
    const std::string& Chosen() const { return chosen; }

private:
    GameKinds kinds;
    std::string chosen = "exit";
    ddMenu* menu = nullptr;
};

// The game kind "gamechooser": runs the chooser on `kinds` and returns the
// kind chosen.
std::string RunGameChooserKind(GameKinds kinds);
