#include "game/level_state.h"

LevelVars Level;

void ResetLevelState() {
    Level = {};
    for (int i = 0; i < 4; ++i) Level.BossSlot[i] = Level.MidBossSlot[i] = -1;
}
