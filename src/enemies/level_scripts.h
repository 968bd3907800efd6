#pragma once
// The four levels' schedules: what spawns at which LevelClock frame.

// Runs the script of CurrentLevel for this frame (the boss approach and the level's end included).
void RunLevelScript();

// Level 1..4 (index 0..3) boss-approach frame A and boss spawn frame B.
extern const int kBossApproachFrame[4];
extern const int kBossSpawnFrame[4];
