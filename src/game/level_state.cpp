#include "game/level_state.h"
#include "world/world.h"


void ResetLevelState() {
    W.Level = {};
    for (int i = 0; i < kLevelCount; ++i) W.Level.BossSlot[i] = W.Level.MidBossSlot[i] = -1;
}
