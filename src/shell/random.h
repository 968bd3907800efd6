#pragma once
// The shared pseudo-random generator: 15-bit results, the same sequence on every platform.
#include <cstdint>

int32_t Random();  // 0..32767
void SeedRandom(uint32_t seed);
uint32_t RandomState();
