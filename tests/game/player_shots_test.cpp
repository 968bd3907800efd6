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
#include "world/world.h"
#include "test_support.h"

namespace {

class ShotTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        W.Program.GameMode = Mode::Playing;
        ClearEnemyPool();
    }
    // An enemy of `polys` Polys of the given radius, all centred on (x, y).
    static Enemy& PlaceEnemy(int slot, float x, float y, int hitPoints, int polys = 1, float radius = 6,
                             int drop = EnergyPickup) {
        Enemy& e = W.EnemyPool[slot];
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
        for (const Spark& s : W.Sparks) n += s.active;
        return n;
    }
};

TEST_F(ShotTest, AFullPoolTakesNoShot) {
    for (PlayerShot& s : W.PlayerShots) s.active = 1;
    EXPECT_EQ(SpawnPlayerShot(0, 300, 300, 0, 0), -1);
    EXPECT_EQ(CountPlayerShots(), 1000);
    W.PlayerShots[0].active = 0;
    W.ShotCursor = 998;
    EXPECT_EQ(SpawnPlayerShot(0, 300, 300, 0, 0), 0);  // wraps past the last slot
    EXPECT_EQ(W.ShotCursor, 0);
}

TEST_F(ShotTest, ShotsAreCulledAtTheTopAndSidesOnly) {
    int top = ShotAt(300, -20), nearTop = ShotAt(300, -19);
    int left = ShotAt(110, 300), nearLeft = ShotAt(111, 300);
    int right = ShotAt(520, 300), nearRight = ShotAt(519, 300);
    int below = ShotAt(300, 900);
    CollidePlayerShots();
    EXPECT_EQ(W.PlayerShots[top].active, 0);
    EXPECT_EQ(W.PlayerShots[left].active, 0);
    EXPECT_EQ(W.PlayerShots[right].active, 0);
    EXPECT_EQ(W.PlayerShots[nearTop].active, 1);
    EXPECT_EQ(W.PlayerShots[nearLeft].active, 1);
    EXPECT_EQ(W.PlayerShots[nearRight].active, 1);
    EXPECT_EQ(W.PlayerShots[below].active, 1);
}

TEST_F(ShotTest, AShotOverlappingTwoEnemiesDamagesBoth) {
    Enemy& a = PlaceEnemy(10, 300, 300, 100);
    Enemy& b = PlaceEnemy(60, 302, 298, 100);
    int s = ShotAt(300, 300);
    CollidePlayerShots();
    EXPECT_EQ(a.hitPoints, 90);
    EXPECT_EQ(b.hitPoints, 90);
    EXPECT_EQ(W.PlayerShots[s].active, 0);
    EXPECT_EQ(CountSparks(), 16);
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
    EXPECT_EQ(W.PlayerShots[s].active, 1);
}

TEST_F(ShotTest, AnEnemyDestroyedTwiceInOneFrameExplodesTwiceButDropsOnce) {
    Enemy& e = PlaceEnemy(7, 300, 300, 10, 2);
    ShotAt(300, 300);
    CollidePlayerShots();
    EXPECT_EQ(e.active, 0);
    EXPECT_EQ(e.hitPoints, -10);
    EXPECT_EQ(e.DropDone, 1);
    EXPECT_EQ(W.SoundsPlayed.explosion, 2u);
    EXPECT_EQ(CountPickups(), 1);
    EXPECT_EQ(W.EnemiesKilled, 1);
    int shards = 0;
    for (const Shard& s : W.Shards) shards += s.active;
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

TEST_F(ShotTest, AFullPickupPoolLosesTheDropButMarksItMade) {
    for (Pickup& p : W.Pickups) p.active = 1;
    Enemy& e = PlaceEnemy(0, 300, 300, 10);
    ShotAt(300, 300);
    CollidePlayerShots();
    EXPECT_EQ(e.active, 0);
    EXPECT_EQ(e.DropDone, 1);
    EXPECT_EQ(W.SoundsPlayed.explosion, 1u);
}

}  // namespace
