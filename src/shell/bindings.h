#pragma once
// Control bindings: one InputCode per slot. Saved with the settings; read by the input queries.
#include <cstdint>

#include "world/world.h"

// The bindings in force are W.Saved.Bindings, kept in quivex.cfg; the redefine page edits
// W.PendingBindings.

extern const int32_t kDefaultBindings[kBindingSlots];

