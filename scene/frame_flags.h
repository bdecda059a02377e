// What the end of a frame must do (redraw, re-sort, update, push the whole
// screen) and how long a frame lasts. Every scene owns one, reached through
// ddScene::Flags(), so a new scene starts with every flag set and the frame
// delay at 33 ms. The scene's requests set the flags and its frame clears
// them; the engine's script class switches them for its redraw methods and
// sets the delay; the game loop waits the delay.
#pragma once

#include <cstdint>

struct FrameFlags {
    uint8_t RedrawRequested = 1;  // draw everything at the end of this frame
    uint8_t ResortRequested = 1;  // re-sort the drawables at the next frame
    uint8_t UpdateRequested = 1;  // run every drawable's per-frame update
    int32_t BlitAfterRedraw = 1;  // push the whole screen after a full redraw
    int32_t LoopDelay = 33;       // the frame delay in milliseconds
};
