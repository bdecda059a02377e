// The engine's one random source. It yields 0..32767 on every platform so
// that games behave alike wherever they were made.
#pragma once

#include <cstdint>

constexpr int kRandomMax = 32767;

void SeedRandom(uint32_t seed);
int NextRandom();  // 0..kRandomMax
