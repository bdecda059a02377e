// The clock every timed part of the engine reads: a millisecond tick count
// and a wait. The program installs the SDL clock at start-up; tests install
// their own to step time by hand.
#pragma once

#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; wraps like SDL's counter.
    virtual uint32_t Ticks() = 0;
    virtual void Delay(uint32_t ms) = 0;
};

// The clock in force. Until one is installed, a steady clock of the
// standard library that counts from its first use.
Clock& CurrentClock();

// Installs a clock (not owned); null goes back to the steady clock.
void SetClock(Clock* clock);

inline uint32_t ClockTicks() { return CurrentClock().Ticks(); }
inline void ClockDelay(uint32_t ms) { CurrentClock().Delay(ms); }
