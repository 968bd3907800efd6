#include "game/level_state.h"

int32_t LevelClock;
int32_t LevelTitleTimer;
int32_t BossActive;
int32_t MidBossActive;
int32_t BossDefeated;
int32_t BossDeathTimer;
float BossBar;
int32_t BossAlert;
int32_t BossDownClock;
int32_t ReportShowing;
int32_t BossSlot[4];
int32_t MidBossSlot[4];

void ResetLevelState() {
    LevelClock = LevelTitleTimer = BossActive = MidBossActive = BossDefeated = BossDeathTimer = 0;
    BossBar = 0;
    BossAlert = BossDownClock = ReportShowing = 0;
    for (int i = 0; i < 4; ++i) BossSlot[i] = MidBossSlot[i] = -1;
}
