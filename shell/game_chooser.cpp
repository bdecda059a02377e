#include "shell/game_chooser.h"

#include <cstdio>

#include "platform/input_state.h"
#include "shell/game_kinds.h"
#include "shell/menu.h"
#include "shell/mouse.h"

void GameChooser::OnStart() {
    if (ddMouse* mouse = ddMouse::Instance()) mouse->Hide();
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

void GameChooser::OnLeftDown(const InputEvent& click) {
    if (!menu || !menu->IsIn(click.x, click.y, 1, 1)) return;
    for (const char* kind : {"asmgame", "lumo", "ptbuilder", "exit"}) {
        if (menu->IsSelected(kind)) {
            ActiveGame = kind;
            break;
        }
    }
    EndLoop();
}

void GameChooser::OnStop() {
    DeleteBackgroundCanvas();
    DeleteObject(menu);
}

void RegisterGameChooserKind() {
    RegisterGameKind("gamechooser", [] {
        GameChooser chooser;
        chooser.Run();
    });
}
