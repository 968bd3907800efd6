#include "enemies/enemy_pool.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "game/particles.h"
#include "game/ship.h"
#include "game/ship_life.h"
#include "render/batches.h"
#include "render/camera.h"
#include "world/world.h"
#include "test_support.h"

namespace {

class ShipTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        StartFromMenu(StartLevelPractice, 0);
        W.Level.LevelTitleTimer = 0;
        W.Level.LevelClock = -1000000;  // far from every scripted event
    }
    // A one-Poly enemy of the given radius at (x, y), nothing else in the pool.
    void PlaceEnemy(float x, float y, float radius) {
        ClearEnemyPool();
        SpawnEnemy(4, 8, 30, 0, static_cast<int>(x), static_cast<int>(y), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
        for (Enemy& e : W.EnemyPool) {
            if (!e.active) continue;
            e.polyCount = 1;
            e.polys[0].offsetX = e.polys[0].offsetY = 0;
            e.polys[0].radius = radius;
        }
    }
};

TEST(InCircleTest, TruncatesAndTestsBothAxesFirst) {
    EXPECT_EQ(InCircle(3, 4, 5.01f), 1);
    EXPECT_EQ(InCircle(3, 4, 5), 0);  // strictly inside
    EXPECT_EQ(InCircle(6, 0, 5.5f), 0);
    // Differences are cut toward zero before the test: 4.9 counts as 4.
    EXPECT_EQ(PointsTouch(10, 10, 14.9f, 10, 4.5f), 1);
    EXPECT_EQ(PointsTouch(14.9f, 10, 10, 10, 4.5f), 1);
    EXPECT_EQ(PointsTouch(10, 10, 15.0f, 10, 4.5f), 0);
}

TEST_F(ShipTest, BodyContactCountsOnlyFromTheLeftWingPoint) {
    // 6 units right of centre: on the right wing, but 12 from the test point.
    PlaceEnemy(W.PlayerShip.x + 6, W.PlayerShip.y, 3);
    CheckBodyCollision();
    EXPECT_EQ(ShipAlive, 1);
    PlaceEnemy(W.PlayerShip.x - 6, W.PlayerShip.y + 3, 3);
    CheckBodyCollision();
    EXPECT_EQ(ShipAlive, 0);
    EXPECT_EQ(W.Presentation.ShakeAmount, 12);
    int shards = 0, blue = 0;
    for (const Shard& s : W.Shards) shards += s.active, blue += s.active && s.colourKind >= 2;
    EXPECT_EQ(shards, 22);
    EXPECT_EQ(blue, 22);
    EXPECT_NE(W.TrackedShard, -1);
}

TEST_F(ShipTest, TheLifeGoesWhenTheLastShardFadesThenTheShipReturnsProtected) {
    W.ShieldTimer = 30;
    PlaceEnemy(W.PlayerShip.x - 6, W.PlayerShip.y, 3);
    CheckBodyCollision();
    EXPECT_EQ(W.ShieldTimer, 0);  // a collision drops the shield
    ClearEnemyPool();
    int frames = 0;
    while (W.Game.Lives == 5 && frames < 200) {
        Frames(1);
        ++frames;
    }
    EXPECT_GE(frames, 40);
    EXPECT_LE(frames, 63);
    EXPECT_EQ(W.Game.Lives, 4);
    EXPECT_EQ(W.RespawnPending, 1);
    float x = W.PlayerShip.x;
    Frames(1);
    EXPECT_EQ(ShipAlive, 1);
    EXPECT_EQ(W.Invulnerable, 1);
    EXPECT_EQ(W.PlayerShip.x, x);  // back where it was destroyed
    // Pausing stops the grace period.
    W.Program.GameMode = Mode::Paused;
    Frames(500);
    EXPECT_EQ(W.Invulnerable, 1);
    W.Program.GameMode = Mode::Playing;
    // Bodies pass through while protected.
    PlaceEnemy(W.PlayerShip.x - 6, W.PlayerShip.y, 3);
    Frames(1);
    EXPECT_EQ(ShipAlive, 1);
    ClearEnemyPool();
    Frames(kGracePeriod - 3);
    EXPECT_EQ(W.Invulnerable, 1);
    Frames(1);
    EXPECT_EQ(W.Invulnerable, 0);
    EXPECT_EQ(W.RespawnPending, 0);
}

TEST_F(ShipTest, AnExplosionWithNoFreeShardStillCostsTheLife) {
    for (Shard& s : W.Shards) s.active = 1, s.life = 1000, s.fadeStep = 0;
    KillShip(false);
    EXPECT_EQ(ShipAlive, 0);
    EXPECT_EQ(W.Game.Lives, 4);
    EXPECT_EQ(W.RespawnPending, 1);
}

TEST_F(ShipTest, TheGameEndsTwoHundredFramesAfterTheLastLife) {
    W.Game.Lives = 1;
    KillShip(false);
    int frames = 0;
    while (W.Game.Lives == 1 && frames < 200) Frames(1), ++frames;
    ASSERT_EQ(W.Game.Lives, 0);
    Frames(50);
    EXPECT_EQ(ShipAlive, 0);  // no respawn without lives
    Frames(150);
    EXPECT_EQ(W.Program.GameMode, Mode::Playing);
    Frames(1);
    EXPECT_EQ(W.Program.GameMode, Mode::Menu);
}

}  // namespace
