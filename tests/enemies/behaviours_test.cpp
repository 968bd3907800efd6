// The behaviour scripts of the small craft and the general rules every script keeps.
#include <cstring>
#include <set>

#include "behaviour_test_support.h"
#include "enemies/models.h"
#include "render/batches.h"
#include "shell/game_vars.h"
#include "shell/trig.h"

namespace {

using BehaviourCraft = BehaviourTest;

TEST_F(BehaviourCraft, PausedEnemiesAreDrawnButNeitherMoveNorAge) {
    int a = Spawn(2, 4, 269, -25, 0, 3);
    int b = Spawn(0, 0, 320, -40, 0, 3, 2);
    int c = SpawnOrbiting(17, 39, 5, 45, 2, 256, -80, 210, -80);
    Step(120);
    Enemy before[3] = {E(a), E(b), E(c)};
    GameMode = Mode::Paused;
    for (int i = 0; i < 30; ++i) {
        UpdateEnemies();
        EXPECT_GT(LineVertexCount, 0);
        EXPECT_GT(TriangleVertexCount, 0);
        ResetBatches();
    }
    EXPECT_TRUE(fired.empty() || fired.back().frame <= 120);
    const int slots[3] = {a, b, c};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(std::memcmp(&before[i], &E(slots[i]), sizeof(Enemy)), 0) << "slot " << slots[i];
    GameMode = Mode::Playing;
    Step(1);
    EXPECT_EQ(E(a).age, before[0].age + 1);
}

TEST_F(BehaviourCraft, OnlyActiveSlotsRunAndNumbersWithoutAScriptStandStill) {
    int s = Spawn(2, 1, 300, 100, 0, 3);
    int gone = Spawn(2, 4, 300, 100, 0, 3);
    int odd = Spawn(2, 94, 300, 100, 0, 3);
    E(gone).active = 0;
    Step(10);
    EXPECT_EQ(E(s).age, 0);
    EXPECT_EQ(E(s).y, 100);
    EXPECT_EQ(E(gone).age, 0);
    EXPECT_EQ(E(odd).age, 0);
    EXPECT_TRUE(fired.empty());
}

// Behaviours 2 and 3 start counting only once on the field, and their count runs 1..185 after the first lap.
TEST_F(BehaviourCraft, BurstCraftCountsFromYMinus20AndLoopsItsAge) {
    int s = Spawn(1, 2, 192, -50, 0, 2, 10);
    Step(14);
    EXPECT_EQ(E(s).y, -22);
    EXPECT_EQ(E(s).age, 0);
    EXPECT_TRUE(fired.empty());
    Step(1);  // y = -20: counts
    EXPECT_EQ(E(s).age, 1);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0].age, 0);
    StepToAge(s, 185);
    Step(1);
    EXPECT_EQ(E(s).age, 1);
    // The first burst has 36 volleys (t 0..70), the next ones 35 (t 2..70).
    EXPECT_EQ(FiredBy(s, 1).size(), 36u);
    StepToAge(s, 185);
    EXPECT_EQ(FiredBy(s, 1).size(), 71u);
    for (const FiredPattern& f : fired) {
        EXPECT_EQ(f.age % 2, 0);
        EXPECT_LE(f.age, 70);
        EXPECT_EQ(f.oy, -40);
        EXPECT_EQ(f.vy, 5);
    }
}

TEST_F(BehaviourCraft, BurstCraftBelowTheLineStillMovesButNeverCounts) {
    int s = Spawn(1, 3, 448, -200, 0, 1);
    Step(150);
    EXPECT_EQ(E(s).y, -50);
    EXPECT_EQ(E(s).age, 0);
}

