#include "shell/bindings.h"

#include <cstring>

#include "world/world.h"

// Arrows, X to fire, Z for the shield, Pause; the first controller's stick and first two buttons.
const int32_t kDefaultBindings[kBindingSlots] = {200, 208, 203, 205, 45, 44,
                                                 2002, 2003, 2000, 2001, 1000, 1001,
                                                 197, 1};

