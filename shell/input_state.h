// The process-wide frame flags and the frame delay.
//
// The input state that used to live here is in platform/input_state.h and
// the int helpers are in foundation/saturating.h; both are included below
// until every includer names the header it needs.
#pragma once

#include <cstdint>

#include "foundation/saturating.h"
#include "graphics/stage.h"  // SetRedraw
#include "platform/input_state.h"

// Frame flags and the frame delay.
inline uint8_t RedrawRequested = 1;  // draw everything at the end of this frame
inline uint8_t ResortRequested = 1;  // re-sort the drawables at the next frame
inline uint8_t UpdateRequested = 1;  // run every drawable's per-frame update
inline int32_t BlitAfterRedraw = 1;  // push the whole screen after a full redraw
inline int32_t LoopDelay = 33;       // frame delay in milliseconds
inline int32_t SceneFirstTime = 1;   // cleared by the first scene

