#include "foundation/destruction_hold.h"

namespace {
// How many holds are alive, and what the end of the outermost one runs.
int g_depth = 0;
void (*g_releaseAction)() = nullptr;
}  // namespace

asmDestructionHold::asmDestructionHold() { ++g_depth; }

asmDestructionHold::~asmDestructionHold() {
    if (--g_depth == 0 && g_releaseAction) g_releaseAction();
}

bool asmDestructionHold::Held() { return g_depth > 0; }

void asmDestructionHold::SetReleaseAction(void (*action)()) { g_releaseAction = action; }
