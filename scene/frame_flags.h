// The process-wide frame flags the scene and the game loop share: what the
// end of this frame must redraw, re-sort or update, and whether the scene
// made is the first one.
#pragma once

#include <cstdint>

inline uint8_t RedrawRequested = 1;  // draw everything at the end of this frame
inline uint8_t ResortRequested = 1;  // re-sort the drawables at the next frame
inline uint8_t UpdateRequested = 1;  // run every drawable's per-frame update
inline int32_t BlitAfterRedraw = 1;  // push the whole screen after a full redraw
inline int32_t SceneFirstTime = 1;   // cleared by the first scene
