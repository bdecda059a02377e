// Every game kind this program runs, in one table: the scripted game, the
// two editors and the game chooser, under the names that the
// configuration's "activegame" and the chooser's menu items use. Only here
// are all of them visible.
#pragma once

#include "shell/game_kinds.h"

GameKinds ProgramGameKinds();
