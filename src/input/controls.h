#pragma once
// The devices folded into one frame's controls (world/controls.h), and their form in a replay.
#include <cstddef>
#include <cstdint>

#include "world/controls.h"

Controls ReadControls();  // from the devices as last polled

// As a replay keeps it: one byte a control, then the input code (little-endian).
constexpr size_t kControlsBytes = 14 + 2;
void ControlsToBytes(const Controls& c, unsigned char* out);
Controls ControlsFromBytes(const unsigned char* in);