// Behaviour 4: turns by Poly 0's spin, so it flies straight exactly while that spin is 0.
TEST_F(BehaviourCraft, CurlingCraftRunsStraightWhileItsSpinIsZero) {
    int s = Spawn(2, 4, 269, -25, 0, 3);
    Step(1);
    EXPECT_EQ(E(s).polys[0].spin, -1);
    EXPECT_EQ(E(s).polys[2].orbitStep, -1);
    EXPECT_NE(E(s).vx, 0.0f);  // already turning
    StepToAge(s, 30);
    Step(1);  // t = 30: spin 0
    const float vx = E(s).vx, vy = E(s).vy;
    Step(4);  // t = 31..34
    EXPECT_EQ(E(s).vx, vx);
    EXPECT_EQ(E(s).vy, vy);
    Step(1);  // t = 35: spin 1
    EXPECT_EQ(E(s).polys[1].spin, 1);
    EXPECT_NE(E(s).vx, vx);
    StepToAge(s, 111);
    EXPECT_EQ(E(s).polys[0].spin, -1);
    EXPECT_EQ(E(s).polys[0].orbitStep, -1);
    for (const FiredPattern& f : fired) {
        EXPECT_EQ(f.pattern, 3);
        EXPECT_EQ(f.age % 20, 0);
        EXPECT_EQ(f.vy, 4);
    }
    EXPECT_EQ(fired.size(), 6u);  // t 0, 20, .., 100
}

TEST_F(BehaviourCraft, TheMirrorCraftTurnsTheOtherWayAndFiresFaster) {
    int a = Spawn(2, 4, 300, 0, 0, 3);
    int b = Spawn(2, 5, 300, 0, 0, 3);
    Step(29);
    // Nearly a mirror: the tables' sin 359 is not exactly -sin 1.
    EXPECT_NEAR(E(a).x - 300, 300 - E(b).x, 0.05f);
    EXPECT_NEAR(E(a).y, E(b).y, 0.05f);
    EXPECT_EQ(E(b).polys[0].spin, 1);
    EXPECT_EQ(FiredBy(b, 3)[0].vy, 5);
}

TEST_F(BehaviourCraft, SCurveCraftKeepsStraightUntilAge40ThenFiresFrom60) {
    int s = Spawn(4, 8, 158, -20, 0, 2);
    Step(40);
    EXPECT_EQ(E(s).vx, 0);
    EXPECT_EQ(E(s).vy, 2);
    Step(1);
    EXPECT_EQ(E(s).polys[0].spin, -1);
    EXPECT_NE(E(s).vx, 0);
    StepToAge(s, 300);
    std::vector<int> ages;
    for (const FiredPattern& f : fired) ages.push_back(f.age);
    EXPECT_EQ(ages, (std::vector<int>{60, 120, 180, 240}));
    EXPECT_EQ(E(s).polys[2].orbitStep, -1);
}

TEST_F(BehaviourCraft, ConvergingCraftHoldsThenRetreatsTheWayItCame) {
    int s = Spawn(5, 9, 477, 528, -1, -1.732f, -3);
    Step(201);
    const float x = E(s).x, y = E(s).y;
    Step(449);  // t 201..649: holding
    EXPECT_EQ(E(s).x, x);
    EXPECT_EQ(E(s).y, y);
    Step(1);
    EXPECT_FLOAT_EQ(E(s).x, x + 1);
    EXPECT_FLOAT_EQ(E(s).y, y + 1.732f);
    EXPECT_EQ(FiredBy(s, 6).size(), 11u);  // t 0, 60, .., 600
}

TEST_F(BehaviourCraft, BobbingSatellitesReturnEvery30Frames) {
    int s = Spawn(6, 10, 545, 400, -2, 0, -3);
    const float base = E(s).polys[0].baseY;
    Step(1);
    EXPECT_EQ(E(s).polys[0].baseY, base - 1);
    Step(15);
    EXPECT_EQ(E(s).polys[1].baseY, base + 14);
    Step(14);
    EXPECT_EQ(E(s).polys[2].baseY, base);
    EXPECT_EQ(E(s).polys[3].baseY, ModelPolys[6][3].baseY);  // the inner three stay
    EXPECT_EQ(FiredBy(s, 7).size(), 2u);
}

TEST_F(BehaviourCraft, WeavingCraftTurnsByTheCoreOrbitStep) {
    int s = Spawn(5, 13, 256, -20, 0, 2);
    Step(1);
    EXPECT_EQ(E(s).polys[0].spin, -3);
    EXPECT_EQ(E(s).polys[0].orbitStep, -1);
    EXPECT_EQ(E(s).polys[10].orbitStep, -3);
    StepToAge(s, 404);
    EXPECT_EQ(E(s).polys[0].orbitStep, -1);
    Step(1);  // t = 404 > 403
    EXPECT_EQ(E(s).polys[0].orbitStep, 1);
    StepToAge(s, 546);
    EXPECT_EQ(E(s).polys[0].orbitStep, -1);
    EXPECT_EQ(FiredBy(s, 23).size(), 11u);  // t 22..32
    auto late = FiredBy(s, 21);
    ASSERT_EQ(late.size(), 12u);  // even t 330..352
    EXPECT_EQ(late[0].age, 330);
    EXPECT_EQ(late[0].vy, 3);
}

