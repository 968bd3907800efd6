#include <cstring>

#include "enemies/enemy_pool.h"
#include "game/game_flow.h"
#include "enemies/models.h"
#include "game/level_state.h"
#include "render/batches.h"
#include "shell/game_vars.h"
#include "app/main_loop.h"
#include "app/state_hash.h"
#include "shell/trig.h"
#include "test_support.h"

namespace {

class EnemyPoolTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        for (int k = 0; k < 4; ++k) BossSlot[k] = MidBossSlot[k] = -1;
    }

    // A plain small craft with the given behaviour and speeds.
    void Spawn(int model = 2, int behaviour = 4, int x = 300, int y = 100) {
        SpawnEnemy(model, behaviour, 50, 0, x, y, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    }

    void FillPool() {
        for (int i = 0; i < kEnemyPoolSize; ++i) Spawn();
    }
};

TEST_F(EnemyPoolTest, ProgramStartsWithAFreePoolAndTheCursorBeforeSlotZero) {
    EXPECT_EQ(EnemyCursor, -1);
    EXPECT_EQ(CountActiveEnemies(), 0);
    Spawn();
    EXPECT_EQ(EnemyCursor, 0);
    EXPECT_EQ(EnemyPool[0].active, 1);
    Spawn();
    EXPECT_EQ(EnemyCursor, 1);
    EXPECT_EQ(CountActiveEnemies(), 2);
}

TEST_F(EnemyPoolTest, SpawnFillsTheHeaderFromItsArguments) {
    EnemyPool[0].DropDone = EnemyPool[0].hitFlash = EnemyPool[0].age = 9;
    SpawnEnemy(16, 38, 100, 1, 260, -83, 0.5f, 2, 5, 5, 0, 0, 90, 2, 320, -83, 260, -83);
    const Enemy& e = EnemyPool[0];
    EXPECT_EQ(e.hitPoints, 100);
    EXPECT_EQ(e.DropKind, 1);
    EXPECT_EQ(e.DropDone, 0);
    EXPECT_EQ(e.hitFlash, 0);
    EXPECT_EQ(e.age, 0);
    EXPECT_EQ(e.polyCount, 5);
    EXPECT_FLOAT_EQ(e.vx, 0.5f);
    EXPECT_EQ(e.orbitAngle, 90);
    EXPECT_EQ(e.orbitStep, 2);
    EXPECT_FLOAT_EQ(e.pivotX, 320);
    EXPECT_FLOAT_EQ(e.baseX, 260);
    EXPECT_FLOAT_EQ(e.baseY, -83);
}

TEST_F(EnemyPoolTest, AFullPoolSpawnsNothingAndKeepsTheCursorWhereTheSearchEnded) {
    FillPool();
    EXPECT_EQ(EnemyCursor, 99);
    Enemy before[kEnemyPoolSize];
    std::memcpy(before, EnemyPool, sizeof before);
    EnemyCursor = 40;
    Spawn(8, 16);
    EXPECT_EQ(EnemyCursor, 40);  // 41 .. 99, 0 .. 40 all tested
    EXPECT_EQ(std::memcmp(before, EnemyPool, sizeof before), 0);
    EXPECT_EQ(MidBossActive, 0);
    EXPECT_EQ(MidBossSlot[1], -1);
}

TEST_F(EnemyPoolTest, TheSearchStartsAfterTheLastSlotUsed) {
    FillPool();
    EnemyCursor = 40;
    EnemyPool[5].active = 0;
    EnemyPool[60].active = 0;
    Spawn(4, 7);
    EXPECT_EQ(EnemyCursor, 60);
    EXPECT_EQ(EnemyPool[60].modelType, 4);
    EXPECT_EQ(EnemyPool[5].active, 0);
    Spawn(4, 8);
    EXPECT_EQ(EnemyCursor, 5);  // wrapped from 99 to 0
    EXPECT_EQ(EnemyPool[5].behaviour, 8);
}

TEST_F(EnemyPoolTest, AnUnknownModelTypeTakesTheSlotButSpawnsNothing) {
    Spawn(25, 4);
    EXPECT_EQ(EnemyCursor, 0);
    EXPECT_EQ(EnemyPool[0].modelType, 25);
    EXPECT_EQ(EnemyPool[0].active, 0);
    Spawn(2, 4);
    EXPECT_EQ(EnemyCursor, 1);
}

