#include "shell/game_kinds.h"

#include "graphics/graph_api.h"

namespace {

// The kind listed under `name`, or null.
const GameKind* FindKind(GameKinds kinds, const std::string& name) {
    for (const GameKind& kind : kinds)
        if (name == kind.name) return &kind;
    return nullptr;
}

}  // namespace

void RunGameKinds(GameKinds kinds, const std::string& first) {
    // The kind to run next: before each run "exit", so a run that names no
    // successor ends the program.
    std::string ActiveGame = first;
    while (ActiveGame != "exit") {
        // Each kind starts on a cleared screen: nothing the last one drew
        // stays under it.
        GraphAPI::ClearScreenRGB();
        GraphAPI::UpdateScreen();
        const GameKind* kind = FindKind(kinds, ActiveGame);
        ActiveGame = "exit";
        if (kind) ActiveGame = kind->run(kinds);
    }
}
