#include <cstring>

#include "enemies/enemy_pool.h"
#include "game/game_flow.h"
#include "enemies/models.h"
#include "game/level_state.h"
#include "render/batches.h"
#include "world/world.h"
#include "app/main_loop.h"
#include "frontend/state_hash.h"
#include "shell/trig.h"
#include "test_support.h"

namespace {

class EnemyPoolTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        for (int k = 0; k < 4; ++k) W.Level.BossSlot[k] = W.Level.MidBossSlot[k] = -1;
    }

    // A plain small craft with the given behaviour and speeds.
    void Spawn(int model = 2, int behaviour = 4, int x = 300, int y = 100) {
        SpawnEnemy(model, behaviour, 50, 0, x, y, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    }

    void FillPool() {
        for (int i = 0; i < kEnemyPoolSize; ++i) Spawn();
    }
};

TEST_F(EnemyPoolTest, AFullPoolSpawnsNothingAndKeepsTheCursorWhereTheSearchEnded) {
    FillPool();
    EXPECT_EQ(W.EnemyCursor, 99);
    Enemy before[kEnemyPoolSize];
    std::memcpy(before, W.EnemyPool.data(), sizeof before);
    W.EnemyCursor = 40;
    Spawn(8, 16);
    EXPECT_EQ(W.EnemyCursor, 40);  // 41 .. 99, 0 .. 40 all tested
    EXPECT_EQ(std::memcmp(before, W.EnemyPool.data(), sizeof before), 0);
    EXPECT_EQ(W.Level.MidBossActive, 0);
    EXPECT_EQ(W.Level.MidBossSlot[1], -1);
}

TEST_F(EnemyPoolTest, TheSearchStartsAfterTheLastSlotUsed) {
    FillPool();
    W.EnemyCursor = 40;
    W.EnemyPool[5].active = 0;
    W.EnemyPool[60].active = 0;
    Spawn(4, 7);
    EXPECT_EQ(W.EnemyCursor, 60);
    EXPECT_EQ(W.EnemyPool[60].modelType, 4);
    EXPECT_EQ(W.EnemyPool[5].active, 0);
    Spawn(4, 8);
    EXPECT_EQ(W.EnemyCursor, 5);  // wrapped from 99 to 0
    EXPECT_EQ(W.EnemyPool[5].behaviour, 8);
}

TEST_F(EnemyPoolTest, AnUnknownModelTypeTakesTheSlotButSpawnsNothing) {
    Spawn(25, 4);
    EXPECT_EQ(W.EnemyCursor, 0);
    EXPECT_EQ(W.EnemyPool[0].modelType, 25);
    EXPECT_EQ(W.EnemyPool[0].active, 0);
    Spawn(2, 4);
    EXPECT_EQ(W.EnemyCursor, 1);
}

