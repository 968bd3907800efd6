// The mid-bosses and end bosses: their stations, sheds, age jumps and wobbling streams.
#include "behaviour_test_support.h"
#include "enemies/models.h"
#include "game/level_state.h"
#include "shell/trig.h"

namespace {

using BehaviourBoss = BehaviourTest;

// Behaviour 0 keeps its age at 0 until it has passed y = 200: the whole script is relative to its arrival.
TEST_F(BehaviourBoss, Level1MidBossStartsItsClockOnlyBelowY200) {
    int s = Spawn(0, 0, 320, -40, 0, 3, 2);
    Step(80);
    EXPECT_EQ(E(s).y, 200);
    EXPECT_EQ(E(s).age, 0);
    EXPECT_EQ(E(s).polys[0].spin, 2);
    Step(1);
    EXPECT_EQ(E(s).y, 203);
    EXPECT_EQ(E(s).age, 0);
    Step(1);  // on station: the ring starts to spin up, and the boss stops
    EXPECT_EQ(E(s).y, 203);
    EXPECT_EQ(E(s).age, 1);
    EXPECT_EQ(E(s).polys[0].spin, 3);
    EXPECT_EQ(E(s).polys[6].orbitStep, 3);
    StepToAge(s, 200);
    EXPECT_EQ(E(s).polys[3].spin, 12);  // ten steps of +1, at t 0, 20, .., 180
    EXPECT_TRUE(fired.empty());
}

TEST_F(BehaviourBoss, Level1MidBossFreezesShedsItsRingAndLeaves) {
    int s = Spawn(0, 0, 320, -40, 0, 3, 2);
    StepToAge(s, 700);
    EXPECT_EQ(E(s).polys[1].flashOnHit, 0);
    EXPECT_EQ(E(s).polys[1].orbitStep, 0);
    EXPECT_EQ(E(s).polys[0].flashOnHit, 1);
    auto streams = FiredBy(s, 0);
    ASSERT_EQ(streams.size(), 249u);  // even t 202..698, read after the advance
    EXPECT_EQ(streams.front().age, 202);
    EXPECT_EQ(streams.back().age, 698);
    EXPECT_EQ(streams[0].oy, -44);
    StepToAge(s, 766);
    EXPECT_EQ(E(s).polyCount, 7);
    EXPECT_EQ(E(s).polys[1].baseY, -28 - 5 * 66);
    Step(1);
    EXPECT_EQ(E(s).polyCount, 1);
    EXPECT_EQ(E(s).polys[6].visible, 0);
    EXPECT_EQ(E(s).polys[0].visible, 1);
    Step(10);
    EXPECT_EQ(E(s).polyCount, 1);
    EXPECT_EQ(E(s).polys[2].baseY, -363);
    StepToAge(s, 1699);
    EXPECT_EQ(E(s).polys[0].spin, 2 + 10 - 12 - 10);
    EXPECT_EQ(E(s).y, 203);
    auto rings = FiredBy(s, 2);
    ASSERT_EQ(rings.size(), 10u);  // 1242 .. 1656, every 46
    EXPECT_EQ(rings[0].age, 1242);
    Step(1);
    EXPECT_EQ(E(s).y, 206);
}

TEST_F(BehaviourBoss, Level1BossStopsAfter151FramesAndWobblesItsRing) {
    int s = Spawn(7, 11, 320, -130, 0, 2);
    StepToAge(s, 400);
    EXPECT_EQ(E(s).y, 172);
    EXPECT_EQ(E(s).polys[40].spin, 2);
    EXPECT_EQ(E(s).polys[41].orbitStep, 2);
    Step(1);
    // t = 400, u = 40: 180 + 28 cos 40 = 201.45 and 180 + 28 sin 40 = 197.998, cut to 201 and 197.
    auto ring = FiredBy(s, 10);
    ASSERT_FALSE(ring.empty());
    EXPECT_EQ(ring.back().age, 400);
    EXPECT_EQ(ring.back().vx, 3 * CosTable[201]);
    EXPECT_EQ(ring.back().vy, 3 * SinTable[197]);
    EXPECT_EQ(FiredBy(s, 12).front().age, 195);
}

TEST_F(BehaviourBoss, Level1BossPodsSwingOutStopAndComeBack) {
    int s = Spawn(7, 11, 320, -130, 0, 2);
    const float base = E(s).polys[43].baseY;
    StepToAge(s, 1315);
    EXPECT_EQ(E(s).polys[43].baseY, base - 44);
    EXPECT_EQ(E(s).polys[43].orbitStep, 0);
    const int angle = E(s).polys[43].orbitAngle;
    Step(100);
    EXPECT_EQ(E(s).polys[43].orbitAngle, angle);
    StepToAge(s, 4167);
    EXPECT_EQ(E(s).polys[43].baseY, base);
    EXPECT_EQ(E(s).polys[43].orbitStep, 2);
    StepToAge(s, 5121);
    EXPECT_EQ(E(s).polys[43].baseY, base);  // five whole pumps
    StepToAge(s, 5201);
    EXPECT_EQ(E(s).polys[44].orbitStep, -4);
}

// Behaviour 16 skips from age 89 to 330 on its last entry frame.
TEST_F(BehaviourBoss, Level2MidBossJumpsFrom89To331) {
    int s = Spawn(8, 16, 320, -90, 0, 2, -3);
    StepToAge(s, 89);
    EXPECT_EQ(E(s).y, 88);
    Step(1);
    EXPECT_EQ(E(s).age, 331);
    EXPECT_EQ(E(s).y, 90);
    Step(20);
    EXPECT_EQ(E(s).y, 90);
    StepToAge(s, 600);
    auto fans = FiredBy(s, 28);
    ASSERT_FALSE(fans.empty());
    EXPECT_EQ(fans[0].age, 404);
    EXPECT_EQ(fans[0].oy, -71);
    // t = 590, u = 230: 28 sin 230 + 180 = 158.55 and 8 cos 230 + 180 = 174.86, cut to 158 and 174.
    bool found = false;
    for (const FiredPattern& f : FiredBy(s, 29))
        if (f.age == 590) {
            found = true;
            EXPECT_EQ(f.vx, 3 * CosTable[174]);
            EXPECT_EQ(f.vy, 3 * SinTable[158]);
            EXPECT_EQ(f.oy, -84);
        }
    EXPECT_TRUE(found);
}

TEST_F(BehaviourBoss, Level2MidBossGroupsSlideAndFanOutThenItLeaves) {
    int s = Spawn(8, 16, 320, -90, 0, 2, -3);
    const Poly p6 = E(s).polys[6], p14 = E(s).polys[14], p18 = E(s).polys[18];
    StepToAge(s, 2121);
    EXPECT_EQ(E(s).polys[6].baseY, p6.baseY + 40 + 122);
    EXPECT_EQ(E(s).polys[6].pivotY, p6.pivotY + 122);
    EXPECT_EQ(E(s).polys[18].visible, 1);
    EXPECT_EQ(E(s).polys[18].orbitStep, 5);
    EXPECT_EQ(E(s).polys[18].pivotY, p18.pivotY + 122);
    StepToAge(s, 2281);
    EXPECT_EQ(E(s).polys[14].baseX, p14.baseX - 122);
    EXPECT_EQ(E(s).polys[14].pivotX, p14.pivotX - 122);
    EXPECT_EQ(E(s).polys[14].baseY, p14.baseY + 40 + 122);
    EXPECT_EQ(E(s).polys[20].visible, 1);
    EXPECT_EQ(E(s).polys[19].spin, -5);
    StepToAge(s, 4250);
    EXPECT_EQ(E(s).y, 90);
    Step(1);
    EXPECT_EQ(E(s).y, 92);
}

TEST_F(BehaviourBoss, Level2BossArmsReachOutSwingAndFire) {
    int s = Spawn(11, 19, 320, -130, 0, 2);
    const float arm = E(s).polys[11].baseY;
    StepToAge(s, 246);
    EXPECT_EQ(E(s).y, 172);
    EXPECT_EQ(E(s).polys[11].baseY, arm - 36);
    EXPECT_EQ(E(s).polys[47].spin, -4);
    StepToAge(s, 321);
    EXPECT_EQ(E(s).polys[12].orbitStep, 2);
    StepToAge(s, 329);
    EXPECT_EQ(E(s).polys[12].orbitStep, 0);
    StepToAge(s, 641);
    EXPECT_EQ(E(s).polys[11].orbitStep, -2);
    StepToAge(s, 4316);
    EXPECT_EQ(E(s).polys[11].baseY, arm);
    for (const FiredPattern& f : fired) {
        EXPECT_EQ(f.oy, -20);
        EXPECT_EQ(f.vy, 3);
    }
}

// The level 3 mid-boss makes a square excursion and comes back to its station exactly.
TEST_F(BehaviourBoss, Level3MidBossReturnsExactlyToItsStation) {
    int s = Spawn(18, 40, 320, -95, 0, 2);
    StepToAge(s, 111);
    EXPECT_EQ(E(s).x, 320);
    EXPECT_EQ(E(s).y, 127);
    StepToAge(s, 3995);
    EXPECT_EQ(E(s).x, 240);
    StepToAge(s, 4125);
    EXPECT_EQ(E(s).y, 387);
    StepToAge(s, 4565);
    EXPECT_EQ(E(s).x, 400);
    StepToAge(s, 5595);
    EXPECT_EQ(E(s).x, 320);
    EXPECT_EQ(E(s).y, 127);
    StepToAge(s, 7000);
    EXPECT_EQ(E(s).y, 127);
    Step(1);
    EXPECT_EQ(E(s).y, 129);
}

TEST_F(BehaviourBoss, Level3MidBossSpinPhasesLeaveTheEmptyPolyAlone) {
    int s = Spawn(18, 40, 320, -95, 0, 2);
    StepToAge(s, 181);
    EXPECT_EQ(E(s).polys[59].spin, 2);
    EXPECT_EQ(E(s).polys[72].orbitStep, 2);
    EXPECT_EQ(E(s).polys[60].spin, 0);
    EXPECT_EQ(E(s).polys[60].orbitStep, 0);
    StepToAge(s, 921);
    EXPECT_EQ(E(s).polys[0].spin, 0);
    StepToAge(s, 1101);
    // The stream window: 58 and 59 half a turn apart, from Poly 16's current offset.
    auto a = FiredBy(s, 58), b = FiredBy(s, 59);
    ASSERT_EQ(a.size(), 1u);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(a[0].age, 1100);
    EXPECT_EQ(a[0].oy, E(s).polys[16].offsetY - 10);
    // u = 20: trunc(30 sin 20 + 90) = 100, trunc(30 cos 20 + 90) = 118.
    EXPECT_EQ(a[0].vx, 3 * CosTable[118]);
    EXPECT_EQ(a[0].vy, 3 * SinTable[100]);
    // u = 200: trunc(30 sin 200 + 90) = 79, trunc(30 cos 200 + 90) = 61.
    EXPECT_EQ(b[0].vx, 3 * CosTable[61]);
    EXPECT_EQ(b[0].vy, 3 * SinTable[79]);
    auto slow = FiredBy(s, 62);
    ASSERT_EQ(slow.size(), 1u);
    // Half the swing: trunc(15 sin 20 + 90) = 95, trunc(15 cos 20 + 90) = 104.
    EXPECT_EQ(slow[0].vx, 3 * CosTable[104]);
    EXPECT_EQ(slow[0].vy, 3 * SinTable[95]);
    EXPECT_EQ(slow[0].oy, -8);
}

// The level 3 end boss's four moves cancel: -30, +30, +30, -30 in x and +16, -16, +16, -16 in y.
TEST_F(BehaviourBoss, Level3BossReturnsExactlyToItsStation) {
    int s = Spawn(19, 52, 320, -120, 0, 2);
    StepToAge(s, 180);
    const float x = E(s).x, y = E(s).y;
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 168);
    EXPECT_EQ(E(s).polys[47].spin, 3);
    EXPECT_EQ(E(s).polys[41].spin, -3);
    EXPECT_EQ(E(s).polys[41].orbitStep, 0);
    Step(1);
    EXPECT_EQ(E(s).polys[66].orbitStep, -1);
    EXPECT_EQ(E(s).polys[40].spin, -1);
    EXPECT_EQ(E(s).polys[41].spin, -3);  // the parts keep their own spin
    EXPECT_EQ(E(s).polys[60].orbitStep, 0);
    StepToAge(s, 201);
    EXPECT_EQ(E(s).x, 290);
    EXPECT_FLOAT_EQ(E(s).y, 184);
    EXPECT_EQ(E(s).polys[66].orbitStep, 0);
    StepToAge(s, 1861);
    EXPECT_EQ(E(s).x, x);
    EXPECT_EQ(E(s).y, y);
    StepToAge(s, 3201);
    EXPECT_EQ(E(s).x, 350);
    StepToAge(s, 4861);
    EXPECT_EQ(E(s).x, x);
    EXPECT_EQ(E(s).y, y);
    StepToAge(s, 6000);
    EXPECT_EQ(E(s).x, x);
    EXPECT_EQ(E(s).y, y);
}

