#include "enemies/fire_patterns.h"

#include <map>
#include <string>
#include <vector>

#include "enemies/enemy_pool.h"
#include "game/enemy_bullets.h"
#include "shell/trig.h"
#include "test_support.h"

namespace {

// What each pattern's row says, written out by hand: bullet count, radius (S 2.0, T 1.1547, L 15.0),
// the angle it turns with (A Poly angle, S angle + spin, O orbitAngle, F fixed) and the kinds.
// Fired at an enemy with polyCount 12 whose Poly 0 is a hexagon.
struct Expect {
    int pattern;
    int count;
    char radius;
    char aim;
    const char* kinds;  // "kind:n ..."
};

const Expect kExpected[kFirePatternCount] = {
    {0, 11, 'S', 'O', "0:11"}, {1, 8, 'S', 'O', "0:8"}, {2, 6, 'L', 'F', "1:6"}, {3, 3, 'T', 'A', "2:3"},
    {4, 10, 'T', 'S', "2:10"}, {5, 3, 'S', 'A', "0:3"}, {6, 6, 'T', 'O', "2:4 4:2"}, {7, 3, 'S', 'O', "3:3"},
    {8, 5, 'S', 'O', "3:5"}, {9, 5, 'S', 'O', "0:5"}, {10, 8, 'S', 'F', "8:8"}, {11, 18, 'T', 'A', "2:6 4:6 5:6"},
    {12, 30, 'T', 'A', "2:10 4:10 5:10"}, {13, 25, 'T', 'A', "5:25"}, {14, 20, 'T', 'A', "2:16 5:4"},
    {15, 20, 'T', 'A', "2:16 5:4"}, {16, 20, 'T', 'A', "7:16 9:4"}, {17, 20, 'T', 'A', "7:16 9:4"},
    {18, 20, 'T', 'A', "2:16 5:4"}, {19, 15, 'T', 'O', "4:10 5:5"}, {20, 15, 'T', 'A', "4:10 5:5"},
    {21, 2, 'S', 'O', "0:2"}, {22, 1, 'T', 'O', "7:1"}, {23, 1, 'T', 'O', "7:1"}, {24, 1, 'T', 'A', "9:1"},
    {25, 1, 'T', 'A', "9:1"}, {26, 1, 'T', 'A', "2:1"}, {27, 1, 'T', 'A', "2:1"}, {28, 12, 'T', 'O', "5:4 7:8"},
    {29, 4, 'T', 'O', "2:2 9:2"}, {30, 4, 'S', 'O', "3:4"}, {31, 4, 'S', 'O', "6:4"}, {32, 4, 'S', 'O', "6:4"},
    {33, 15, 'T', 'O', "4:15"}, {34, 5, 'T', 'O', "2:3 5:2"}, {35, 3, 'T', 'A', "4:1 7:2"},
    {36, 8, 'T', 'A', "2:4 9:4"}, {37, 12, 'T', 'A', "4:6 5:6"}, {38, 8, 'T', 'A', "4:4 7:4"},
    {39, 24, 'T', 'A', "2:12 4:12"}, {40, 24, 'T', 'A', "5:12 9:12"}, {41, 60, 'T', 'A', "0:30 8:30"},
    {42, 3, 'T', 'A', "2:3"}, {43, 3, 'T', 'A', "5:3"}, {44, 12, 'T', 'A', "2:6 4:6"}, {45, 12, 'T', 'A', "5:6 7:6"},
    {46, 12, 'S', 'A', "6:6 10:6"}, {47, 12, 'S', 'A', "0:6 8:6"}, {48, 30, 'T', 'A', "2:15 4:15"},
    {49, 30, 'T', 'A', "5:15 9:15"}, {50, 20, 'T', 'F', "2:10 4:10"}, {51, 20, 'T', 'F', "5:10 9:10"},
    {52, 20, 'S', 'F', "0:10 3:10"}, {53, 20, 'S', 'F', "6:10 10:10"}, {54, 20, 'S', 'F', "6:10 10:10"},
    {55, 20, 'S', 'F', "0:10 3:10"}, {56, 8, 'T', 'O', "4:6 7:2"}, {57, 4, 'T', 'O', "2:2 5:2"},
    {58, 4, 'S', 'O', "8:4"}, {59, 4, 'S', 'O', "3:4"}, {60, 8, 'T', 'O', "5:8"}, {61, 4, 'T', 'O', "9:4"},
    {62, 8, 'T', 'O', "4:8"}, {63, 8, 'T', 'O', "2:4 7:4"}, {64, 4, 'T', 'O', "4:4"}, {65, 4, 'T', 'S', "2:2 5:2"},
    {66, 4, 'T', 'S', "4:2 7:2"}, {67, 4, 'T', 'S', "4:2 7:2"}, {68, 4, 'T', 'S', "2:2 5:2"},
    {69, 4, 'T', 'S', "2:2 5:2"}, {70, 4, 'T', 'S', "4:2 7:2"}, {71, 4, 'T', 'S', "4:2 7:2"},
    {72, 20, 'S', 'S', "8:10 10:10"}, {73, 20, 'S', 'S', "3:20"}, {74, 20, 'S', 'S', "0:20"},
    {75, 20, 'S', 'S', "8:20"}, {76, 20, 'S', 'S', "10:20"}, {77, 6, 'T', 'A', "4:3 5:3"},
    {78, 6, 'T', 'A', "2:3 9:3"}, {79, 18, 'S', 'A', "8:18"}, {80, 18, 'S', 'A', "8:18"},
    {81, 30, 'S', 'A', "3:15 10:15"}, {82, 30, 'S', 'A', "0:15 8:15"}, {83, 66, 'S', 'A', "3:36 10:30"},
    {84, 66, 'S', 'A', "0:30 8:36"}, {85, 12, 'S', 'A', "5:12"}, {86, 12, 'S', 'A', "5:12"},
    {87, 12, 'S', 'A', "2:12"}, {88, 12, 'S', 'A', "2:12"}, {89, 12, 'S', 'A', "9:12"}, {90, 12, 'S', 'A', "9:12"},
    {91, 60, 'S', 'A', "9:60"}, {92, 60, 'S', 'A', "4:60"}, {93, 36, 'S', 'A', "0:18 8:18"},
    {94, 36, 'S', 'A', "0:18 8:18"}, {95, 40, 'T', 'O', "4:20 7:20"}, {96, 30, 'T', 'O', "2:10 9:20"},
    {97, 40, 'T', 'O', "4:20 9:20"}, {98, 30, 'T', 'O', "2:10 7:20"}, {99, 8, 'T', 'O', "5:4 9:4"},
    {100, 8, 'T', 'O', "4:8"}, {101, 30, 'T', 'O', "7:30"}, {102, 24, 'T', 'A', "2:12 4:12"},
    {103, 24, 'T', 'A', "7:12 9:12"}, {104, 18, 'T', 'A', "5:9 9:9"}, {105, 18, 'T', 'A', "2:9 4:9"},
    {106, 18, 'T', 'A', "2:9 4:9"}, {107, 18, 'T', 'A', "5:9 9:9"}, {108, 18, 'T', 'A', "7:18"},
    {109, 18, 'T', 'A', "5:18"}, {110, 8, 'T', 'A', "5:8"}, {111, 16, 'T', 'A', "4:16"}, {112, 8, 'T', 'A', "7:8"},
    {113, 16, 'T', 'A', "9:16"}, {114, 30, 'T', 'A', "4:18 9:12"}, {115, 30, 'T', 'A', "4:18 9:12"},
    {116, 30, 'T', 'A', "4:18 9:12"}, {117, 30, 'T', 'A', "4:18 9:12"}, {118, 30, 'T', 'A', "4:18 9:12"},
    {119, 288, 'T', 'A', "4:144 7:72 9:72"}, {120, 20, 'T', 'A', "2:7 9:13"}, {121, 18, 'T', 'A', "2:3 4:6 7:3 9:6"},
    {122, 18, 'T', 'A', "2:3 4:6 7:3 9:6"}, {123, 18, 'T', 'A', "2:6 4:3 7:6 9:3"},
    {124, 18, 'T', 'A', "2:6 4:3 7:6 9:3"}, {125, 15, 'T', 'A', "9:15"}, {126, 15, 'T', 'A', "9:15"},
    {127, 15, 'T', 'A', "4:15"}, {128, 15, 'T', 'A', "4:15"}, {129, 15, 'T', 'A', "5:15"},
    {130, 15, 'T', 'A', "7:15"}, {131, 15, 'T', 'A', "5:15"}, {132, 15, 'T', 'A', "7:15"},
    {133, 18, 'T', 'A', "2:18"}, {134, 18, 'T', 'A', "4:18"}, {135, 18, 'T', 'A', "2:18"},
    {136, 18, 'T', 'A', "4:18"}, {137, 18, 'T', 'A', "4:18"}, {138, 18, 'T', 'A', "2:18"},
    {139, 18, 'T', 'A', "4:18"}, {140, 18, 'T', 'A', "5:18"}, {141, 18, 'T', 'A', "9:18"},
    {142, 18, 'T', 'A', "5:18"}, {143, 18, 'T', 'A', "9:18"}, {144, 18, 'T', 'A', "9:18"},
    {145, 18, 'T', 'A', "5:18"}, {146, 18, 'T', 'A', "9:18"}, {147, 12, 'T', 'O', "2:6 5:6"},
    {148, 20, 'T', 'O', "7:10 9:10"}, {149, 24, 'T', 'O', "7:12 9:12"}, {150, 36, 'T', 'O', "2:18 5:18"},
    {151, 60, 'T', 'O', "7:30 9:30"}, {152, 24, 'T', 'O', "7:12 9:12"}, {153, 60, 'T', 'O', "4:60"},
};

class FirePatternTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        BuildTrigTables();
        enemy = {};
        enemy.active = 1;
        enemy.x = 300;
        enemy.y = 200;
        enemy.polyCount = 12;
        for (Poly& p : enemy.polys) p.sides = 6;
    }

    std::vector<EnemyBullet> Fired() const {
        std::vector<EnemyBullet> out;
        for (const EnemyBullet& b : EnemyBullets)
            if (b.active) out.push_back(b);
        return out;
    }

    std::vector<EnemyBullet> Fire(int pattern, float ox = 0, float oy = -20, float vx = 0, float vy = 3) {
        ResetEnemyBullets();
        FireEnemyPattern(enemy, pattern, ox, oy, vx, vy);
        return Fired();
    }

    static std::vector<int> Angles(const std::vector<EnemyBullet>& bullets) {
        std::vector<int> out;
        for (const EnemyBullet& b : bullets) out.push_back(b.angle);
        return out;
    }

    static std::vector<int> Kinds(const std::vector<EnemyBullet>& bullets) {
        std::vector<int> out;
        for (const EnemyBullet& b : bullets) out.push_back(b.kind);
        return out;
    }

    static std::string KindCounts(const std::vector<EnemyBullet>& bullets) {
        std::map<int, int> counts;
        for (const EnemyBullet& b : bullets) counts[b.kind]++;
        std::string out;
        for (auto [kind, n] : counts) out += (out.empty() ? "" : " ") + std::to_string(kind) + ":" + std::to_string(n);
        return out;
    }

    Enemy enemy;
};

