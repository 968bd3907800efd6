#include <cmath>
#include <cstring>

#include "audio/audio.h"
#include "enemies/enemy_pool.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "game/particles.h"
#include "game/pickups.h"
#include "game/ship.h"
#include "render/batches.h"
#include "world/world.h"
#include "test_support.h"

namespace {

class PickupTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        StartFromMenu(StartFullGame, 0);
        W.Level.LevelClock = -1000000;  // far from every scripted event
        ClearEnemyPool();
    }
    static int OnShip(int kind) { return SpawnPickup(W.PlayerShip.x, W.PlayerShip.y, kind); }
};

TEST_F(PickupTest, SpawnTakesOnlyTheTwoKinds) {
    SpawnPickup(200, 100, EnergyPickup);
    EXPECT_EQ(W.Pickups[SpawnPickup(250, 100, WeaponPickup)].size, 12.0f);
    EXPECT_EQ(SpawnPickup(250, 100, 2), -1);
    EXPECT_EQ(CountPickups(), 2);
}

TEST_F(PickupTest, AFullPoolTakesNothing) {
    for (int i = 0; i < kPickupPool; ++i) ASSERT_GE(SpawnPickup(300, 100, EnergyPickup), 0);
    EXPECT_EQ(SpawnPickup(300, 100, EnergyPickup), -1);
    W.Pickups[40].active = 0;
    EXPECT_EQ(SpawnPickup(300, 100, EnergyPickup), 40);
}

TEST_F(PickupTest, HomingSpeedStopsGrowingAtSix) {
    W.PlayerShip.x = 300, W.PlayerShip.y = 500;
    Pickup& p = W.Pickups[SpawnPickup(300, -40, EnergyPickup)];
    p.homing = 1;
    p.speed = 5.95f;
    Frames(1);
    EXPECT_NEAR(p.speed, 6.05f, 1e-5);
    Frames(3);
    EXPECT_NEAR(p.speed, 6.05f, 1e-5);
}

TEST_F(PickupTest, TheMagnetPullsFromSizePlusThirty) {
    W.PlayerShip.x = 300, W.PlayerShip.y = 400;
    Pickup& far = W.Pickups[SpawnPickup(300, 400 - 38.0f, EnergyPickup)];
    Pickup& near = W.Pickups[SpawnPickup(300, 400 - 37.9f, EnergyPickup)];
    CollectPickups();
    EXPECT_EQ(far.homing, 0);  // 38 is not inside 8 + 30
    EXPECT_EQ(near.homing, 1);  // 37.9 truncates to 37
    EXPECT_EQ(far.active, 1);
}

TEST_F(PickupTest, AHomingPickupKeepsItsCourseWhileTheShipIsDown) {
    W.PlayerShip.x = 300, W.PlayerShip.y = 400;
    Pickup& p = W.Pickups[SpawnPickup(250, 400, EnergyPickup)];
    p.homing = 1;
    Frames(1);
    EXPECT_NEAR(p.vx, 0.5f, 1e-6);
    ShipAlive = 0;
    W.PlayerShip.x = 150;
    Frames(1);
    EXPECT_NEAR(p.vx, 0.5f, 1e-6);
    EXPECT_NEAR(p.speed, 0.6f, 1e-6);
}

TEST_F(PickupTest, APickupOnTheShipsCentreStaysFinite) {
    ShipAlive = 0;  // nothing collects it this frame
    Pickup& p = W.Pickups[SpawnPickup(W.PlayerShip.x, W.PlayerShip.y, EnergyPickup)];
    p.homing = 1;
    p.vx = 0, p.vy = 2;
    ShipAlive = 1;
    UpdatePickups();
    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    EXPECT_EQ(p.y, W.PlayerShip.y + 2);
}

TEST_F(PickupTest, PickupsAreCulledOutsideTheField) {
    W.PlayerShip.x = 300, W.PlayerShip.y = 300;
    const struct {
        float x, y;
        int alive;
    } cases[] = {{300, -50, 1}, {300, -50.5f, 0}, {300, 531.5f, 1}, {300, 532, 0},
                 {531.5f, 300, 1}, {532, 300, 0}, {108, 300, 1}, {107.5f, 300, 0}};
    for (const auto& c : cases) {
        ClearPickups();
        Pickup& p = W.Pickups[SpawnPickup(c.x, c.y, EnergyPickup)];
        CollectPickups();
        EXPECT_EQ(p.active, c.alive) << c.x << ", " << c.y;
    }
}

TEST_F(PickupTest, TheFiftiethEnergyGivesOneLifeOnlyTheFirstTime) {
    W.Game.Held = W.Game.PeakHeld = 49;
    W.Game.Lives = 3;
    OnShip(EnergyPickup);
    CollectPickups();
    EXPECT_EQ(W.Game.Held, 50);
    EXPECT_EQ(W.Game.PeakHeld, 50);
    EXPECT_EQ(W.Game.Lives, 4);
    EXPECT_EQ(W.SoundsPlayed.effect[8], 1u);
    --W.Game.Held;  // a shield raised
    OnShip(EnergyPickup);
    CollectPickups();
    EXPECT_EQ(W.Game.Held, 50);
    EXPECT_EQ(W.Game.PeakHeld, 50);
    EXPECT_EQ(W.Game.Lives, 4);
    EXPECT_EQ(W.SoundsPlayed.effect[8], 1u);
    W.Game.Held = W.Game.PeakHeld = 99;
    OnShip(EnergyPickup);
    CollectPickups();
    EXPECT_EQ(W.Game.Lives, 5);
    EXPECT_EQ(W.SoundsPlayed.effect[8], 2u);
}

TEST_F(PickupTest, ADestroyedShipCollectsNothing) {
    OnShip(EnergyPickup);
    ShipAlive = 0;
    CollectPickups();
    EXPECT_EQ(W.Game.Held, 0);
    EXPECT_EQ(CountPickups(), 1);
}

}  // namespace
