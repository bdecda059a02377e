#include "shell/game_chooser.h"

#include <cstdio>

#include "platform/input_state.h"
#include "shell/menu.h"
#include "shell/mouse.h"

void GameChooser::OnStart() {
    if (ddMouse::Instance) ddMouse::Instance->Hide();
    ShowCursorAtMouse();
    CreateOpaqueBackground(0, 0, 0);
    NewMenu(menu, kMenuFile);
    if (menu->Items().empty()) {
        // Nothing could ever be chosen: say so and leave the next game as it is.
        std::printf("gamechooser: no menu items in %s\n", kMenuFile);
        std::fflush(stdout);
        EndLoop();
    }
}

void GameChooser::OnLeftDown() {
    if (!menu || !menu->IsIn(GetMouseX(), GetMouseY(), 1, 1)) return;
    // Any kind of the table but the chooser itself; "exit" and every other
    // item leave the choice at "exit".
    for (const GameKind& kind : kinds) {
        if (kind.run != RunGameChooserKind && menu->IsSelected(kind.name)) {
            chosen = kind.name;
            break;
        }
    }
    EndLoop();
}

void GameChooser::OnStop() {
    DeleteBackgroundCanvas();
    DeleteObject(menu);
}

std::string RunGameChooserKind(GameKinds kinds) {
    GameChooser chooser(kinds);
    chooser.Run();
    return chooser.Chosen();
}