std::vector<int> Wrapped(std::vector<int> angles) {
    for (int& a : angles) a = ((a % 360) + 360) % 360;
    return angles;
}

TEST_F(FirePatternTest, AFullPoolDropsTheRestOfARing) {
    for (int i = 0; i < 1999; ++i) SpawnEnemyBullet(0, 1, 2, 0, 0, 0, 0, 0, 200, 200);
    FireEnemyPattern(enemy, 10, 0, -20, 0, 3);
    EXPECT_EQ(CountEnemyBullets(), 2000);
    EXPECT_EQ(EnemyBullets[1999].kind, 8);
    EXPECT_EQ(EnemyBullets[1999].angle, 0);  // the first of the ring; the other seven found no room

    // Room for five: the first five of the ring leave.
    for (int i = 10; i < 15; ++i) EnemyBullets[i].active = 0;
    FireEnemyPattern(enemy, 10, 0, -20, 0, 3);
    EXPECT_EQ(CountEnemyBullets(), 2000);
    for (int i = 10; i < 15; ++i) EXPECT_EQ(EnemyBullets[i].angle, 45 * (i - 10));
}

TEST_F(FirePatternTest, CoreRingHasOneLargeUnoutlinedBulletPerSide) {
    enemy.polys[0].sides = 6;
    auto hexagon = Fire(2);
    ASSERT_EQ(hexagon.size(), 6u);
    EXPECT_EQ(Angles(hexagon), (std::vector<int>{0, 60, 120, 180, 240, 300}));
    for (const EnemyBullet& b : hexagon) {
        EXPECT_EQ(b.kind, 1);
        EXPECT_EQ(b.outline, 0);
        EXPECT_NEAR(b.radius, 15.0f, 1e-3);
    }
    enemy.polys[0].sides = 5;
    EXPECT_EQ(Angles(Fire(2)), (std::vector<int>{0, 72, 144, 216, 288}));
    enemy.polys[0].sides = 7;  // 360 / 7 is 51 in whole degrees
    EXPECT_EQ(Angles(Fire(2)), (std::vector<int>{0, 51, 102, 153, 204, 255, 306}));
    enemy.polys[0].angle = 90;  // the ring does not turn with the core
    EXPECT_EQ(Fire(2)[1].angle, 51);
    enemy.polys[0].sides = 0;  // a core without sides fires no ring
    EXPECT_TRUE(Fire(2).empty());
}