TEST_F(EnemyPoolTest, BossesAndMidBossesAreBookedByModelType) {
    const int mid[4] = {0, 8, 18, 23}, end[4] = {7, 11, 19, 24};
    for (int k = 0; k < 4; ++k) {
        Spawn(2, 4);
        MidBossActive = 0;
        Spawn(mid[k], 0);
        EXPECT_EQ(MidBossActive, 1);
        EXPECT_EQ(MidBossSlot[k], EnemyCursor);
        BossActive = 0;
        Spawn(end[k], 11);
        EXPECT_EQ(BossActive, 1);
        EXPECT_EQ(BossSlot[k], EnemyCursor);
    }
    MidBossActive = BossActive = 0;
    Spawn(22, 55);
    EXPECT_EQ(MidBossActive, 0);
    EXPECT_EQ(BossActive, 0);
}

TEST_F(EnemyPoolTest, TheLevelThreeMidBossIsStoredWholeWithoutTouchingTheNextRecord) {
    EnemyCursor = 9;
    std::memset(&EnemyPool[11], 0xAB, sizeof(Enemy));  // active, so the search passes it by
    Enemy next;
    std::memcpy(&next, &EnemyPool[11], sizeof next);
    SpawnEnemy(18, 40, 26000, 1, 320, -95, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    ASSERT_EQ(EnemyCursor, 10);
    const Enemy& e = EnemyPool[10];
    EXPECT_EQ(e.polyCount, 73);
    EXPECT_EQ(std::memcmp(e.polys, ModelPolys[18], 73 * sizeof(Poly)), 0);
    EXPECT_EQ(std::memcmp(&next, &EnemyPool[11], sizeof next), 0);
}

TEST_F(EnemyPoolTest, AddFormTurnsTheFirstPolysAndSetFormOnlySetsTheirSpeeds) {
    // The flipped leader of the level 3 formation: Poly and orbit angles +180 on all four Polys.
    SpawnEnemy(12, 21, 170, 0, 320, -66, 0, 2, -3, -3, 180, 180, 0, 0, 0, 0, 0, 0);
    const Enemy& a = EnemyPool[0];
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(a.polys[i].angle, ModelPolys[12][i].angle + 180) << i;
        EXPECT_EQ(a.polys[i].orbitAngle, ModelPolys[12][i].orbitAngle + 180) << i;
        EXPECT_EQ(a.polys[i].spin, -3) << i;
        EXPECT_EQ(a.polys[i].orbitStep, -3) << i;
    }
    EXPECT_FLOAT_EQ(a.x, 320);
    EXPECT_FLOAT_EQ(a.y, -66);
    // Set form on model 3's twelve Polys: angles untouched.
    SpawnEnemy(3, 6, 100, 0, 542, 100, -2, 0, -7, -7, 45, 45, 0, 0, 0, 0, 0, 0);
    const Enemy& b = EnemyPool[1];
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(b.polys[i].angle, ModelPolys[3][i].angle) << i;
        EXPECT_EQ(b.polys[i].spin, -7) << i;
    }
}