TEST_F(BehaviourBoss, Level4MidBossBreathesAndFiresTheBigBurst) {
    int s = Spawn(23, 62, 320, -95, 0, 2, -2);
    StepToAge(s, 131);
    EXPECT_EQ(E(s).y, 167);
    const float inner = E(s).polys[37].baseY, outer = E(s).polys[45].baseY;
    const float hole = E(s).polys[60].baseY;
    StepToAge(s, 4200);
    EXPECT_EQ(E(s).polys[37].baseY, inner - 60);
    EXPECT_EQ(E(s).polys[45].baseY, outer);
    StepToAge(s, 4300);
    EXPECT_EQ(E(s).y, 167);
    EXPECT_EQ(E(s).polys[37].baseY, inner - 40);
    EXPECT_EQ(E(s).polys[45].baseY, outer - 20);
    EXPECT_EQ(E(s).polys[60].baseY, hole);
    auto burst = FiredBy(s, 119);
    ASSERT_EQ(burst.size(), 1u);
    EXPECT_EQ(burst[0].age, 4200);
    EXPECT_EQ(burst[0].vy, 3.2f);
    auto side = FiredBy(s, 120);
    ASSERT_FALSE(side.empty());
    EXPECT_EQ(side[0].ox, -50);
    EXPECT_EQ(side[0].age, 4292);
}

