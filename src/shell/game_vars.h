#pragma once
// The program's mode and the game variables that every subsystem reads and writes.
#include <cstdint>

namespace Mode {
enum : int32_t { Menu = 0, Playing = 1, Paused = 2, Quitting = 4, CaptureBinding = 5 };  // 3 is never entered
}

extern int32_t GameMode;

extern int32_t SpeedSetting;  // 0 = 60 Hz, 1 = 30 Hz
extern int32_t PlayType;      // 0 full game, 1 level practice, 2 boss practice or boss rush
extern int32_t BossRush;
extern int32_t CurrentLevel;  // 0..3
extern int32_t WeaponLevel;   // 0..7
extern int32_t Lives;
extern int32_t GameOverTimer;
extern int32_t Held;
extern int32_t PeakHeld;
extern int32_t LevelCollected[4];
extern int32_t HiScore;
extern int32_t PracticeUnlocked[4];
extern int32_t BossUnlocked[4];
extern int32_t BossRushUnlocked;
extern int32_t UnlockCheatUsed;
extern int32_t FastForward;
extern int32_t ResolutionIndex;  // 0..5
extern int32_t ResolutionWidths[6];
extern int32_t ResolutionHeights[6];
extern int32_t ScreenOrientation;  // 0 normal, 1 horizontal, 2 rotated ('tate)
extern int32_t Windowed;
extern int32_t WindowX;
extern int32_t WindowY;
// 1 while a replay is being watched: nothing it does is saved.
extern int32_t WatchingReplay;

constexpr int kResolutionCount = 6;

// Everything above back to its start-up value (zero, `Menu`).
void ResetGameVars();
