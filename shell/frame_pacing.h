// Frame pacing of the game loop: how long to wait after a frame, and the
// debt a badly late frame leaves for the next one. The frame delay itself
// is the scene's (FrameFlags::LoopDelay).
#pragma once

#include <cstdint>

struct FramePace {
    int32_t wait;  // milliseconds to wait; nothing is waited when <= 0
    int32_t debt;  // carried into the next frame
};

// delay: the frame delay D; elapsed: the frame's own time; debt: what the
// previous frames left. A frame that took more than two delays leaves its
// excess over two delays as a debt (the larger of it and the old debt); the
// next frame that is not that late subtracts the debt from its wait, once.
FramePace PaceFrame(int32_t delay, int32_t elapsed, int32_t debt);
