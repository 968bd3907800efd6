#include <algorithm>
#include <cmath>

#include "audio/audio.h"
#include "enemies/enemy_pool.h"
#include "enemies/polygons.h"
#include "game/level_state.h"
#include "game/particles.h"
#include "game/pickups.h"
#include "game/player_shots.h"
#include "game/shot_shapes.h"
#include "render/batches.h"
#include "shell/game_vars.h"
#include "test_support.h"

namespace {

class ShotTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        GameMode = Mode::Playing;
        ClearEnemyPool();
    }
    // An enemy of `polys` Polys of the given radius, all centred on (x, y).
    static Enemy& PlaceEnemy(int slot, float x, float y, int hitPoints, int polys = 1, float radius = 6,
                             int drop = EnergyPickup) {
        Enemy& e = EnemyPool[slot];
        e = {};
        e.active = 1;
        e.modelType = 4;
        e.hitPoints = hitPoints;
        e.DropKind = drop;
        e.polyCount = polys;
        e.x = x, e.y = y;
        for (int p = 0; p < polys; ++p) e.polys[p].radius = radius;
        return e;
    }
    // A main-gun shot whose first corner lies on (x, y).
    static int ShotAt(float x, float y) { return SpawnPlayerShot(0, x, y, 0, 0); }
    static int CountSparks() {
        int n = 0;
        for (const Spark& s : Sparks) n += s.active;
        return n;
    }
};

TEST_F(ShotTest, KindsTakeTheirSpeedAndTheShieldsShotItsOwn) {
    int a = SpawnPlayerShot(7, 300, 300, 5, 5);
    EXPECT_EQ(PlayerShots[a].vx, 9.8f);
    EXPECT_EQ(PlayerShots[a].vy, -2.0f);
    EXPECT_EQ(PlayerShots[a].reflected, 0);
    int b = SpawnPlayerShot(kReflectedShot, 300, 300, 1.5f, -2.5f);
    const PlayerShot& r = PlayerShots[b];
    EXPECT_EQ(r.kind, 15);
    EXPECT_EQ(r.reflected, 1);
    EXPECT_EQ(r.outlined, 1);
    EXPECT_EQ(r.x, 297);
    EXPECT_EQ(r.y, 303);
    MovePlayerShots();
    EXPECT_EQ(r.x, 298.5f);
    EXPECT_EQ(r.y, 300.5f);
    EXPECT_EQ(SpawnPlayerShot(15, 300, 300, 0, 0), -1);
    EXPECT_EQ(SpawnPlayerShot(-2, 300, 300, 0, 0), -1);
}

TEST_F(ShotTest, OnlyTheForwardAndSideKindsFlashAtTheMuzzle) {
    const int withGlows[] = {0, 1, 2, 5, 6};
    for (int kind = 0; kind < 15; ++kind) {
        ClearGlows();
        SpawnPlayerShot(kind, 300, 300, 0, 0);
        int glows = 0;
        for (const Glow& g : Glows) glows += g.life != 0;
        bool listed = std::find(std::begin(withGlows), std::end(withGlows), kind) != std::end(withGlows);
        EXPECT_EQ(glows, listed ? 5 : 0) << "kind " << kind;
    }
}

TEST_F(ShotTest, TheAngledBarsLieAlongTheirFlight) {
    // Kind 0 is the upright 4 x 20 bar; the others were turned at start-up to point where they fly.
    EXPECT_EQ(ShotShapes[0][1].x, 0);
    EXPECT_EQ(ShotShapes[0][1].y, -20);
    for (int kind = 1; kind < 15; ++kind) {
        int s = SpawnPlayerShot(kind, 300, 300, 0, 0);
        const float bx = ShotShapes[kind][1].x - ShotShapes[kind][0].x;
        const float by = ShotShapes[kind][1].y - ShotShapes[kind][0].y;
        EXPECT_NEAR(std::hypot(bx, by), 20, 1e-3) << "kind " << kind;
        const float cross = bx * PlayerShots[s].vy - by * PlayerShots[s].vx;
        const float dot = bx * PlayerShots[s].vx + by * PlayerShots[s].vy;
        EXPECT_GT(dot, 0) << "kind " << kind;
        EXPECT_LT(std::fabs(std::atan2(cross, dot)), 0.06f) << "kind " << kind;  // within 3.5 degrees
    }
}

TEST_F(ShotTest, AFullPoolTakesNoShot) {
    for (PlayerShot& s : PlayerShots) s.active = 1;
    EXPECT_EQ(SpawnPlayerShot(0, 300, 300, 0, 0), -1);
    EXPECT_EQ(CountPlayerShots(), 1000);
    PlayerShots[0].active = 0;
    ShotCursor = 998;
    EXPECT_EQ(SpawnPlayerShot(0, 300, 300, 0, 0), 0);  // wraps past the last slot
    EXPECT_EQ(ShotCursor, 0);
}

