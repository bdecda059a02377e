#include "shell/game_kinds.h"

#include <string>
#include <utility>
#include <vector>

#include "graphics/graph_api.h"

namespace {

std::vector<std::pair<std::string, GameKindRun>>& Kinds() {
    static std::vector<std::pair<std::string, GameKindRun>> kinds;
    return kinds;
}

// The kind registered under `name`, or null (also for a name without text).
GameKindRun FindKind(const ddString& name) {
    for (const auto& [kind, run] : Kinds())
        if (name == kind.c_str()) return run;
    return nullptr;
}

}  // namespace

void RegisterGameKind(const char* name, GameKindRun run) {
    for (auto& [kind, known] : Kinds()) {
        if (kind == name) {
            known = run;
            return;
        }
    }
    Kinds().emplace_back(name, run);
}

void ClearGameKinds() { Kinds().clear(); }

void RunGameKinds() {
    while (ActiveGame != "exit") {
        // Each kind starts on a cleared screen: nothing the last one drew
        // stays under it.
        GraphAPI::ClearScreenRGB();
        GraphAPI::UpdateScreen();
        GameKindRun run = FindKind(ActiveGame);
        ActiveGame = "exit";
        if (run) run();
    }
}