TEST_F(FirePatternTest, RadiiAreComputedFromTheTangent) {
    EXPECT_GT(kRadiusSquare, 2.0f);  // tan(0.7853975) is a hair under 1
}

TEST_F(FirePatternTest, ThreeRowsLeaveFromTheFourPolysAtStaggeredDepths) {
    const int polys[4] = {37, 39, 41, 43};
    for (int j = 0; j < 4; ++j) enemy.polys[polys[j]].offsetX = 10.0f * (j + 1);
    auto fired = Fire(119);
    ASSERT_EQ(fired.size(), 288u);
    // Step 0 (even): row 1 kinds 9 7 9 7 at the caller's offset, row 2 pairs of kind 4 at +-2 and 10
    // further back, row 3 kinds 9 7 9 7 another 10 back.
    const int kinds[16] = {9, 7, 9, 7, 4, 4, 4, 4, 4, 4, 4, 4, 9, 7, 9, 7};
    const int angles[16] = {0, 0, 0, 0, 358, 2, 358, 2, 358, 2, 358, 2, 0, 0, 0, 0};
    for (int n = 0; n < 16; ++n) {
        EXPECT_EQ(fired[n].kind, kinds[n]) << n;
        EXPECT_EQ(fired[n].angle, angles[n]) << n;
    }
    EXPECT_NEAR(fired[0].x, 310, 1e-4);
    EXPECT_NEAR(fired[0].y, 180, 1e-4);
    EXPECT_NEAR(fired[3].x, 340, 1e-4);
    EXPECT_NEAR(fired[12].y, 200, 1e-4);
    EXPECT_NEAR(fired[4].y, 200 - 10 * CosTable[358], 1e-4);
    // Step 1 (odd): the kinds swap rows.
    EXPECT_EQ(fired[16].kind, 4);
    EXPECT_EQ(fired[16].angle, 20);
    EXPECT_EQ(fired[20].kind, 9);
    EXPECT_EQ(fired[21].kind, 9);
    EXPECT_EQ(fired[22].kind, 7);
}