TEST_F(ShotTest, ShotsAreCulledAtTheTopAndSidesOnly) {
    int top = ShotAt(300, -20), nearTop = ShotAt(300, -19);
    int left = ShotAt(110, 300), nearLeft = ShotAt(111, 300);
    int right = ShotAt(520, 300), nearRight = ShotAt(519, 300);
    int below = ShotAt(300, 900);
    CollidePlayerShots();
    EXPECT_EQ(PlayerShots[top].active, 0);
    EXPECT_EQ(PlayerShots[left].active, 0);
    EXPECT_EQ(PlayerShots[right].active, 0);
    EXPECT_EQ(PlayerShots[nearTop].active, 1);
    EXPECT_EQ(PlayerShots[nearLeft].active, 1);
    EXPECT_EQ(PlayerShots[nearRight].active, 1);
    EXPECT_EQ(PlayerShots[below].active, 1);
}

TEST_F(ShotTest, AnOrdinaryShotDeals10AndAReflectedOneGrowsWithTheWeapon) {
    WeaponLevel = 7;
    Enemy& e = PlaceEnemy(3, 300, 300, 1000);
    SpawnPlayerShot(kReflectedShot, 303, 297, 0, 0);  // its corner lands on (300, 300)
    CollidePlayerShots();
    EXPECT_EQ(e.hitPoints, 920);
    ShotAt(300, 300);
    CollidePlayerShots();
    EXPECT_EQ(e.hitPoints, 910);
    WeaponLevel = 0;
    SpawnPlayerShot(kReflectedShot, 303, 297, 0, 0);
    CollidePlayerShots();
    EXPECT_EQ(e.hitPoints, 900);
    EXPECT_EQ(e.hitFlash, 1);
    EXPECT_EQ(SoundsPlayed.effect[2], 3u);
    EXPECT_EQ(CountPlayerShots(), 0);  // each shot was spent on its hit
}

TEST_F(ShotTest, AShotOverlappingTwoEnemiesDamagesBoth) {
    Enemy& a = PlaceEnemy(10, 300, 300, 100);
    Enemy& b = PlaceEnemy(60, 302, 298, 100);
    int s = ShotAt(300, 300);
    CollidePlayerShots();
    EXPECT_EQ(a.hitPoints, 90);
    EXPECT_EQ(b.hitPoints, 90);
    EXPECT_EQ(PlayerShots[s].active, 0);
    EXPECT_EQ(CountSparks(), 16);
}

TEST_F(ShotTest, ThreePolysOfOneBossAreThreeHits) {
    Enemy& boss = PlaceEnemy(5, 300, 300, 18000, 3);
    boss.polys[1].offsetX = 100;  // a fourth Poly out of reach
    boss.polyCount = 4;
    boss.polys[3].radius = 6;
    BossSlot[0] = 5;
    BossBar = -180;
    ShotAt(300, 300);
    CollidePlayerShots();
    EXPECT_EQ(boss.hitPoints, 17970);
    EXPECT_NEAR(BossBar, -179.7f, 1e-4);
    EXPECT_EQ(SoundsPlayed.effect[2], 3u);
}

TEST_F(ShotTest, APolyTouchedBySeveralCornersIsOneHit) {
    Enemy& e = PlaceEnemy(0, 302, 290, 100, 1, 40);
    ShotAt(300, 300);
    CollidePlayerShots();
    EXPECT_EQ(e.hitPoints, 90);
}

TEST_F(ShotTest, OnlyEnemiesActiveExactlyOneAreHit) {
    Enemy& e = PlaceEnemy(0, 300, 300, 100);
    e.active = 2;
    int s = ShotAt(300, 300);
    CollidePlayerShots();
    EXPECT_EQ(e.hitPoints, 100);
    EXPECT_EQ(PlayerShots[s].active, 1);
}

TEST_F(ShotTest, AnEnemyDestroyedTwiceInOneFrameExplodesTwiceButDropsOnce) {
    Enemy& e = PlaceEnemy(7, 300, 300, 10, 2);
    ShotAt(300, 300);
    CollidePlayerShots();
    EXPECT_EQ(e.active, 0);
    EXPECT_EQ(e.hitPoints, -10);
    EXPECT_EQ(e.DropDone, 1);
    EXPECT_EQ(SoundsPlayed.explosion, 2u);
    EXPECT_EQ(CountPickups(), 1);
    EXPECT_EQ(EnemiesKilled, 1);
    int shards = 0;
    for (const Shard& s : Shards) shards += s.active;
    EXPECT_EQ(shards, 32);  // two explosions of a small enemy
}

TEST_F(ShotTest, AnEnemyThatHasDroppedDropsNoMore) {
    Enemy& e = PlaceEnemy(7, 300, 300, 10);
    e.DropDone = 1;
    ShotAt(300, 300);
    CollidePlayerShots();
    EXPECT_EQ(e.active, 0);
    EXPECT_EQ(CountPickups(), 0);
}