TEST_F(BehaviourBoss, Level4BossGroupsStopRestartAndPulse) {
    int s = Spawn(24, 93, 320, -120, 0, 2);
    Step(1);
    EXPECT_EQ(E(s).polys[0].orbitStep, -1);
    EXPECT_EQ(E(s).polys[6].spin, 1);
    EXPECT_EQ(E(s).polys[39].orbitStep, -1);
    StepToAge(s, 144);
    EXPECT_EQ(E(s).y, 168);
    Step(1);
    EXPECT_EQ(E(s).y, 168);
    EXPECT_EQ(E(s).polys[27].spin, 0);
    EXPECT_EQ(E(s).polys[5].spin, -1);
    StepToAge(s, 401);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(E(s).polys[i].orbitStep, 1) << i;
    StepToAge(s, 2916);
    EXPECT_EQ(E(s).polys[34].orbitStep, 0);
    const float scale = E(s).polys[33].scaleX, base = E(s).polys[28].baseY;
    StepToAge(s, 2920);  // t 2916..2919 are the last four frames of a shrinking half
    EXPECT_EQ(E(s).polys[34].orbitStep, -1);
    EXPECT_EQ(E(s).polys[20].orbitStep, 1);
    EXPECT_EQ(E(s).polys[33].scaleX, scale - 4);
    EXPECT_NEAR(E(s).polys[28].baseY, base + 6.4f, 1e-3);
    StepToAge(s, 2940);
    EXPECT_EQ(E(s).polys[34].scaleY, scale + 16);
    EXPECT_NEAR(E(s).polys[28].baseY, base - 25.6f, 1e-3);
    StepToAge(s, 2960);
    EXPECT_EQ(E(s).polys[33].scaleY, scale - 4);
}

}  // namespace
