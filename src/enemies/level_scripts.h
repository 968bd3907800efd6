#pragma once
// The four levels' schedules: what spawns at which LevelClock frame.
#include "world/world.h"

// Runs the script of CurrentLevel for this frame. False when the script moved the level clock on (a
// mid-boss gone): the frame's script ends there, and the boss approach and level end wait a frame.
bool RunLevelScript();

// Level 1..4 (index 0..3) boss-approach frame A and boss spawn frame B.
extern const int kBossApproachFrame[kLevelCount];
extern const int kBossSpawnFrame[kLevelCount];
