// The per-user application data folder: $XDG_DATA_HOME, else
// $HOME/.local/share, created when missing. Empty when there is none.
#pragma once

#include <string>

std::string UserDataFolder();
