#pragma once
// The mission report's rules: its count-up of the level's energy, and the unlocks it grants in a full
// game, each written to the settings file as it happens. The front end draws it.
#include <cstdint>

#include "world/world.h"


extern const int32_t kLevelEnergy[kLevelCount];  // every energy pickup of a level: its boss unlock

// One frame of the count-up: a step every four frames, with its tick sound.
void CountReport();
// The unlock messages' flashes run down, a frame each.
void StepUnlockFlashes();
void GrantUnlocks();
void ResetMissionReport();