TEST_F(BehaviourCraft, LongWeaveFiresItsTwoVolleysAtStepsOfFive) {
    int s = Spawn(5, 14, 384, 532, 0, -2);
    StepToAge(s, 300);
    EXPECT_EQ(FiredBy(s, 25).size(), 9u);
    EXPECT_EQ(FiredBy(s, 27).size(), 7u);
    EXPECT_EQ(FiredBy(s, 27)[0].vy, 3);
    StepToAge(s, 640);
    EXPECT_EQ(E(s).polys[0].orbitStep, 1);
    Step(1);
    EXPECT_EQ(E(s).polys[0].orbitStep, -1);
}

TEST_F(BehaviourCraft, BreathingCraftAimsPattern34FromItsFirstSatellite) {
    int s = Spawn(9, 17, 542, -40, -1.5f, 1.5f, -4);
    const float base = E(s).polys[0].baseY;
    StepToAge(s, 120);
    auto p34 = FiredBy(s, 34);
    ASSERT_EQ(p34.size(), 6u);
    EXPECT_EQ(p34[0].age, 24);
    EXPECT_EQ(p34[0].oy, base + 13 - 8);  // t 0, 2, .., 24 have moved it out
    EXPECT_EQ(E(s).polys[5].baseY, base);
    EXPECT_EQ(E(s).polys[6].baseY, ModelPolys[9][6].baseY);
    EXPECT_EQ(FiredBy(s, 33).size(), 2u);
}

TEST_F(BehaviourCraft, SpinCycleCraftRunsAFourStepCycle) {
    int s = Spawn(10, 18, 232, -40, 0, 1.5f);
    Step(1);
    EXPECT_EQ(E(s).polys[1].spin, -5);
    EXPECT_EQ(E(s).polys[0].spin, -2);
    EXPECT_EQ(E(s).polys[4].orbitStep, -2);
    StepToAge(s, 61);
    EXPECT_EQ(E(s).polys[0].spin, 2);
    EXPECT_EQ(E(s).polys[1].spin, -5);
    StepToAge(s, 120);
    std::vector<int> ages;
    for (const FiredPattern& f : fired) ages.push_back(f.age);
    EXPECT_EQ(ages, (std::vector<int>{6, 12, 18, 24, 66, 72, 78, 84}));
}

// Every behaviour, run long enough, fires exactly the patterns the pattern list gives it.
struct Sample {
    int behaviour, model, frames;
    std::set<int> patterns;
};

