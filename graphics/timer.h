// A timer that fires after an interval of milliseconds (read from the clock
// seam) or of frames, a given number of times, with pause and resume. The
// stage calls Update once per frame, so a timer fires at most once a frame.
#pragma once

#include <cstdint>

#include "graphics/stage.h"
#include "graphics/sygnal.h"

class ddTimery : public StageTimer {
public:
    using TickCallback = void (*)(intptr_t userData, Sygnal* owner);

    explicit ddTimery(asmClass* cls = nullptr);
    ~ddTimery() override;

    // Pausing keeps the paused time out of the interval; both act only when
    // the paused state changes.
    void Pause() override;
    void Resume() override;

    virtual bool IsRunning();
    virtual void Start();
    virtual void SetInterval(int ms);
    virtual void Stop(bool notify);
    virtual void OnTick();
    void Update() override;
    // Values below 1 are ignored.
    virtual void SetRepeatCount(int n);

    // Counts frames instead of milliseconds; values below 1 are ignored.
    void SetFrameInterval(int frames);
    void SetTickCallback(TickCallback fn) { tickCallback = fn ? fn : NoTick; }

    int GetInterval() const { return interval; }
    int GetRepeatCount() const { return repeatCount; }
    // Expiries since the last Start: the repeat count less those to come.
    int GetTicksFired() const { return repeatCount - repeatsLeft; }
    int GetFrameInterval() const { return frameInterval; }

    static void NoTick(intptr_t, Sygnal*) {}

private:
    void Expire();

    int32_t interval = 0;
    bool running = false;
    int32_t repeatCount = 1;
    int32_t repeatsLeft = 0;
    uint32_t lastExpiry = 0;
    uint32_t pauseStart = 0;
    int32_t frameInterval = 0;
    int32_t framesLeft = 0;
    TickCallback tickCallback = NoTick;
};
