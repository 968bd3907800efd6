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
#include "shell/game_vars.h"
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
        LevelClock = -1000000;  // far from every scripted event
    }
    // One input step; the kinds it fired, in ascending order.
    Kinds Step() {
        ClearPlayerShots();
        InputStep();
        Kinds kinds;
        for (const PlayerShot& s : PlayerShots)
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

TEST_F(WeaponTest, LevelZeroFiresOneMainShotEverySixFrames) {
    WeaponLevel = 0;
    h().input.Press(kFireKey);
    for (int f = 0; f < 60; ++f) {
        Kinds kinds = Step();
        if (f % 6 == 0) EXPECT_EQ(kinds, Kinds{0}) << "frame " << f;
        else EXPECT_TRUE(kinds.empty()) << "frame " << f;
    }
    EXPECT_EQ(SoundsPlayed.shot, 10u);
}

TEST_F(WeaponTest, EachLevelFiresItsVolleyShape) {
    struct Expect {
        int level, length;
        Kinds frame0, frame6, frame12;  // nothing fires on any other frame
    };
    const Expect cases[] = {
        {1, 16, {0, 1, 2}, {0}, {0}},
        {2, 16, Range(0, 4), {0}, {0}},
        {3, 11, Range(0, 6), {0}, {}},
        {4, 11, Range(0, 8), {0}, {}},
        {5, 11, Range(0, 10), Range(0, 6), {}},
        {6, 11, Range(0, 12), Range(0, 10), {}},
        {7, 6, Range(0, 14), {}, {}},
    };
    for (const Expect& e : cases) {
        SCOPED_TRACE(e.level);
        WeaponLevel = e.level;
        FireLatch = MainGunTimer = SideGunTimer = RearGunTimer = 0;
        h().input.Press(kFireKey);
        for (int volley = 0; volley < 2; ++volley) {
            for (int f = 0; f < e.length; ++f) {
                Kinds want = f == 0 ? e.frame0 : f == 6 ? e.frame6 : f == 12 ? e.frame12 : Kinds{};
                EXPECT_EQ(Step(), want) << "frame " << f;
                // The volley is over exactly on its last frame, and everything starts from zero again.
                EXPECT_EQ(FireLatch, f == e.length - 1 ? 0 : 1) << "frame " << f;
            }
            EXPECT_EQ(MainGunTimer + SideGunTimer + RearGunTimer, 0);
        }
        h().input.Release(kFireKey);
        EXPECT_TRUE(Step().empty());
    }
}

TEST_F(WeaponTest, ShotsLeaveFromTheNoseAndTheWings) {
    WeaponLevel = 5;
    PlayerShip.x = 300, PlayerShip.y = 400;
    FireWeapon();
    for (const PlayerShot& s : PlayerShots) {
        if (!s.active) continue;
        SCOPED_TRACE(s.kind);
        if (s.kind == 5 || s.kind == 7 || s.kind == 9) {
            EXPECT_EQ(s.x, 312);
            EXPECT_EQ(s.y, 406);
        } else if (s.kind == 6 || s.kind == 8 || s.kind == 10) {
            EXPECT_EQ(s.x, 288);
            EXPECT_EQ(s.y, 410);
        } else {
            EXPECT_EQ(s.x, 298);
            EXPECT_EQ(s.y, 398);
        }
    }
}

TEST_F(WeaponTest, TheShieldBlocksANewVolleyButTheRunningOneFinishes) {
    WeaponLevel = 1;
    Held = 5;
    h().input.Press(kFireKey);
    EXPECT_EQ(Step(), (Kinds{0, 1, 2}));
    h().input.Press(kShieldKey);  // raised on frame 1 of a 16-frame volley
    std::vector<int> mainFrames;
    for (int f = 1; f < 40; ++f) {
        Kinds kinds = Step();
        if (f == 1) {
            EXPECT_EQ(ShieldTimer, 50);
        }
        if (std::find(kinds.begin(), kinds.end(), 0) != kinds.end()) mainFrames.push_back(f);
    }
    // Frames 6 and 12 finish the volley; the next waits until the shield timer is below 20.
    EXPECT_EQ(mainFrames, (std::vector<int>{6, 12, 33, 39}));
    EXPECT_EQ(Held, 4);
}

TEST_F(WeaponTest, AVolleyStopsWhileTheShipIsDownAndGoesOnAfter) {
    WeaponLevel = 0;
    h().input.Press(kFireKey);
    Step();
    Step();
    ShipAlive = 0;
    for (int f = 0; f < 10; ++f) EXPECT_TRUE(Step().empty());
    EXPECT_EQ(MainGunTimer, 2);
    ShipAlive = 1;
    for (int f = 2; f <= 5; ++f) EXPECT_TRUE(Step().empty());  // frame 5 ends the volley
    EXPECT_EQ(Step(), Kinds{0});
}

TEST_F(WeaponTest, AStrayLevelAboveSevenStillCompletesItsVolleys) {
    WeaponLevel = 9;
    h().input.Press(kFireKey);
    EXPECT_EQ(Step(), Range(0, 14));
    for (int f = 1; f < 6; ++f) Step();
    EXPECT_EQ(FireLatch, 0);
}

}  // namespace
