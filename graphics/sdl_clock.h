// The program's clock: SDL's tick counter and SDL_Delay.
#pragma once

#include "foundation/clock.h"

class SdlClock final : public Clock {
public:
    uint32_t Ticks() override;
    void Delay(uint32_t ms) override;
};

// Makes the one SdlClock the current clock.
void UseSdlClock();
