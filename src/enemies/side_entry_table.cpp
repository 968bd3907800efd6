#include "enemies/behaviour_tables.h"

// Behaviours 58..61: which way the craft turns and what it fires.
const SideEntryRow SideEntryTable[4] = {
    // spin, burst pattern (t 30..32), volley pattern (t 460)
    {3, 104, 109},   // 58
    {3, 105, 108},   // 59
    {-3, 107, 109},  // 60
    {-3, 106, 108},  // 61
};
