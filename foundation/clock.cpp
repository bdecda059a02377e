#include "foundation/clock.h"

#include <chrono>
#include <thread>

namespace {

class SteadyClock final : public Clock {
public:
    uint32_t Ticks() override {
        auto elapsed = std::chrono::steady_clock::now() - start;
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }
    void Delay(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

private:
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

SteadyClock& Fallback() {
    static SteadyClock clock;
    return clock;
}

Clock* g_clock = nullptr;

}  // namespace

Clock& CurrentClock() { return g_clock ? *g_clock : Fallback(); }

void SetClock(Clock* clock) { g_clock = clock; }