TEST_F(FirePatternTest, EveryPatternFiresWhatItsRowSays) {
    for (const Expect& x : kExpected) {
        SCOPED_TRACE(x.pattern);
        auto fired = Fire(x.pattern);
        EXPECT_EQ(static_cast<int>(fired.size()), x.count);
        EXPECT_EQ(KindCounts(fired), x.kinds);
        const float radius = x.radius == 'S' ? 2.0f : x.radius == 'T' ? 1.1547f : 15.0f;
        for (const EnemyBullet& b : fired) {
            EXPECT_NEAR(b.radius, radius, 1e-4);
            EXPECT_EQ(b.outline, x.pattern == 2 ? 0 : 1);
        }
    }
}

TEST_F(FirePatternTest, EveryPatternTurnsWithTheAngleItsRowNames) {
    for (const Expect& x : kExpected) {
        SCOPED_TRACE(x.pattern);
        const std::vector<int> base = Angles(Fire(x.pattern));
        std::vector<int> turned = base;
        for (int& a : turned) a += 10;
        turned = Wrapped(turned);
        auto expectTurn = [&](bool turns) { EXPECT_EQ(Angles(Fire(x.pattern)), turns ? turned : base); };

        for (Poly& p : enemy.polys) p.angle = 10;
        expectTurn(x.aim == 'A' || x.aim == 'S');
        for (Poly& p : enemy.polys) p.angle = 0, p.spin = 10;
        expectTurn(x.aim == 'S');
        for (Poly& p : enemy.polys) p.spin = 0, p.orbitAngle = 10;
        expectTurn(x.aim == 'O');
        for (Poly& p : enemy.polys) p.orbitAngle = 0;
    }
}

