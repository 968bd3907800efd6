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
#include "shell/game_vars.h"
#include "test_support.h"

namespace {

class PickupTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        StartFromMenu(StartFullGame, 0);
        LevelClock = -1000000;  // far from every scripted event
        ClearEnemyPool();
    }
    static int OnShip(int kind) { return SpawnPickup(PlayerShip.x, PlayerShip.y, kind); }
};

TEST_F(PickupTest, SpawnTakesOnlyTheTwoKinds) {
    SpawnPickup(200, 100, EnergyPickup);
    EXPECT_EQ(Pickups[SpawnPickup(250, 100, WeaponPickup)].size, 12.0f);
    EXPECT_EQ(SpawnPickup(250, 100, 2), -1);
    EXPECT_EQ(CountPickups(), 2);
}

TEST_F(PickupTest, TheSidewaysDriftIsOneOfThreeAtRandom) {
    int seen[3] = {};
    for (int i = 0; i < 90; ++i) {
        ClearPickups();
        float vx = Pickups[SpawnPickup(300, 100, EnergyPickup)].vx;
        if (vx == -0.2f) ++seen[0];
        else if (vx == 0.0f) ++seen[1];
        else if (vx == 0.2f) ++seen[2];
        else ADD_FAILURE() << vx;
    }
    EXPECT_GT(seen[0], 10);
    EXPECT_GT(seen[1], 10);
    EXPECT_GT(seen[2], 10);
}

TEST_F(PickupTest, AFullPoolTakesNothing) {
    for (int i = 0; i < kPickupPool; ++i) ASSERT_GE(SpawnPickup(300, 100, EnergyPickup), 0);
    EXPECT_EQ(SpawnPickup(300, 100, EnergyPickup), -1);
    Pickups[40].active = 0;
    EXPECT_EQ(SpawnPickup(300, 100, EnergyPickup), 40);
}

TEST_F(PickupTest, APickupFallsAndPulses) {
    Pickup& p = Pickups[SpawnPickup(300, 100, EnergyPickup)];
    const float x = p.x;
    Frames(1);
    EXPECT_EQ(p.y, 102);
    EXPECT_EQ(p.phase, 280);
    EXPECT_EQ(p.brightness, static_cast<int>(50 * SinTable[280] + 102));
    Frames(8);
    EXPECT_EQ(p.phase, 0);  // 360 wraps
    EXPECT_EQ(p.brightness, 102);
    EXPECT_NEAR(p.x, x + 9 * p.vx, 1e-3);
}

TEST_F(PickupTest, AWeaponPickupHomesFromTheStartSlowlyAtFirst) {
    PlayerShip.x = 300, PlayerShip.y = 400;
    Pickup& p = Pickups[SpawnPickup(300, 100, WeaponPickup)];
    Frames(1);
    EXPECT_NEAR(p.y, 100.1f, 1e-4);  // towards the ship at 0.1
    EXPECT_NEAR(p.speed, 0.15f, 1e-6);
    Frames(1);
    EXPECT_NEAR(p.y, 100.25f, 1e-4);
}

TEST_F(PickupTest, HomingSpeedStopsGrowingAtSix) {
    PlayerShip.x = 300, PlayerShip.y = 500;
    Pickup& p = Pickups[SpawnPickup(300, -40, EnergyPickup)];
    p.homing = 1;
    p.speed = 5.95f;
    Frames(1);
    EXPECT_NEAR(p.speed, 6.05f, 1e-5);
    Frames(3);
    EXPECT_NEAR(p.speed, 6.05f, 1e-5);
}

TEST_F(PickupTest, TheMagnetPullsFromSizePlusThirty) {
    PlayerShip.x = 300, PlayerShip.y = 400;
    Pickup& far = Pickups[SpawnPickup(300, 400 - 38.0f, EnergyPickup)];
    Pickup& near = Pickups[SpawnPickup(300, 400 - 37.9f, EnergyPickup)];
    CollectPickups();
    EXPECT_EQ(far.homing, 0);  // 38 is not inside 8 + 30
    EXPECT_EQ(near.homing, 1);  // 37.9 truncates to 37
    EXPECT_EQ(far.active, 1);
}

TEST_F(PickupTest, AHomingPickupKeepsItsCourseWhileTheShipIsDown) {
    PlayerShip.x = 300, PlayerShip.y = 400;
    Pickup& p = Pickups[SpawnPickup(250, 400, EnergyPickup)];
    p.homing = 1;
    Frames(1);
    EXPECT_NEAR(p.vx, 0.5f, 1e-6);
    ShipAlive = 0;
    PlayerShip.x = 150;
    Frames(1);
    EXPECT_NEAR(p.vx, 0.5f, 1e-6);
    EXPECT_NEAR(p.speed, 0.6f, 1e-6);
}

TEST_F(PickupTest, APickupOnTheShipsCentreStaysFinite) {
    ShipAlive = 0;  // nothing collects it this frame
    Pickup& p = Pickups[SpawnPickup(PlayerShip.x, PlayerShip.y, EnergyPickup)];
    p.homing = 1;
    p.vx = 0, p.vy = 2;
    ShipAlive = 1;
    UpdatePickups();
    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    EXPECT_EQ(p.y, PlayerShip.y + 2);
}

