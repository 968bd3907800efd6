#include <map>
#include <vector>

#include "enemies/enemy_pool.h"
#include "enemies/level_scripts.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "world/world.h"
#include "test_support.h"

namespace {

struct Spawned {
    int model, hp, x, y;
};

class LevelScriptTest : public GameTest {
protected:
    // Runs the script of one level for every clock value in [from, to] (following its jumps), emptying
    // the pool after each frame, and records what each frame spawned.
    std::map<int, std::vector<Spawned>> Run(int level, int from, int to) {
        W.Game.CurrentLevel = level;
        W.Program.GameMode = Mode::Playing;
        std::map<int, std::vector<Spawned>> spawned;
        for (int t = from; t <= to; ++t) {
            W.Level.LevelClock = t;
            if (RunLevelScript()) BossApproachAndLevelEnd();
            for (Enemy& e : W.EnemyPool) {
                if (!e.active) continue;
                spawned[t].push_back({e.modelType, e.hitPoints, static_cast<int>(e.x), static_cast<int>(e.y)});
                e.active = 0;
            }
            // Mid-bosses and bosses are taken away again at once.
            W.Level.MidBossActive = 0;
            W.Level.BossActive = 0;
            W.BossSpawnPending = 0;
            for (int i = 0; i < 4; ++i) W.Level.MidBossSlot[i] = W.Level.BossSlot[i] = -1;
            if (W.Level.LevelClock != t) t = W.Level.LevelClock - 1;  // the script jumped: go on from there
        }
        return spawned;
    }
};

// Every spawn of every level (clock, model, hit points, place) up to its boss, folded into one hash; the
// recorded games see only the schedule their own kills and escapes lead to.
TEST_F(LevelScriptTest, EveryLevelSpawnsTheScheduleItAlwaysDid) {
    const int bossAt[4] = {6600, 13500, 8140, 15740};
    uint64_t hash = 0xcbf29ce484222325ull;
    for (int level = 0; level < 4; ++level) {
        auto spawned = Run(level, -1, bossAt[level]);
        ASSERT_TRUE(spawned.count(bossAt[level])) << "level " << level + 1 << " reached no boss";
        for (auto& [t, list] : spawned)
            for (const Spawned& s : list)
                for (int v : {t, s.model, s.hp, s.x, s.y}) hash = (hash ^ uint32_t(v)) * 0x100000001b3ull;
    }
    EXPECT_EQ(hash, 0x4d408970dd447c25ull);
}

TEST_F(LevelScriptTest, LevelOneJumpsPastTheMidBossOnceItIsGone) {
    W.Game.CurrentLevel = 0;
    W.Program.GameMode = Mode::Playing;
    W.Level.MidBossSlot[0] = 7;  // alive: no jump
    W.Level.LevelClock = 3800;
    RunLevelScript();
    EXPECT_EQ(W.Level.LevelClock, 3800);
    W.Level.MidBossSlot[0] = -1;
    W.Level.LevelClock = 3699;
    RunLevelScript();
    EXPECT_EQ(W.Level.LevelClock, 3699);
    W.Level.LevelClock = 3700;
    RunLevelScript();
    EXPECT_EQ(W.Level.LevelClock, 4160);
    W.Level.LevelClock = 4159;
    RunLevelScript();
    EXPECT_EQ(W.Level.LevelClock, 4160);
}

TEST_F(LevelScriptTest, AMidBossStillAliveLosesTheGuardedSpawnsForGood) {
    W.Game.CurrentLevel = 1;
    W.Program.GameMode = Mode::Playing;
    W.Level.MidBossActive = 1;
    W.Level.LevelClock = 8150;
    RunLevelScript();
    EXPECT_EQ(CountActiveEnemies(), 0);
    W.Level.MidBossActive = 0;
    W.Level.LevelClock = 8151;
    RunLevelScript();
    EXPECT_EQ(CountActiveEnemies(), 0);  // not delayed
    W.Level.LevelClock = 8300;
    RunLevelScript();
    EXPECT_EQ(CountActiveEnemies(), 1);
}

}  // namespace