TEST_F(FirePatternTest, NumbersOutsideTheTableFireNothing) {
    for (int pattern : {-1, 154, 1000, -1000}) EXPECT_TRUE(Fire(pattern).empty()) << pattern;
}

TEST_F(FirePatternTest, SatelliteRangesFollowPolyCount) {
    enemy.polyCount = 5;
    EXPECT_EQ(Fire(0).size(), 4u);
    EXPECT_EQ(Fire(1).size(), 1u);
    EXPECT_EQ(Fire(6).size(), 3u);  // Polys 1, 3 and 4
    enemy.polyCount = 80;
    EXPECT_EQ(Fire(0).size(), 79u);
    EXPECT_EQ(Fire(6).size(), 6u);  // nothing past Poly 9
    enemy.polyCount = 200;           // never more than a record holds
    EXPECT_EQ(Fire(0).size(), 79u);
    enemy.polyCount = 0;
    EXPECT_TRUE(Fire(0).empty());
    enemy.polyCount = 1;
    EXPECT_EQ(Fire(8).size(), 5u);  // fixed ranges do not look at polyCount
}

TEST_F(FirePatternTest, SatellitesAimAlongTheirOwnOrbitAngle) {
    for (int p = 0; p < 12; ++p) enemy.polys[p].orbitAngle = 30 * p;
    EXPECT_EQ(Angles(Fire(6)), (std::vector<int>{30, 90, 120, 180, 240, 270}));
    EXPECT_EQ(Kinds(Fire(6)), (std::vector<int>{4, 2, 2, 4, 2, 2}));
    EXPECT_EQ(Angles(Fire(21)), (std::vector<int>{30, 180}));
    EXPECT_EQ(Kinds(Fire(28)), (std::vector<int>{5, 5, 5, 5, 7, 7, 7, 7, 7, 7, 7, 7}));
    EXPECT_EQ(Kinds(Fire(29)), (std::vector<int>{2, 9, 2, 9}));
    EXPECT_EQ(Kinds(Fire(34)), (std::vector<int>{2, 5, 2, 5, 2}));
    EXPECT_EQ(Angles(Fire(57)), (std::vector<int>{35, 70, 105, 140}));
}

TEST_F(FirePatternTest, AngleListsComeOutInTheirOrder) {
    EXPECT_EQ(Angles(Fire(3)), (std::vector<int>{355, 0, 5}));
    EXPECT_EQ(Angles(Fire(4)), (std::vector<int>{0, 6, 12, 348, 354, 168, 174, 180, 186, 192}));
    EXPECT_EQ(Angles(Fire(42)), (std::vector<int>{30, 150, 270}));
    EXPECT_EQ(Angles(Fire(65)), (std::vector<int>{12, 348, 18, 342}));
    EXPECT_EQ(Kinds(Fire(65)), (std::vector<int>{5, 5, 2, 2}));
    EXPECT_EQ(Angles(Fire(66)), (std::vector<int>{348, 312, 342, 318}));
    EXPECT_EQ(Kinds(Fire(68)), (std::vector<int>{2, 2, 5, 5}));
    EXPECT_EQ(Angles(Fire(67)), Angles(Fire(71)));
    EXPECT_EQ(Kinds(Fire(66)), Kinds(Fire(70)));
    EXPECT_EQ(Angles(Fire(111)), Wrapped({-5, 5, 40, 50, 85, 95, 130, 140, 175, 185, 220, 230, 265, 275, 310, 320}));
    std::vector<int> pairs;
    for (int i = 0; i < 360; i += 12) pairs.push_back(i), pairs.push_back(i + 5);
    EXPECT_EQ(Angles(Fire(153)), pairs);
}

