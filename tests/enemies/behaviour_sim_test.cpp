// Each boss on the whole program: it arrives and fires, and the bullet pool never fills.
#include "enemies/enemy_pool.h"
#include "game/enemy_bullets.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "world/world.h"
#include "test_support.h"

namespace {

class BossFight : public GameTest {};

// Frame by frame: once the boss is there its patterns put bullets up, and the pool never runs full.
TEST_F(BossFight, EveryBossFillsTheAirButNeverThePool) {
    for (int level = 0; level < 4; ++level) {
        StartFromMenu(StartBossPractice, level);
        int most = 0, bossAt = -1;
        for (int f = 0; f < 3000; ++f) {
            Frames(1);
            if (bossAt < 0 && W.Level.BossSlot[level] >= 0) bossAt = f;
            const int n = CountEnemyBullets();
            if (n > most) most = n;
            ASSERT_LT(n, kEnemyBulletCount) << "boss " << level + 1 << " frame " << f;
        }
        EXPECT_GE(bossAt, 0) << "boss " << level + 1;
        EXPECT_GT(most, 0) << "boss " << level + 1;
        W.Game.Lives = 5;  // the ship may have been shot down meanwhile
    }
}

}  // namespace
