#pragma once
// Where the running level stands: its clock, its intro, the boss fight and the report.
#include <cstdint>

extern int32_t LevelClock;       // frame within the level script; -1 before the first
extern int32_t LevelTitleTimer;  // 0..200, the level intro
extern int32_t BossActive;
extern int32_t MidBossActive;
extern int32_t BossDefeated;
extern int32_t BossDeathTimer;
extern float BossBar;  // 0 down to -180
extern int32_t BossAlert;
extern int32_t BossDownClock;
extern int32_t ReportShowing;
extern int32_t BossSlot[4];
extern int32_t MidBossSlot[4];

void ResetLevelState();