TEST_F(FirePatternTest, FanAndArcAnglesMatchTheirRows) {
    auto expectArc = [&](int pattern, int first, int step, int count, auto keep) {
        std::vector<int> angles;
        for (int k = 0; k < count; ++k)
            if (keep(k)) angles.push_back(first + step * k);
        EXPECT_EQ(Angles(Fire(pattern)), Wrapped(angles)) << pattern;
    };
    auto all = [](int) { return true; };
    expectArc(14, 180, 7, 20, all);
    expectArc(15, 0, 7, 20, all);
    expectArc(50, 60, 12, 20, all);
    expectArc(83, 0, 3, 120, [](int k) { return k % 20 <= 10; });
    expectArc(84, 0, 3, 120, [](int k) { return k % 20 >= 9; });
    expectArc(93, 0, 3, 120, [](int k) { int r = k % 20; return r <= 2 || (r >= 7 && r <= 9); });
    expectArc(94, 0, 3, 120, [](int k) { int r = k % 20; return (r >= 10 && r <= 12) || r >= 17; });
    expectArc(95, 0, 6, 60, [](int k) { int o = 6 * k % 90; return o <= 54; });
    expectArc(121, 36, 6, 60, [](int k) { return k % 10 >= 1 && k % 10 <= 3; });
    expectArc(122, 0, 6, 60, [](int k) { return k % 10 >= 1 && k % 10 <= 3; });
    expectArc(125, 36, 12, 30, [](int k) { return k % 10 < 5; });
    expectArc(128, 0, 12, 30, [](int k) { return k % 10 < 5; });
    expectArc(133, 0, 15, 24, [](int k) { return k % 4 < 3; });
    expectArc(149, 0, 9, 40, [](int j) { return j % 5 != 0 && j % 5 != 4; });
    expectArc(150, 0, 6, 60, [](int j) { return j % 5 != 0 && j % 5 != 4; });
    expectArc(152, 0, 6, 60, [](int j) { return j % 10 >= 6; });
    std::vector<int> fans;
    for (int a = 72; a <= 102; a += 6) fans.push_back(a);
    for (int a = 192; a <= 222; a += 6) fans.push_back(a);
    for (int a = 312; a <= 342; a += 6) fans.push_back(a);
    EXPECT_EQ(Angles(Fire(11)), fans);
}

TEST_F(FirePatternTest, KindsFollowTheStepIndex) {
    // 14: kind 5 at i = 21, 63, 84, 112 of i = 0, 7, ..., 133.
    auto fired = Fire(14);
    ASSERT_EQ(fired.size(), 20u);
    for (int k = 0; k < 20; ++k) {
        const int i = 7 * k;
        EXPECT_EQ(fired[k].kind, (i == 21 || i == 63 || i == 84 || i == 112) ? 5 : 2) << i;
    }
    auto checkByIndex = [&](int pattern, auto kindOf) {
        auto bullets = Fire(pattern);
        for (size_t n = 0; n < bullets.size(); ++n) {
            int angle = bullets[n].angle;
            EXPECT_EQ(bullets[n].kind, kindOf(angle)) << pattern << " at " << angle;
        }
    };
    checkByIndex(83, [](int a) { return (a / 3) % 2 == 0 ? 3 : 10; });
    checkByIndex(95, [](int a) { return a % 90 < 30 ? 7 : 4; });
    checkByIndex(96, [](int a) { return (a / 12) % 3 == 0 ? 2 : 9; });
    checkByIndex(102, [](int a) { return (a / 15) % 6 < 3 ? 4 : 2; });
    checkByIndex(114, [](int a) { int r = (a / 12) % 5; return r <= 1 ? 9 : 4; });
    checkByIndex(118, [](int a) { int r = (a / 12) % 5; return r == 4 || r == 0 ? 9 : 4; });
    checkByIndex(120, [](int a) { return (a / 18) % 3 == 0 ? 2 : 9; });
    checkByIndex(122, [](int a) {
        int k = a / 6;
        bool middle = k % 5 == 2;
        return k % 20 < 10 ? (middle ? 7 : 9) : (middle ? 2 : 4);
    });
    checkByIndex(124, [](int a) {
        int k = a / 6;
        bool middle = k % 5 == 2;
        return k % 20 < 10 ? (middle ? 9 : 7) : (middle ? 4 : 2);
    });
    checkByIndex(149, [](int a) { return (a / 9) % 10 < 5 ? 7 : 9; });
    checkByIndex(151, [](int a) { return (a / 6) % 2 == 0 ? 7 : 9; });
    checkByIndex(152, [](int a) { return (a / 6) % 2 == 0 ? 7 : 9; });
}

