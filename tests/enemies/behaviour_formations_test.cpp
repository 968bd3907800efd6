// Level 3 and 4 craft: passes, pairs, rings, the queue and the side columns.
#include "behaviour_test_support.h"
#include "enemies/behaviour_tables.h"
#include "enemies/models.h"

namespace {

using BehaviourFormation = BehaviourTest;

// The frame (counted from 1) on which each burst of a pass was fired.
std::vector<int> FrameNumbers(const std::vector<FiredPattern>& list) {
    std::vector<int> out;
    for (const FiredPattern& f : list) out.push_back(f.frame);
    return out;
}

// Behaviour 27 tests its burst after advancing: it fires on the frame its age becomes 220, one frame
// later than a pass that tests first would.
TEST_F(BehaviourFormation, Pass27FiresOneFrameLaterThanItsAgesRead) {
    int late = Spawn(14, 27, 113, 559, 3, -4.4f);
    int early = Spawn(14, 31, 527, 559, -3, -4.4f);
    Step(300);
    auto a = FiredBy(late, 47);
    EXPECT_EQ(FrameNumbers(a), (std::vector<int>{220, 224}));
    EXPECT_EQ(a[0].age, 220);
    auto b = FiredBy(early, 46);
    EXPECT_EQ(FrameNumbers(b), (std::vector<int>{209, 213}));
    EXPECT_EQ(b[0].age, 208);
    EXPECT_EQ(a[0].vy, 3.4f);
    EXPECT_EQ(a[0].oy, -22);
}

TEST_F(BehaviourFormation, PassesDashHaltDashAndDropAway) {
    int s = Spawn(14, 24, 265, -47, 0.8f, 4.4f, 3);
    StepToAge(s, 17);
    const float x1 = E(s).x;
    EXPECT_NEAR(x1, 265 + 17 * 0.8f, 1e-3);
    StepToAge(s, 70);
    EXPECT_EQ(E(s).x, x1);
    StepToAge(s, 146);
    const float x2 = E(s).x, y2 = E(s).y;
    EXPECT_NEAR(x2, x1 + 76 * 0.8f, 1e-3);
    StepToAge(s, 275);
    EXPECT_EQ(E(s).y, y2);
    Step(2);
    EXPECT_EQ(E(s).x, x2);
    EXPECT_EQ(E(s).y, y2 + 10);
    EXPECT_EQ(FrameNumbers(FiredBy(s, 44)), (std::vector<int>{147, 149}));
}

TEST_F(BehaviourFormation, FormationSplitsTwoDownTwoSideways) {
    int down = Spawn(12, 20, 290, -80, -0.5f, 2);
    int side = Spawn(12, 21, 320, -66, 0, 2);
    StepToAge(down, 90);
    EXPECT_EQ(E(down).x, 290);
    EXPECT_EQ(E(down).y, 80);
    EXPECT_EQ(E(side).y, 94);
    Step(1);
    EXPECT_EQ(E(down).vy, 2.4f);
    EXPECT_EQ(E(down).polys[3].spin, -3);
    EXPECT_EQ(E(down).x, 289.5f);
    StepToAge(side, 211);
    EXPECT_EQ(E(side).y, 94);
    EXPECT_EQ(E(side).x, 320 - 1.8f);
    EXPECT_EQ(E(side).polys[0].orbitStep, -3);
    for (const FiredPattern& f : FiredBy(side, 43)) EXPECT_GE(f.age, 210);
    EXPECT_EQ(FiredBy(down, 42).size(), 33u);  // t 90..210 with t mod 15 < 4
}

TEST_F(BehaviourFormation, TurningStreamFlipsItsTurnAndThenRunsStraight) {
    int s = Spawn(14, 34, 320, -20, 0, 3);
    Step(1);
    EXPECT_EQ(E(s).polys[0].spin, -3);
    EXPECT_EQ(E(s).polys[0].orbitStep, 1);
    EXPECT_EQ(E(s).polys[6].orbitStep, -3);
    StepToAge(s, 52);
    EXPECT_EQ(E(s).polys[0].orbitStep, -1);
    StepToAge(s, 102);
    const float vx = E(s).vx, vy = E(s).vy;
    Step(50);
    EXPECT_EQ(E(s).vx, vx);
    EXPECT_EQ(E(s).vy, vy);
    EXPECT_EQ(FiredBy(s, 50).size(), 5u);
    EXPECT_EQ(FiredBy(s, 52).size(), 3u);
    EXPECT_EQ(FiredBy(s, 52)[0].vy, 3);
}

TEST_F(BehaviourFormation, BottomPairsRiseSlideAndFall) {
    int s = Spawn(5, 43, 220, 526, 5, 0, 4);
    StepToAge(s, 94);
    EXPECT_EQ(E(s).y, 526 - 470);
    EXPECT_EQ(E(s).x, 220);
    StepToAge(s, 110);
    EXPECT_EQ(E(s).x, 220 + 80);
    Step(3);
    EXPECT_EQ(E(s).x, 300);
    EXPECT_EQ(E(s).y, 56 + 15);
    StepToAge(s, 130);
    EXPECT_EQ(FiredBy(s, 68).size(), 11u);
    ASSERT_EQ(FiredBy(s, 72).size(), 1u);
    EXPECT_EQ(FiredBy(s, 72)[0].age, 122);
    EXPECT_EQ(FiredBy(s, 68)[0].vy, 2.5f);
}

TEST_F(BehaviourFormation, TurningPairsTurnFrom60To220) {
    int s = Spawn(15, 51, 360, -20, 0, 4, 4);
    StepToAge(s, 60);
    EXPECT_EQ(E(s).y, 220);
    EXPECT_EQ(E(s).vx, 0);
    Step(1);
    EXPECT_EQ(E(s).polys[0].orbitStep, 2);
    EXPECT_NE(E(s).vx, 0);
    StepToAge(s, 221);
    const float vx = E(s).vx;
    Step(10);
    EXPECT_EQ(E(s).vx, vx);
    EXPECT_EQ(FiredBy(s, 74)[0].age, 21);
    EXPECT_EQ(FiredBy(s, 75)[0].age, 81);
    EXPECT_EQ(FiredBy(s, 75)[0].vy, 2.6f);
}

TEST_F(BehaviourFormation, RingMembersOrbitAScrollingPivotAndBreathe) {
    int s = SpawnOrbiting(17, 39, 5, 90, 2, 256, -80, 210, -80);
    Step(1);
    EXPECT_EQ(E(s).pivotY, -78);
    EXPECT_EQ(E(s).baseY, -78);
    EXPECT_EQ(E(s).baseX, 209);
    EXPECT_EQ(E(s).orbitAngle, 92);
    Step(39);
    EXPECT_EQ(E(s).baseX, 210);
    EXPECT_EQ(E(s).pivotY, -80 + 80);
    const float dx = E(s).x - E(s).pivotX, dy = E(s).y - E(s).pivotY;
    EXPECT_NEAR(dx * dx + dy * dy, 46 * 46, 0.1f);
    int other = SpawnOrbiting(21, 92, 5, 45, 2, 384, -80, 361, -80);
    Step(1);
    EXPECT_EQ(E(other).baseX, 362);
    EXPECT_FLOAT_EQ(E(other).pivotY, -78.6f);
}

TEST_F(BehaviourFormation, QueueMemberSwingsOutAndBackAndFiresItsOwnPattern) {
    int s = SpawnOrbiting(15, 63, 4, 0, 1, 320, -22, 170, -22);
    StepToAge(s, 201);
    EXPECT_EQ(E(s).pivotY, -22 + 201);
    StepToAge(s, 500);
    EXPECT_EQ(E(s).pivotY, 179);
    EXPECT_EQ(E(s).baseX, 170);
    StepToAge(s, 525);
    EXPECT_EQ(E(s).baseX, 220);
    StepToAge(s, 725);
    EXPECT_EQ(E(s).baseX, 170);
    StepToAge(s, 1800);
    EXPECT_EQ(E(s).pivotY, 179);
    EXPECT_EQ(E(s).baseX, 220);  // the last swing of the window stays out
    Step(1);
    EXPECT_EQ(E(s).pivotY, 180);
    StepToAge(s, 2400);
    std::vector<int> ages;
    for (const FiredPattern& f : FiredBy(s, 133)) ages.push_back(f.age);
    EXPECT_EQ(ages, (std::vector<int>{525, 525, 925, 925, 1325, 1325, 1725, 1725}));
    EXPECT_EQ(FiredBy(s, 133)[0].oy, -10);
    EXPECT_EQ(FiredBy(s, 133)[0].vy, 3.3f);
    EXPECT_EQ(FiredBy(s, 133)[1].oy, 0);
    EXPECT_EQ(FiredBy(s, 133)[1].vy, 3.1f);
}

TEST_F(BehaviourFormation, QueueCounterpartSwingsTheOtherWay) {
    int s = SpawnOrbiting(14, 70, -4, 180, -1, 320, -22, 218, -22);
    // Its window opens on the inward half of the swing, so its first volley waits for the next lap.
    StepToAge(s, 625);
    EXPECT_EQ(E(s).baseX, 168);
    StepToAge(s, 825);
    EXPECT_EQ(E(s).baseX, 218);
    StepToAge(s, 2400);
    std::vector<int> ages;
    for (const FiredPattern& f : FiredBy(s, 140)) ages.push_back(f.age);
    EXPECT_EQ(ages, (std::vector<int>{825, 825, 1225, 1225, 1625, 1625}));
}

// Each queue member fires 25 frames after its outward swing starts, and picks up its scroll after its
// swing window; the table must keep that shape for every member.
TEST(BehaviourTables, QueueRowsFireAsTheirSwingEnds) {
    for (int i = 0; i < 14; ++i) {
        const QueueRow& r = QueueTable[i];
        EXPECT_EQ(r.fireResidue, (r.outFrom + 25) % 400) << 63 + i;
        EXPECT_EQ((r.backFrom - r.outFrom + 400) % 400, 200) << 63 + i;
        EXPECT_EQ(r.fireFrom, r.swingFrom + 25) << 63 + i;
        EXPECT_EQ(r.resumeAt, r.swingTo + 1) << 63 + i;
        EXPECT_EQ(r.pattern, 133 + i);
    }
}

TEST_F(BehaviourFormation, ColumnMemberSlidesInTwiceFiresTwoVolleysAndFalls) {
    int s = Spawn(20, 77, 80, 65, 2, 0, 3);
    StepToAge(s, 60);
    EXPECT_EQ(E(s).x, 140);
    StepToAge(s, 301);
    EXPECT_EQ(E(s).x, 342);
    StepToAge(s, 870);
    EXPECT_EQ(E(s).y, 65);
    Step(1);
    EXPECT_EQ(E(s).y, 68);
    ASSERT_EQ(fired.size(), 6u);
    const int patterns[6] = {123, 123, 123, 125, 129, 125};
    const int ages[6] = {85, 85, 85, 320, 320, 320};
    const float oy[3] = {0, -5, -10}, vy[3] = {2.6f, 2.8f, 3.0f};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(fired[i].pattern, patterns[i]);
        EXPECT_EQ(fired[i].age, ages[i]);
        EXPECT_EQ(fired[i].oy, oy[i % 3]);
        EXPECT_EQ(fired[i].vy, vy[i % 3]);
    }
    int early = Spawn(21, 85, 560, 130, -2, 0, -3);
    StepToAge(early, 31);
    EXPECT_EQ(E(early).x, 500);
    EXPECT_EQ(FiredBy(early, 122).size(), 3u);
}

TEST_F(BehaviourFormation, HeavyCraftAdvancesInThreeSteps) {
    int s = Spawn(22, 55, 224, -50, 0, 0);
    const float a = E(s).polys[0].baseY, b = E(s).polys[8].baseY;
    StepToAge(s, 36);
    EXPECT_EQ(E(s).polys[0].baseY, a);
    EXPECT_EQ(E(s).polys[8].baseY, b - 18);  // only from t = 18
    StepToAge(s, 360);
    EXPECT_EQ(E(s).y, -50 + 145);
    StepToAge(s, 720);
    EXPECT_EQ(E(s).y, -50 + 145 + 145);
    EXPECT_EQ(E(s).polys[16].spin, 4);
    EXPECT_EQ(FiredBy(s, 101).size(), 2u * 4u);  // t 255..264 and 615..624 on multiples of 3
}

}  // namespace
