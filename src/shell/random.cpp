#include "shell/random.h"

namespace {
uint32_t state = 1;
}

int32_t Random() {
    state = state * 214013u + 2531011u;
    return static_cast<int32_t>((state >> 16) & 0x7FFF);
}

void SeedRandom(uint32_t seed) { state = seed; }
uint32_t RandomState() { return state; }