TEST_F(PickupTest, PickupsAreCulledOutsideTheField) {
    PlayerShip.x = 300, PlayerShip.y = 300;
    const struct {
        float x, y;
        int alive;
    } cases[] = {{300, -50, 1}, {300, -50.5f, 0}, {300, 531.5f, 1}, {300, 532, 0},
                 {531.5f, 300, 1}, {532, 300, 0}, {108, 300, 1}, {107.5f, 300, 0}};
    for (const auto& c : cases) {
        ClearPickups();
        Pickup& p = Pickups[SpawnPickup(c.x, c.y, EnergyPickup)];
        CollectPickups();
        EXPECT_EQ(p.active, c.alive) << c.x << ", " << c.y;
    }
}

TEST_F(PickupTest, CollectingEnergyCountsItForTheLevel) {
    CurrentLevel = 2;
    OnShip(EnergyPickup);
    CollectPickups();
    EXPECT_EQ(Held, 1);
    EXPECT_EQ(PeakHeld, 1);
    EXPECT_EQ(LevelCollected[2], 1);
    EXPECT_EQ(SoundsPlayed.effect[1], 1u);
    EXPECT_EQ(CountPickups(), 0);
    int sparkles = 0;
    for (const Glow& g : Glows) sparkles += g.life != 0 && g.kind == 0;
    EXPECT_EQ(sparkles, 30);
}

TEST_F(PickupTest, TheFiftiethEnergyGivesOneLifeOnlyTheFirstTime) {
    Held = PeakHeld = 49;
    Lives = 3;
    OnShip(EnergyPickup);
    CollectPickups();
    EXPECT_EQ(Held, 50);
    EXPECT_EQ(PeakHeld, 50);
    EXPECT_EQ(Lives, 4);
    EXPECT_EQ(SoundsPlayed.effect[8], 1u);
    --Held;  // a shield raised
    OnShip(EnergyPickup);
    CollectPickups();
    EXPECT_EQ(Held, 50);
    EXPECT_EQ(PeakHeld, 50);
    EXPECT_EQ(Lives, 4);
    EXPECT_EQ(SoundsPlayed.effect[8], 1u);
    Held = PeakHeld = 99;
    OnShip(EnergyPickup);
    CollectPickups();
    EXPECT_EQ(Lives, 5);
    EXPECT_EQ(SoundsPlayed.effect[8], 2u);
}

TEST_F(PickupTest, AWeaponPickupRaisesTheWeaponLevel) {
    WeaponLevel = 3;
    OnShip(WeaponPickup);
    CollectPickups();
    EXPECT_EQ(WeaponLevel, 4);
    EXPECT_EQ(Held, 0);
    EXPECT_EQ(SoundsPlayed.effect[7], 1u);
}

TEST_F(PickupTest, ADestroyedShipCollectsNothing) {
    OnShip(EnergyPickup);
    ShipAlive = 0;
    CollectPickups();
    EXPECT_EQ(Held, 0);
    EXPECT_EQ(CountPickups(), 1);
}

TEST_F(PickupTest, PickupsAreFrozenWhilePaused) {
    PlayerShip.x = 300, PlayerShip.y = 400;
    Pickup& e = Pickups[SpawnPickup(300, 100, EnergyPickup)];
    Pickup& w = Pickups[SpawnPickup(200, 100, WeaponPickup)];
    Frames(3);
    const Pickup e0 = e, w0 = w;
    int32_t wobble[4];
    for (int i = 0; i < 4; ++i) wobble[i] = PickupWobble[i];
    GameMode = Mode::Paused;
    Frames(20);
    EXPECT_EQ(0, std::memcmp(&e, &e0, sizeof e));
    EXPECT_EQ(0, std::memcmp(&w, &w0, sizeof w));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(PickupWobble[i], wobble[i]);
    GameMode = Mode::Playing;
    Frames(1);
    EXPECT_NE(e.y, e0.y);
    EXPECT_NE(PickupWobble[0], wobble[0]);
}

TEST_F(PickupTest, PausedPickupsAreStillDrawn) {
    SpawnPickup(300, 100, EnergyPickup);
    SpawnPickup(200, 100, WeaponPickup);
    GameMode = Mode::Paused;
    ResetBatches();
    UpdatePickups();
    EXPECT_EQ(TexturedTriangleVertexCount, 4 * 6);  // orb and two halos, one weapon orb
}

TEST_F(PickupTest, AnEnergyOrbHasTwoWobblingHalos) {
    GameMode = Mode::Paused;  // hold the wobble where it is
    PickupWobble[0] = 90, PickupWobble[1] = 0, PickupWobble[2] = 270, PickupWobble[3] = 180;
    Pickup& p = Pickups[SpawnPickup(300, 100, EnergyPickup)];
    p.brightness = 100;
    ResetBatches();
    DrawPickups();
    ASSERT_EQ(TexturedTriangleVertexCount, 18);
    EXPECT_EQ(TexturedTriangleBatch[0].x, 287);
    EXPECT_EQ(TexturedTriangleBatch[0].y, 87);
    EXPECT_EQ(TexturedTriangleBatch[0].colour, 0xFF2040A4u);
    // Halo one at (+4, +4), halo two at (-4, -4), half-size 14.
    EXPECT_NEAR(TexturedTriangleBatch[6].x, 290, 1e-4);
    EXPECT_NEAR(TexturedTriangleBatch[6].y, 90, 1e-4);
    EXPECT_NEAR(TexturedTriangleBatch[12].x, 282, 1e-4);
    EXPECT_NEAR(TexturedTriangleBatch[12].y, 82, 1e-4);
    EXPECT_EQ(TexturedTriangleBatch[6].colour, 0xFF000074u);
}

}  // namespace
