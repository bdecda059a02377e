// The filter's script class "filter" (type code 19); the filter itself is
// graphics/filter.h.
#pragma once

// Registers "filter" with the script machine.
void RegisterFilterScriptClass();
