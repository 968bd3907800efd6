#include <vector>

#include "audio/audio.h"
#include "game/enemy_bullets.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "game/player_shots.h"
#include "game/ship.h"
#include "shell/bindings.h"
#include "app/input_step.h"
#include "world/world.h"
#include "shell/settings.h"
#include "test_support.h"

namespace {

class ShieldTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        LoadSettings();
        StartFromMenu(StartLevelPractice, 0);
        W.Level.LevelClock = -1000000;
        h().sound.calls.clear();
    }
    // A small bullet right on the ship, falling.
    void BulletOnShip(float dx = 0) {
        SpawnEnemyBullet(0, 1, 1.1547f, 0, 0, 0, 0, -2, W.PlayerShip.x + dx, W.PlayerShip.y);
    }
    std::vector<int> EffectsPlayed() {
        PlayRequestedSounds();
        std::vector<int> out;
        for (const plat::SoundCall& c : h().sound.calls)
            if (c.kind == plat::SoundCall::PlaySample) out.push_back(c.a + 1);
        return out;
    }
};

TEST_F(ShieldTest, SevenBulletsOnOneShieldRefundTheSixth) {
    InitSound();
    h().sound.calls.clear();
    W.Game.Held = 4;
    h().input.Press(W.Saved.Bindings[SlotKeyShield]);
    InputStep();
    h().input.Release(W.Saved.Bindings[SlotKeyShield]);
    ASSERT_EQ(W.ShieldTimer, 50);
    ASSERT_EQ(W.Game.Held, 3);
    PlayRequestedSounds();  // the shield's own sound
    h().sound.calls.clear();
    for (int i = 0; i < 7; ++i) {
        BulletOnShip();
        CollideEnemyBullets();
    }
    // Effect 11 is sample 11, effect 12 sample 12.
    EXPECT_EQ(EffectsPlayed(), (std::vector<int>{11, 11, 11, 11, 11, 12, 11}));
    EXPECT_EQ(W.Game.Held, 4);
    EXPECT_EQ(W.ShieldHits, 7);
    EXPECT_EQ(CountEnemyBullets(), 0);
    EXPECT_EQ(CountPlayerShots(), 7);  // each one sent back
    EXPECT_EQ(ShipAlive, 1);
}

TEST_F(ShieldTest, ABulletDestroysTheShipButLeavesTheShieldTimer) {
    BulletOnShip();
    CollideEnemyBullets();
    EXPECT_EQ(ShipAlive, 0);
    EXPECT_EQ(CountEnemyBullets(), 0);
    EXPECT_EQ(W.SoundsPlayed.effect[3], 1u);
}

TEST_F(ShieldTest, DuringTheGracePeriodBulletsPassButTheShieldStillReflects) {
    W.Invulnerable = 1;
    BulletOnShip();
    CollideEnemyBullets();
    EXPECT_EQ(ShipAlive, 1);
    EXPECT_EQ(CountEnemyBullets(), 1);
    W.ShieldTimer = 30;
    CollideEnemyBullets();
    EXPECT_EQ(CountEnemyBullets(), 0);
    EXPECT_EQ(CountPlayerShots(), 1);
}

TEST_F(ShieldTest, TheShieldCircleIsTwentyAndTestedFirst) {
    W.ShieldTimer = 30;
    BulletOnShip(19.9f);  // 19 after truncation: inside
    CollideEnemyBullets();
    EXPECT_EQ(CountPlayerShots(), 1);
    ClearPlayerShots();
    BulletOnShip(20.5f);
    CollideEnemyBullets();
    EXPECT_EQ(CountEnemyBullets(), 1);
    EXPECT_EQ(ShipAlive, 1);
}

TEST_F(ShieldTest, ABulletCulledThisFrameStillHitsTheShip) {
    W.PlayerShip.x = 133;
    SpawnEnemyBullet(0, 1, 1.1547f, 0, 0, 0, 0, 0, 125, W.PlayerShip.y);  // on the cull edge
    W.PlayerShip.x = 126;  // the ship can never be there, but the test point can
    CollideEnemyBullets();
    EXPECT_EQ(ShipAlive, 0);
}

}  // namespace