TEST_F(FirePatternTest, FixedFansTakeTheirKindFromTheAngleOverFive) {
    auto check = [&](int pattern, std::vector<int> angles, int evenKind, int oddKind) {
        auto fired = Fire(pattern);
        ASSERT_EQ(fired.size(), angles.size()) << pattern;
        for (size_t n = 0; n < angles.size(); ++n) {
            EXPECT_EQ(fired[n].angle, Wrapped({angles[n]})[0]) << pattern;
            EXPECT_EQ(fired[n].kind, (angles[n] / 5) % 2 == 0 ? evenKind : oddKind) << pattern << " " << angles[n];
        }
    };
    std::vector<int> right, left;
    for (int a = -25; a <= 10; a += 5) right.push_back(a);
    for (int a = 45; a <= 60; a += 5) right.push_back(a);
    for (int a = 90; a <= 125; a += 5) right.push_back(a);
    for (int a = -130; a <= -95; a += 5) left.push_back(a);
    for (int a = -65; a <= -50; a += 5) left.push_back(a);
    for (int a = -15; a <= 20; a += 5) left.push_back(a);
    check(52, right, 3, 0);
    check(53, left, 6, 10);
    check(54, right, 6, 10);
    check(55, left, 3, 0);
}

TEST_F(FirePatternTest, SatelliteLaunchMovesTheBulletOntoThePoly) {
    enemy.polys[41].offsetX = 40;
    enemy.polys[41].offsetY = -8;
    auto fired = Fire(13);
    ASSERT_EQ(fired.size(), 25u);
    // Angle 0: 20 above the enemy, then moved by Poly 41's offset (not turned with the bullet).
    EXPECT_NEAR(fired[0].x, 340, 1e-4);
    EXPECT_NEAR(fired[0].y, 172, 1e-4);
    EXPECT_NEAR(fired[5].x, 300, 1e-4);  // Poly 42 sits on the centre
}

TEST_F(FirePatternTest, MovedAfterSpawningIsNotTheSameSumAsLaunchingFromThePoly) {
    // The two launch forms agree on paper and differ in the last bit of a float.
    enemy.polys[41].angle = 58;
    enemy.polys[41].offsetX = 0.1f;
    enemy.polys[18].offsetX = 0.1f;
    enemy.polys[6].orbitAngle = 58;
    const float turned = 0 * CosTable[58] - -20 * SinTable[58];
    const float moved = (turned + 300.0f) + 0.1f;
    const float launched = turned + (300.0f + 0.1f);
    ASSERT_NE(moved, launched);
    EXPECT_EQ(Fire(13)[0].x, moved);
    EXPECT_EQ(Fire(30)[0].x, launched);
}

