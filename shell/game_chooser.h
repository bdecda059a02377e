// The game kind "gamechooser": a start menu read from
// "configs/progs/menu.db" whose item nodes are named after the game kinds.
// A click on an item ends the run; an item named "asmgame", "lumo",
// "ptbuilder" or "exit" becomes the next game kind.
#pragma once

#include "shell/game_api.h"

class ddMenu;

class GameChooser : public GameAPI {
public:
    static constexpr const char* kMenuFile = "configs/progs/menu.db";

    void OnStart() override;
    void OnLeftDown(const InputEvent& click) override;
    void OnStop() override;

    ddMenu* GetMenu() const { return menu; }

private:
    ddMenu* menu = nullptr;
};

// Registers the game kind "gamechooser".
void RegisterGameChooserKind();