TEST_F(EnemyPoolTest, TheFormTableSetsExactlyNPolys) {
    struct Row {
        int behaviour, n;
        bool add;
    };
    // Model 18 has the most Polys (73), so every N can be seen on it.
    for (Row r : {Row{0, 7, false}, Row{3, 7, false}, Row{4, 3, true}, Row{6, 12, false}, Row{8, 3, false},
                  Row{9, 11, false}, Row{13, 11, false}, Row{47, 11, false}, Row{10, 6, false}, Row{16, 25, false},
                  Row{17, 18, false}, Row{18, 5, false}, Row{19, 49, false}, Row{23, 4, true}, Row{24, 7, true},
                  Row{51, 7, true}, Row{61, 7, true}, Row{76, 7, true}, Row{38, 5, false}, Row{40, 73, false},
                  Row{52, 67, false}, Row{54, 7, true}, Row{90, 7, true}, Row{55, 24, true}, Row{62, 62, true},
                  Row{92, 7, true}, Row{93, 67, false}, Row{11, 0, false}}) {
        SCOPED_TRACE("behaviour " + std::to_string(r.behaviour));
        ClearEnemyPool();
        EnemyCursor = -1;
        SpawnEnemy(18, r.behaviour, 1, 0, 1, 2, 0, 0, 4, 6, 10, 20, 0, 0, 0, 0, 0, 0);
        const Enemy& e = EnemyPool[0];
        for (int i = 0; i < 73; ++i) {
            bool in = i < r.n;
            EXPECT_EQ(e.polys[i].spin, in ? 4 : 0) << i;
            EXPECT_EQ(e.polys[i].orbitStep, in ? 6 : 0) << i;
            EXPECT_EQ(e.polys[i].angle, ModelPolys[18][i].angle + (in && r.add ? 10 : 0)) << i;
            EXPECT_EQ(e.polys[i].orbitAngle, ModelPolys[18][i].orbitAngle + (in && r.add ? 20 : 0)) << i;
        }
        EXPECT_FLOAT_EQ(e.x, 1);
        EXPECT_FLOAT_EQ(e.y, 2);
    }
}

TEST_F(EnemyPoolTest, BehaviourNinetyThreeWritesPastTheModelWithoutDrawingIt) {
    SpawnEnemy(24, 93, 100000, 2, 320, -120, 0, 2, 7, 7, 0, 0, 0, 0, 0, 0, 0, 0);
    const Enemy& e = EnemyPool[0];
    EXPECT_EQ(e.polyCount, 40);
    EXPECT_EQ(e.polys[66].spin, 7);
    EXPECT_EQ(e.polys[67].spin, 0);
    GameMode = Mode::Playing;
    DrawEnemy(0);
    // Five decagons (8 triangles each) and 35 squares (2 each): the spare records add nothing.
    EXPECT_EQ(TriangleVertexCount, (5 * 8 + 35 * 2) * 3);
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
            EnemyCursor = -1;
            Spawn(c.model, 4);
            EnemyPool[0].x = x;
            EnemyPool[0].y = y;
            CullEnemies();
            return EnemyPool[0].active == 0;
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
        GameMode = Mode::Playing;
        CurrentLevel = c.level;
        LevelTitleTimer = 200;
        LevelClock = 1234;
        BossBar = -90;
        Spawn(c.model, 0, 320, 300);
        ASSERT_EQ(MidBossSlot[c.level], EnemyCursor);
        CullEnemies();
        EXPECT_EQ(MidBossActive, 1);  // still inside
        EnemyPool[EnemyCursor].y = 700;
        UpdatePlaying();
        EXPECT_EQ(EnemyPool[EnemyCursor].active, 0);
        EXPECT_EQ(MidBossActive, 0);
        EXPECT_EQ(MidBossSlot[c.level], -1);
        EXPECT_FLOAT_EQ(BossBar, 0);
        EXPECT_EQ(LevelClock, c.clock);
        UpdatePlaying();
        EXPECT_EQ(CountActiveEnemies(), c.spawnsThere);
    }
}

TEST_F(EnemyPoolTest, CullingAnOrdinaryEnemyOrAFreeRecordHasNoSideEffects) {
    LevelClock = 77;
    BossBar = -50;
    MidBossActive = 1;
    Spawn(2, 4, 300, 900);
    EnemyPool[1] = EnemyPool[0];
    EnemyPool[1].active = 0;
    EnemyPool[1].modelType = 8;
    CullEnemies();
    EXPECT_EQ(EnemyPool[0].active, 0);
    EXPECT_EQ(LevelClock, 77);
    EXPECT_FLOAT_EQ(BossBar, -50);
    EXPECT_EQ(MidBossActive, 1);
}

TEST_F(EnemyPoolTest, ClearingFreesEveryRecordButKeepsTheCursorAndTheHashSeesThePool) {
    uint64_t empty = HashGameState();
    Spawn();
    Spawn();
    EXPECT_NE(HashGameState(), empty);
    ClearEnemyPool();
    EXPECT_EQ(CountActiveEnemies(), 0);
    EXPECT_EQ(EnemyCursor, 1);
    ResetEnemyPool();
    EXPECT_EQ(EnemyCursor, -1);
    EXPECT_EQ(HashGameState(), empty);
}

}  // namespace
