#include <algorithm>
#include <vector>

#include "audio/audio.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "game/player_shots.h"
#include "game/ship.h"
#include "game/weapons.h"
#include "input/devices.h"
#include "app/input_step.h"
#include "world/world.h"
#include "shell/settings.h"
#include "test_support.h"

namespace {

constexpr int kFireKey = 45, kShieldKey = 44;  // X and Z by default

using Kinds = std::vector<int>;

class WeaponTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        LoadSettings();
        InitInput();
        StartFromMenu(StartLevelPractice, 0);
        W.Level.LevelClock = -1000000;  // far from every scripted event
    }
    // One input step; the kinds it fired, in ascending order.
    Kinds Step() {
        ClearPlayerShots();
        InputStep();
        Kinds kinds;
        for (const PlayerShot& s : W.PlayerShots)
            if (s.active) kinds.push_back(s.kind);
        std::sort(kinds.begin(), kinds.end());
        return kinds;
    }
    static Kinds Range(int first, int last) {
        Kinds k;
        for (int i = first; i <= last; ++i) k.push_back(i);
        return k;
    }
};

TEST_F(WeaponTest, TheShieldBlocksANewVolleyButTheRunningOneFinishes) {
    W.Game.WeaponLevel = 1;
    W.Game.Held = 5;
    h().input.Press(kFireKey);
    EXPECT_EQ(Step(), (Kinds{0, 1, 2}));
    h().input.Press(kShieldKey);  // raised on frame 1 of a 16-frame volley
    std::vector<int> mainFrames;
    for (int f = 1; f < 40; ++f) {
        Kinds kinds = Step();
        if (f == 1) {
            EXPECT_EQ(W.ShieldTimer, 50);
        }
        if (std::find(kinds.begin(), kinds.end(), 0) != kinds.end()) mainFrames.push_back(f);
    }
    // Frames 6 and 12 finish the volley; the next waits until the shield timer is below 20.
    EXPECT_EQ(mainFrames, (std::vector<int>{6, 12, 33, 39}));
    EXPECT_EQ(W.Game.Held, 4);
}

TEST_F(WeaponTest, AVolleyStopsWhileTheShipIsDownAndGoesOnAfter) {
    W.Game.WeaponLevel = 0;
    h().input.Press(kFireKey);
    Step();
    Step();
    ShipAlive = 0;
    for (int f = 0; f < 10; ++f) EXPECT_TRUE(Step().empty());
    EXPECT_EQ(W.MainGunTimer, 2);
    ShipAlive = 1;
    for (int f = 2; f <= 5; ++f) EXPECT_TRUE(Step().empty());  // frame 5 ends the volley
    EXPECT_EQ(Step(), Kinds{0});
}

TEST_F(WeaponTest, AStrayLevelAboveSevenStillCompletesItsVolleys) {
    W.Game.WeaponLevel = 9;
    h().input.Press(kFireKey);
    EXPECT_EQ(Step(), Range(0, 14));
    for (int f = 1; f < 6; ++f) Step();
    EXPECT_EQ(W.FireLatch, 0);
}

}  // namespace
