#include "graphics/timer.h"

#include "foundation/clock.h"

ddTimery::ddTimery(asmClass* cls) : StageTimer(cls) {}

ddTimery::~ddTimery() = default;

bool ddTimery::IsRunning() { return running; }

void ddTimery::Start() {
    Stop(false);
    repeatsLeft = repeatCount;
    lastExpiry = ClockTicks();
    running = true;
    framesLeft = frameInterval;
    OnStart();
}

void ddTimery::SetInterval(int ms) { interval = ms; }

void ddTimery::Stop(bool notify) {
    running = false;
    if (notify) OnFinish();
}

void ddTimery::OnTick() { tickCallback(userData, self); }

void ddTimery::SetRepeatCount(int n) {
    if (n > 0) repeatCount = n;
}

void ddTimery::SetFrameInterval(int frames) {
    if (frames > 0) frameInterval = frames;
}

void ddTimery::Update() {
    if (paused || !running) return;
    if (frameInterval > 0) {
        if (--framesLeft < 1) {
            framesLeft = frameInterval;
            Expire();
        }
        return;
    }
    // The next period counts from this check, so late frames stretch it.
    if (static_cast<int32_t>(ClockTicks() - lastExpiry) >= interval) {
        lastExpiry = ClockTicks();
        Expire();
    }
}

void ddTimery::Expire() {
    if (--repeatsLeft != 0)
        OnTick();
    else
        Stop(true);
}

void ddTimery::Pause() {
    if (paused) return;
    Sygnal::Pause();
    pauseStart = ClockTicks();
}

void ddTimery::Resume() {
    if (!paused) return;
    Sygnal::Resume();
    lastExpiry += ClockTicks() - pauseStart;
}
