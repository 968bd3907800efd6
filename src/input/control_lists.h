#pragma once
// The inputs the controls dialog offers for a keyboard slot and for a joypad slot.
#include <cstdint>
#include <vector>

// Every code 0..254 that has a name, in ascending order.
std::vector<int32_t> KeyboardListCodes();
// The four axis directions, then buttons 1..32: 36 entries.
std::vector<int32_t> JoypadListCodes();