TEST_F(FirePatternTest, SatelliteMoveIsSkippedWhenThePoolIsFull) {
    enemy.polys[41].offsetX = 40;
    for (int i = 0; i < 2000; ++i) SpawnEnemyBullet(0, 1, 2, 0, 0, 0, 0, 0, 200, 200);
    EnemyBullets[1999].active = 0;
    FireEnemyPattern(enemy, 14, 0, -20, 0, 3);
    EXPECT_EQ(CountEnemyBullets(), 2000);
    EXPECT_NEAR(EnemyBullets[1999].x, 340, 1e-3);  // the one that found room, moved once
    for (int i = 0; i < 1999; ++i) {
        ASSERT_EQ(EnemyBullets[i].x, 200.0f) << i;  // nobody else was moved
        ASSERT_EQ(EnemyBullets[i].y, 200.0f) << i;
    }
}

TEST_F(FirePatternTest, LaunchPointsAndOffsetsOfTheIrregularPatterns) {
    // 5: three abreast, the middle one 10 ahead.
    auto abreast = Fire(5);
    EXPECT_NEAR(abreast[0].x, 284, 1e-4);
    EXPECT_NEAR(abreast[0].y, 180, 1e-4);
    EXPECT_NEAR(abreast[1].y, 170, 1e-4);
    EXPECT_NEAR(abreast[2].x, 316, 1e-4);

    // 30: from Poly 18's position, the launch offset turned about it.
    enemy.polys[18].offsetX = 25;
    enemy.polys[18].offsetY = 5;
    auto fromPoly = Fire(30);
    EXPECT_NEAR(fromPoly[0].x, 325, 1e-4);
    EXPECT_NEAR(fromPoly[0].y, 185, 1e-4);

    // 58: the caller's offset is replaced by Poly 16's resting place, 6 further out.
    enemy.polys[16].baseX = 4;
    enemy.polys[16].baseY = -30;
    auto cross = Fire(58, 99, 99);
    EXPECT_EQ(Angles(cross), (std::vector<int>{0, 90, 180, 270}));
    EXPECT_NEAR(cross[0].x, 304, 1e-4);
    EXPECT_NEAR(cross[0].y, 164, 1e-4);

    // 62: the first of each pair turns the other way with its x speed mirrored.
    auto pairs = Fire(62, 0, -20, 2, 3);
    ASSERT_EQ(pairs.size(), 8u);
    EXPECT_EQ(pairs[0].angle, 340);
    EXPECT_EQ(pairs[1].angle, 20);
    EXPECT_NEAR(pairs[0].vx, -2 * CosTable[340] - 3 * SinTable[340], 1e-5);
    EXPECT_NEAR(pairs[1].vx, 2 * CosTable[20] - 3 * SinTable[20], 1e-5);

    // 56: Polys 2 and 4 send -3, +3 and then the middle one 5 further out.
    auto ring = Fire(56);
    EXPECT_EQ(Angles(ring), (std::vector<int>{0, 357, 3, 0, 0, 357, 3, 0}));
    EXPECT_EQ(Kinds(ring), (std::vector<int>{7, 4, 4, 4, 7, 4, 4, 4}));
    EXPECT_NEAR(ring[3].y, 175, 1e-4);
    EXPECT_NEAR(ring[0].y, 180, 1e-4);

    // 72: each direction twice, the kind 8 bullet 10 further out.
    auto doubled = Fire(72);
    EXPECT_EQ(doubled[0].kind, 10);
    EXPECT_EQ(doubled[1].kind, 8);
    EXPECT_NEAR(doubled[1].y, 170, 1e-4);
    EXPECT_EQ(doubled[2].angle, 36);
}

TEST_F(FirePatternTest, FiringBySlotReadsThePoolRecord) {
    EnemyPool[3] = enemy;
    EnemyPool[3].polys[0].angle = 90;
    FireEnemyPattern(3, 110, 0, -20, 0, 3);
    ASSERT_EQ(CountEnemyBullets(), 8);
    EXPECT_EQ(EnemyBullets[0].angle, 90);
    EXPECT_NEAR(EnemyBullets[0].x, 320, 1e-3);
    ResetEnemyBullets();
    FireEnemyPattern(-1, 110, 0, -20, 0, 3);
    FireEnemyPattern(kEnemyPoolSize, 110, 0, -20, 0, 3);
    EXPECT_EQ(CountEnemyBullets(), 0);
}

}  // namespace