TEST_F(BehaviourCraft, EveryBehaviourFiresItsOwnPatternsAndNoOthers) {
    auto range = [](int a, int b) {
        std::set<int> s;
        for (int i = a; i <= b; ++i) s.insert(i);
        return s;
    };
    std::vector<Sample> samples = {
        {0, 0, 2000, {0, 2}},       {2, 1, 800, {1}},           {3, 1, 800, {1}},
        {4, 2, 300, {3}},           {5, 2, 300, {3}},           {6, 3, 300, {4}},
        {7, 4, 300, {5}},           {8, 4, 300, {5}},           {9, 5, 300, {6}},
        {10, 6, 300, {7}},          {11, 7, 6100, range(8, 20)},  {12, 5, 600, {21, 22}},
        {13, 5, 600, {21, 23}},     {14, 5, 600, {25, 27}},     {15, 5, 600, {24, 26}},
        {16, 8, 4500, range(28, 32)}, {17, 9, 300, {33, 34}},   {18, 10, 300, {35}},
        {19, 11, 6700, range(36, 41)}, {20, 12, 300, {42}},     {21, 12, 300, {43}},
        {22, 13, 300, {42}},        {23, 13, 300, {43}},        {24, 14, 300, {44}},
        {25, 14, 300, {47}},        {26, 14, 300, {44}},        {27, 14, 300, {47}},
        {28, 14, 300, {45}},        {29, 14, 300, {46}},        {30, 14, 300, {45}},
        {31, 14, 300, {46}},        {32, 14, 300, {48}},        {33, 15, 300, {49}},
        {34, 14, 300, {50, 52}},    {35, 15, 300, {51, 54}},    {36, 15, 300, {51, 53}},
        {37, 14, 300, {50, 55}},    {38, 16, 300, {56}},        {39, 17, 300, {57}},
        {40, 18, 6000, range(58, 64)}, {41, 5, 300, {65, 72}},  {42, 5, 300, {66, 72}},
        {43, 5, 300, {68, 72}},     {44, 5, 300, {70, 72}},     {45, 5, 300, {67, 72}},
        {46, 5, 300, {69, 72}},     {47, 5, 300, {71, 72}},     {48, 14, 300, {73, 76}},
        {49, 14, 300, {73, 76}},    {50, 15, 300, {74, 75}},    {51, 15, 300, {74, 75}},
        {52, 19, 5300, range(77, 94)}, {53, 20, 300, {95, 96}}, {54, 21, 300, {97, 98}},
        {55, 22, 800, {99, 100, 101}}, {56, 15, 300, {102}},    {57, 14, 300, {103}},
        {58, 14, 600, {104, 109}},  {59, 15, 600, {105, 108}},  {60, 14, 600, {107, 109}},
        {61, 15, 600, {106, 108}},  {62, 23, 4400, range(110, 120)}, {91, 20, 300, {147}},
        {92, 21, 300, {148}},       {93, 24, 6200, range(149, 153)},
    };
    for (int b = 63; b <= 76; ++b) samples.push_back({b, b <= 69 ? 15 : 14, 2000, {133 + b - 63}});
    for (int b = 77; b <= 90; ++b) samples.push_back({b, 20 + (b - 77) % 2, 900, {}});
    for (const Sample& sample : samples) {
        ClearEnemyPool();
        fired.clear();
        int s = sample.behaviour >= 91 || sample.behaviour == 38 || sample.behaviour == 39 ||
                        (sample.behaviour >= 63 && sample.behaviour <= 76)
                    ? SpawnOrbiting(sample.model, sample.behaviour, 5, 0, 2, 320, -80, 260, -80)
                    : Spawn(sample.model, sample.behaviour, 320, 100, 0, 2);
        Step(sample.frames);
        std::set<int> seen;
        for (const FiredPattern& f : fired) seen.insert(f.pattern);
        if (sample.behaviour >= 77 && sample.behaviour <= 90) {
            EXPECT_EQ(seen.size(), 3u) << "behaviour " << sample.behaviour;
            for (int p : seen) EXPECT_TRUE(p >= 121 && p <= 132) << "behaviour " << sample.behaviour;
        } else {
            EXPECT_EQ(seen, sample.patterns) << "behaviour " << sample.behaviour;
        }
        EXPECT_GT(E(s).age, 0) << "behaviour " << sample.behaviour;
    }
}

// The same spawns give the same motion, to the bit.
TEST_F(BehaviourCraft, TheSameSpawnsMoveTheSameWayEveryTime) {
    auto run = [this](std::vector<float>& trace) {
        ClearEnemyPool();
        EnemyCursor = -1;
        Spawn(0, 0, 320, -40, 0, 3, 2);
        Spawn(7, 11, 320, -130, 0, 2);
        Spawn(5, 12, 384, -20, 0, 2);
        Spawn(9, 17, 98, -40, 1.5f, 1.5f, 4);
        Spawn(14, 27, 113, 559, 3, -4.4f);
        Spawn(18, 40, 320, -95, 0, 2);
        SpawnOrbiting(15, 63, 4, 0, 1, 320, -22, 170, -22);
        Spawn(24, 93, 320, -120, 0, 2);
        for (int f = 0; f < 3000; ++f) {
            Step(1);
            if (f % 50 == 0)
                for (const Enemy& e : EnemyPool)
                    if (e.active) {
                        trace.push_back(e.x);
                        trace.push_back(e.y);
                        trace.push_back(static_cast<float>(e.polys[1].orbitAngle));
                    }
        }
    };
    std::vector<float> first, second;
    run(first);
    size_t firedFirst = fired.size();
    run(second);
    EXPECT_EQ(first, second);
    EXPECT_EQ(fired.size(), 2 * firedFirst);
}

}  // namespace
