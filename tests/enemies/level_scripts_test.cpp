#include <map>
#include <vector>

#include "enemies/enemy_pool.h"
#include "enemies/level_scripts.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "shell/game_vars.h"
#include "test_support.h"

namespace {

struct Spawned {
    int model, hp, x, y;
};

class LevelScriptTest : public GameTest {
protected:
    // Runs the script of one level for every clock value in [from, to], emptying the pool after each
    // frame, and records what each frame spawned.
    std::map<int, std::vector<Spawned>> Run(int level, int from, int to) {
        CurrentLevel = level;
        GameMode = Mode::Playing;
        std::map<int, std::vector<Spawned>> spawned;
        for (int t = from; t <= to; ++t) {
            LevelClock = t;
            if (RunLevelScript()) BossApproachAndLevelEnd();
            for (Enemy& e : EnemyPool) {
                if (!e.active) continue;
                spawned[t].push_back({e.modelType, e.hitPoints, static_cast<int>(e.x), static_cast<int>(e.y)});
                e.active = 0;
            }
            // Mid-bosses and bosses are taken away again at once.
            MidBossActive = 0;
            BossActive = 0;
            BossSpawnPending = 0;
            for (int i = 0; i < 4; ++i) MidBossSlot[i] = BossSlot[i] = -1;
            if (LevelClock != t) break;
        }
        return spawned;
    }
    static int Total(const std::map<int, std::vector<Spawned>>& s) {
        int n = 0;
        for (auto& [t, v] : s) n += static_cast<int>(v.size());
        return n;
    }
};

TEST_F(LevelScriptTest, LevelOneSpawnsItsScheduleFrameByFrame) {
    auto s = Run(0, -1, 3699);
    ASSERT_EQ(s.count(0), 1u);
    EXPECT_EQ(s[0][0].model, 4);
    EXPECT_EQ(s[0][0].x, 158);
    EXPECT_EQ(s[0][0].y, -20);
    EXPECT_EQ(s[0][0].hp, 30);
    EXPECT_EQ(s.count(50), 1u);
    EXPECT_EQ(s.count(25), 0u);
    EXPECT_EQ(s[750].size(), 2u);
    EXPECT_EQ(s[1200][0].model, 6);
    EXPECT_EQ(s[1200][0].hp, 100);
    ASSERT_EQ(s[2460].size(), 1u);
    EXPECT_EQ(s[2460][0].model, 0);
    EXPECT_EQ(s[2460][0].hp, 2100);
    EXPECT_EQ(s[2460][0].y, -40);
    EXPECT_EQ(Total(s), 5 + 5 + 10 + 9 + 1 + 4);
    auto rest = Run(0, 4160, 6600);
    EXPECT_EQ(rest[5400].size(), 6u);
    ASSERT_EQ(rest[6600].size(), 1u);
    EXPECT_EQ(rest[6600][0].model, 7);
    EXPECT_EQ(rest[6600][0].hp, 18000);
    EXPECT_EQ(rest[6600][0].x, 320);
    EXPECT_EQ(rest[6600][0].y, -130);
    EXPECT_EQ(Total(rest), 16 + 6 + 1);
}

TEST_F(LevelScriptTest, LevelOneJumpsPastTheMidBossOnceItIsGone) {
    CurrentLevel = 0;
    GameMode = Mode::Playing;
    MidBossSlot[0] = 7;  // alive: no jump
    LevelClock = 3800;
    RunLevelScript();
    EXPECT_EQ(LevelClock, 3800);
    MidBossSlot[0] = -1;
    LevelClock = 3699;
    RunLevelScript();
    EXPECT_EQ(LevelClock, 3699);
    LevelClock = 3700;
    RunLevelScript();
    EXPECT_EQ(LevelClock, 4160);
    LevelClock = 4159;
    RunLevelScript();
    EXPECT_EQ(LevelClock, 4160);
}

TEST_F(LevelScriptTest, LevelsTwoToFourSpawnTheirFullSchedules) {
    auto two = Run(1, -1, 13500);
    EXPECT_EQ(two[3840][0].model, 8);
    EXPECT_EQ(two[3840][0].hp, 9000);
    EXPECT_EQ(two[13500][0].model, 11);
    EXPECT_EQ(two[8800].size(), 2u);
    // 6 + 14 + 6 + 14 craft, the mid-boss, 17 + 19 + 14 after it, the boss.
    EXPECT_EQ(Total(two), 92);
    auto three = Run(2, -1, 8140);
    EXPECT_EQ(three[100].size(), 4u);
    EXPECT_EQ(three[3140].size(), 8u);
    EXPECT_EQ(three[4200][0].model, 18);
    EXPECT_EQ(three[8140][0].model, 19);
    EXPECT_EQ(three[8140][0].y, -120);
    auto four = Run(3, -1, 15740);
    EXPECT_EQ(four[10100].size(), 14u);
    EXPECT_EQ(four[13100].size(), 8u);
    EXPECT_EQ(four[5800][0].model, 23);
    EXPECT_EQ(four[15740][0].model, 24);
    EXPECT_EQ(four[15740][0].hp, 100000);
}

TEST_F(LevelScriptTest, AMidBossStillAliveLosesTheGuardedSpawnsForGood) {
    CurrentLevel = 1;
    GameMode = Mode::Playing;
    MidBossActive = 1;
    LevelClock = 8150;
    RunLevelScript();
    EXPECT_EQ(CountActiveEnemies(), 0);
    MidBossActive = 0;
    LevelClock = 8151;
    RunLevelScript();
    EXPECT_EQ(CountActiveEnemies(), 0);  // not delayed
    LevelClock = 8300;
    RunLevelScript();
    EXPECT_EQ(CountActiveEnemies(), 1);
}

}  // namespace
