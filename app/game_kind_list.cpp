#include "app/game_kind_list.h"

#include "script_classes/engine_script_classes.h"
#include "shell/game_chooser.h"
#include "tools/lumo_game.h"
#include "tools/path_builder.h"

namespace {

constexpr GameKind kGameKinds[] = {
    {"asmgame", RunScriptGameKind},
    {"lumo", RunLumoKind},
    {"ptbuilder", RunPathBuilderKind},
    {"gamechooser", RunGameChooserKind},
};

}  // namespace

GameKinds ProgramGameKinds() { return kGameKinds; }
