#pragma once
// Where the running level stands: its clock, its intro, the boss fight and the report. Each level's
// start sets what it needs; ResetLevelState assigns a fresh value.
#include <cstdint>

#include "shell/game_vars.h"

struct LevelVars {
    int32_t LevelClock;       // frame within the level script; -1 before the first
    int32_t LevelTitleTimer;  // 0..200, the level intro
    int32_t BossActive;
    int32_t MidBossActive;
    int32_t BossDefeated;
    int32_t BossDeathTimer;
    float BossBar;  // 0 down to -180
    int32_t BossAlert;
    int32_t BossDownClock;
    int32_t ReportShowing;
    int32_t ScreenShown;  // a LevelScreen, set by each frame of play
    int32_t BossSlot[kLevelCount];  // pool slots; -1 when there is none
    int32_t MidBossSlot[kLevelCount];
};

extern LevelVars Level;

void ResetLevelState();