TEST_F(ShotTest, TheBossBarReturnsToZeroExactlyAsTheBossDies) {
    const int hp[4] = {18000, 33000, 81200, 100000};
    for (int level = 0; level < 4; ++level) {
        SCOPED_TRACE(level);
        for (int k = 0; k < 4; ++k) BossSlot[k] = MidBossSlot[k] = -1;
        BossDefeated = 0;
        Enemy& boss = PlaceEnemy(20 + level, 300, 300, hp[level]);
        BossSlot[level] = 20 + level;
        BossBar = -180;
        int s = ShotAt(300, 300);
        float before = 0;
        while (boss.active == 1) {
            PlayerShots[s].active = 1;
            before = BossBar;
            EnemyHit(s, 20 + level);
            if (boss.active == 1) {
                ASSERT_LT(BossBar, 0.0f);
            }
        }
        EXPECT_EQ(boss.hitPoints, 0);
        EXPECT_EQ(BossBar, 0.0f);
        EXPECT_GT(before, -1.0f);  // the last step was one hit's worth, rounding aside
        EXPECT_EQ(BossDefeated, 1);
        EXPECT_EQ(BossSlot[level], 20 + level);  // the death sequence still needs the record
    }
}

TEST_F(ShotTest, AMidBossMovesTheBarAndItsDeathMovesTheClock) {
    const int hp[4] = {2100, 9000, 26000, 40000};
    const int clock[4] = {1234, 8000, 4900, 10000};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        Enemy& mid = PlaceEnemy(30, 300, 300, hp[k], 1, 6, WeaponPickup);
        MidBossSlot[k] = 30;
        MidBossActive = 1;
        LevelClock = 1234;
        BossBar = -180;
        int s = ShotAt(300, 300);
        EnemyHit(s, 30);
        EXPECT_NEAR(BossBar, -180 + 10 * 180.0f / hp[k], 1e-4);
        mid.hitPoints = 10;
        EnemyHit(s, 30);
        EXPECT_EQ(BossBar, 0.0f);
        EXPECT_EQ(MidBossSlot[k], -1);
        EXPECT_EQ(MidBossActive, 0);
        EXPECT_EQ(LevelClock, clock[k]);
        EXPECT_EQ(BossDefeated, 0);
    }
    EXPECT_EQ(CountPickups(), 4);
}

TEST_F(ShotTest, AFullPickupPoolLosesTheDropButMarksItMade) {
    for (Pickup& p : Pickups) p.active = 1;
    Enemy& e = PlaceEnemy(0, 300, 300, 10);
    ShotAt(300, 300);
    CollidePlayerShots();
    EXPECT_EQ(e.active, 0);
    EXPECT_EQ(e.DropDone, 1);
    EXPECT_EQ(SoundsPlayed.explosion, 1u);
}

TEST_F(ShotTest, ABarIsAFilledQuadWithFourOutlineEdges) {
    ShotAt(300, 300);
    DrawPlayerShots();
    ASSERT_EQ(TriangleVertexCount, 6);
    // Corners 0, 1, 3, 2: the quad's triangles are (0, 1, 3) and (1, 2, 3).
    EXPECT_EQ(TriangleBatch[0].x, 300);
    EXPECT_EQ(TriangleBatch[0].y, 300);
    EXPECT_EQ(TriangleBatch[1].y, 280);
    EXPECT_EQ(TriangleBatch[2].x, 304);
    EXPECT_EQ(TriangleBatch[2].y, 300);
    EXPECT_EQ(TriangleBatch[4].x, 304);
    EXPECT_EQ(TriangleBatch[4].y, 280);
    EXPECT_EQ(TriangleBatch[0].colour, 0x14FF9B33u);
    EXPECT_EQ(TriangleBatch[1].colour, 0x78FFFF33u);
    const int linesForOneShot = LineVertexCount;
    ResetBatches();
    AddLine(0, 0, 0, 10, 10, 0);
    EXPECT_EQ(linesForOneShot, 4 * LineVertexCount);
}

TEST_F(ShotTest, AReflectedShotLeavesATrailUnlessPaused) {
    SpawnPlayerShot(kReflectedShot, 300, 300, 0, 3);
    ClearGlows();
    DrawPlayerShots();
    int trail = 0;
    for (const Glow& g : Glows) trail += g.life != 0 && g.kind == 5;
    EXPECT_EQ(trail, 1);
    EXPECT_EQ(TriangleBatch[0].colour, 0x783232FFu);
    GameMode = Mode::Paused;
    ClearGlows();
    DrawPlayerShots();
    trail = 0;
    for (const Glow& g : Glows) trail += g.life != 0;
    EXPECT_EQ(trail, 0);
}

TEST_F(ShotTest, PausedFramesLeaveShotsWhereTheyAre) {
    int s = ShotAt(300, 300);
    GameMode = Mode::Paused;
    Frames(5);
    EXPECT_EQ(PlayerShots[s].y, 300);
    GameMode = Mode::Playing;
    LevelClock = -1000000;
    Frames(1);
    EXPECT_EQ(PlayerShots[s].y, 290);
}

}  // namespace
