#pragma once
// Counts every operator new of the process (the game's code is linked into the bench, so its allocations
// are counted too; C malloc inside the C library is not).
#include <cstdint>

uint64_t HeapAllocations();
