#include "game/level_state.h"

LevelVars Level;

void ResetLevelState() {
    Level = {};
    for (int i = 0; i < kLevelCount; ++i) Level.BossSlot[i] = Level.MidBossSlot[i] = -1;
}
