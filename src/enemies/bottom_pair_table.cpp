#include "enemies/behaviour_tables.h"

// Behaviours 41..47: how long each member slides before falling, and its stream on the way up.
const BottomPairRow BottomPairTable[7] = {
    // slide to, stream window, stream pattern
    {121, 20, 60, 65},  // 41
    {115, 40, 80, 66},  // 42
    {109, 40, 80, 68},  // 43
    {103, 40, 80, 70},  // 44
    {115, 40, 80, 67},  // 45
    {109, 40, 80, 69},  // 46
    {103, 40, 80, 71},  // 47
};
