#include "enemies/behaviour_tables.h"

// Behaviours 32..37: the core's orbitStep is the turning rate, and it flips once.
const TurningStreamRow TurningStreamTable[6] = {
    // core spin, turn; flip at, to; turn until; first volley pattern, window, every, speed; second pattern, window
    {3, -1, 64, 1, 128, 48, 27, 35, 3, 4.0f, -1, 0, 0},       // 32
    {-3, 1, 64, -1, 128, 49, 27, 35, 3, 4.0f, -1, 0, 0},      // 33
    {-3, 1, 51, -1, 102, 50, 20, 40, 5, 4.0f, 52, 140, 150},  // 34
    {-3, 1, 51, -1, 102, 51, 20, 40, 5, 4.0f, 54, 140, 150},  // 35
    {3, -1, 51, 1, 102, 51, 20, 40, 5, 4.0f, 53, 140, 150},   // 36
    {3, -1, 51, 1, 102, 50, 20, 40, 5, 4.0f, 55, 140, 150},   // 37
};