TEST_F(EnemyPoolTest, TheLevelThreeMidBossIsStoredWholeWithoutTouchingTheNextRecord) {
    W.EnemyCursor = 9;
    std::memset(&W.EnemyPool[11], 0xAB, sizeof(Enemy));  // active, so the search passes it by
    Enemy next;
    std::memcpy(&next, &W.EnemyPool[11], sizeof next);
    SpawnEnemy(18, 40, 26000, 1, 320, -95, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    ASSERT_EQ(W.EnemyCursor, 10);
    const Enemy& e = W.EnemyPool[10];
    EXPECT_EQ(e.polyCount, 73);
    EXPECT_EQ(std::memcmp(e.polys.data(), Content.ModelPolys[18], 73 * sizeof(Poly)), 0);
    EXPECT_EQ(std::memcmp(&next, &W.EnemyPool[11], sizeof next), 0);
}

TEST_F(EnemyPoolTest, CullBoundsAreStrictOnBothSides) {
    struct Case {
        int model;
        float left, right, top, bottom;
    };
    for (Case c : {Case{2, 88, 552, -60, 552}, Case{5, 0, 640, -100, 600}, Case{6, 68, 572, -60, 572},
                   Case{7, 12, 612, -150, 662}, Case{10, 48, 607, -95, 607}, Case{13, 88, 552, -160, 552},
                   Case{22, 68, 580, -100, 580}, Case{17, 68, 580, -150, 580}, Case{21, 68, 580, -130, 580}}) {
        SCOPED_TRACE("model " + std::to_string(c.model));
        auto culled = [&](float x, float y) {
            ClearEnemyPool();
            W.EnemyCursor = -1;
            Spawn(c.model, 4);
            W.EnemyPool[0].x = x;
            W.EnemyPool[0].y = y;
            CullEnemies();
            return W.EnemyPool[0].active == 0;
        };
        float midY = (c.top + c.bottom) / 2, midX = (c.left + c.right) / 2;
        EXPECT_FALSE(culled(c.left, midY));
        EXPECT_FALSE(culled(c.right, midY));
        EXPECT_FALSE(culled(midX, c.top));
        EXPECT_FALSE(culled(midX, c.bottom));
        EXPECT_TRUE(culled(c.left - 0.01f, midY));
        EXPECT_TRUE(culled(c.right + 0.01f, midY));
        EXPECT_TRUE(culled(midX, c.top - 0.01f));
        EXPECT_TRUE(culled(midX, c.bottom + 0.01f));
    }
}

// A mid-boss that flies off counts as gone and, in levels 2 to 4, moves the script on. In level 3 the
// next frame's script runs at 5000 itself, so its pair appears as it does after a kill.
TEST_F(EnemyPoolTest, EscapedMidBossesCountAsGoneAndTheScriptGoesOnWhereItWould) {
    struct Case {
        int model, level, clock, spawnsThere;
    };
    for (Case c : {Case{0, 0, 1235, 0}, Case{8, 1, 8001, 0}, Case{18, 2, 5000, 2}, Case{23, 3, 10001, 0}}) {
        SCOPED_TRACE("model " + std::to_string(c.model));
        ClearEnemyPool();
        W.Program.GameMode = Mode::Playing;
        W.Game.CurrentLevel = c.level;
        W.Level.LevelTitleTimer = 200;
        W.Level.LevelClock = 1234;
        W.Level.BossBar = -90;
        Spawn(c.model, 0, 320, 300);
        ASSERT_EQ(W.Level.MidBossSlot[c.level], W.EnemyCursor);
        CullEnemies();
        EXPECT_EQ(W.Level.MidBossActive, 1);  // still inside
        W.EnemyPool[W.EnemyCursor].y = 700;
        UpdatePlaying();
        EXPECT_EQ(W.EnemyPool[W.EnemyCursor].active, 0);
        EXPECT_EQ(W.Level.MidBossActive, 0);
        EXPECT_EQ(W.Level.MidBossSlot[c.level], -1);
        EXPECT_FLOAT_EQ(W.Level.BossBar, 0);
        EXPECT_EQ(W.Level.LevelClock, c.clock);
        UpdatePlaying();
        EXPECT_EQ(CountActiveEnemies(), c.spawnsThere);
    }
}

TEST_F(EnemyPoolTest, CullingAnOrdinaryEnemyOrAFreeRecordHasNoSideEffects) {
    W.Level.LevelClock = 77;
    W.Level.BossBar = -50;
    W.Level.MidBossActive = 1;
    Spawn(2, 4, 300, 900);
    W.EnemyPool[1] = W.EnemyPool[0];
    W.EnemyPool[1].active = 0;
    W.EnemyPool[1].modelType = 8;
    CullEnemies();
    EXPECT_EQ(W.EnemyPool[0].active, 0);
    EXPECT_EQ(W.Level.LevelClock, 77);
    EXPECT_FLOAT_EQ(W.Level.BossBar, -50);
    EXPECT_EQ(W.Level.MidBossActive, 1);
}

}  // namespace
