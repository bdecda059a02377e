#include "shell/frame_pacing.h"

namespace {

// Signed 32-bit arithmetic that wraps instead of overflowing.
int32_t Sub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
int32_t Add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

FramePace PaceFrame(int32_t delay, int32_t elapsed, int32_t debt) {
    int32_t wait = Sub(delay, elapsed);
    int32_t minusDelay = Sub(0, delay);
    if (debt > 0) {
        if (wait < minusDelay) {
            int32_t late = Sub(0, Add(delay, wait));
            if (late > debt) debt = late;
        } else {
            wait = Sub(wait, debt);
            debt = 0;
        }
    } else if (wait < minusDelay) {
        debt = Sub(0, Add(delay, wait));
    }
    return FramePace{wait, debt};
}
