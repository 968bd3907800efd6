#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "enemies/models.h"
#include "enemies/polygons.h"
#include "app/main_loop.h"
#include "shell/trig.h"
#include "test_support.h"

namespace {

using ModelTableTest = GameTest;

struct MakeUp {
    int polys;
    std::map<int, int> sides;  // sides -> how many
    std::vector<int> empty;
};

const MakeUp kTable[kModelTypes] = {
    {7, {{6, 1}, {3, 6}}, {}},
    {7, {{3, 1}, {4, 6}}, {}},
    {3, {{5, 1}, {4, 2}}, {}},
    {12, {{6, 6}, {4, 6}}, {}},
    {3, {{3, 3}}, {}},
    {11, {{10, 1}, {3, 10}}, {}},
    {6, {{3, 6}}, {}},
    {56, {{6, 5}, {5, 1}, {4, 30}, {3, 10}}, {46, 47, 48, 49, 50, 51, 52, 53, 54, 55}},
    {25, {{8, 5}, {3, 20}}, {}},
    {18, {{3, 18}}, {}},
    {5, {{4, 5}}, {}},
    {49, {{10, 1}, {8, 4}, {4, 34}, {3, 10}}, {}},
    {4, {{6, 1}, {3, 3}}, {}},
    {4, {{6, 1}, {3, 3}}, {}},
    {7, {{6, 1}, {3, 6}}, {}},
    {7, {{6, 1}, {3, 6}}, {}},
    {5, {{4, 1}, {3, 4}}, {}},
    {5, {{4, 1}, {3, 4}}, {}},
    {73, {{4, 36}, {3, 36}}, {60}},
    {67, {{9, 1}, {4, 28}, {3, 37}}, {60}},
    {7, {{6, 1}, {3, 6}}, {}},
    {7, {{6, 1}, {3, 6}}, {}},
    {24, {{3, 24}}, {}},
    {62, {{4, 25}, {3, 36}}, {60}},
    {40, {{10, 5}, {4, 35}}, {}},
};

float OrbitRadius(const Poly& p) { return std::hypot(p.baseX - p.pivotX, p.baseY - p.pivotY); }

bool IsEmpty(const Poly& p) {
    static const Poly zero{};
    return std::memcmp(&p, &zero, sizeof p) == 0;
}

// Farthest reach of any Poly from the model centre, at rest.
float Extent(int m) {
    float reach = 0;
    for (int i = 0; i < ModelPolyCount[m]; ++i) {
        const Poly& p = ModelPolys[m][i];
        if (IsEmpty(p)) continue;
        float centre = p.orbit ? std::hypot(p.pivotX, p.pivotY) + OrbitRadius(p) : std::hypot(p.offsetX, p.offsetY);
        reach = std::max(reach, centre + p.radius);
    }
    return reach;
}

TEST_F(ModelTableTest, EveryModelHasItsPolyCountAndSideMakeUp) {
    for (int m = 0; m < kModelTypes; ++m) {
        SCOPED_TRACE("model " + std::to_string(m));
        ASSERT_EQ(ModelPolyCount[m], kTable[m].polys);
        std::map<int, int> sides;
        std::vector<int> empty;
        for (int i = 0; i < ModelPolyCount[m]; ++i) {
            const Poly& p = ModelPolys[m][i];
            if (IsEmpty(p)) {
                empty.push_back(i);
                continue;
            }
            ++sides[p.sides];
            EXPECT_EQ(p.shape, p.sides - 3) << "poly " << i;
            EXPECT_EQ(p.outline, 1) << "poly " << i;
            EXPECT_EQ(p.scaleX, p.scaleY) << "poly " << i;
            EXPECT_GE(p.scaleX, 5) << "poly " << i;
            EXPECT_NEAR(p.radius, p.scaleX * PolyRadiusFactor[p.shape], 1e-3f) << "poly " << i;
            EXPECT_EQ(p.spin, 0) << "poly " << i;
            EXPECT_EQ(p.orbitStep, 0) << "poly " << i;
        }
        EXPECT_EQ(sides, kTable[m].sides);
        EXPECT_EQ(empty, kTable[m].empty);
        for (int i = ModelPolyCount[m]; i < kMaxPolys; ++i) EXPECT_TRUE(IsEmpty(ModelPolys[m][i])) << "poly " << i;
    }
}

TEST_F(ModelTableTest, OnlyTheChosenPolysOfTheLargeModelsFlash) {
    const std::map<int, std::set<int>> flashing = {{7, {0}},           {8, {1, 18, 19, 20}}, {11, {0, 48}},
                                                   {18, {0, 1, 2, 3}}, {19, {64, 65, 66}},   {23, {0}},
                                                   {24, {0}}};
    for (int m = 0; m < kModelTypes; ++m) {
        auto big = flashing.find(m);
        for (int i = 0; i < ModelPolyCount[m]; ++i) {
            const Poly& p = ModelPolys[m][i];
            if (IsEmpty(p)) continue;
            bool want = big == flashing.end() || big->second.count(i) > 0;
            EXPECT_EQ(p.flashOnHit, want ? 1 : 0) << "model " << m << " poly " << i;
        }
    }
}

// Every Poly that a behaviour moves by its base or that a pattern fires along its orbit angle
// must orbit the centre from a real distance.
TEST_F(ModelTableTest, SatellitesThatBehavioursMoveOrPatternsReadOrbitTheCentre) {
    const std::vector<std::pair<int, std::vector<int>>> satellites = {
        {1, {4, 5, 6}},
        {5, {1, 3, 4, 6, 8, 9}},
        {6, {0, 1, 2}},
        {7, {4, 31, 41, 42, 43, 44, 45}},
        {8, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
        {9, {0, 1, 2, 3, 4, 5}},
        {10, {2, 3, 4}},
        {11, {11, 12, 47, 48}},
        {16, {1, 2, 3, 4}},
        {17, {1, 2, 3, 4}},
        {18, {16, 17, 18, 19, 28, 29, 30, 41, 42, 43, 54, 55, 56, 68, 69, 70}},
        {19, {41, 44, 47, 50, 53, 55, 57, 58, 59, 61, 62}},
        {22, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}},
        {23, {37, 38, 39, 40, 41, 42, 43, 44, 45, 53, 59, 61}},
        {24, {28, 29, 30, 31, 32, 35, 36, 37, 38, 39}},
    };
    for (const auto& [m, polys] : satellites)
        for (int i : polys) {
            const Poly& p = ModelPolys[m][i];
            EXPECT_EQ(p.orbit, 1) << "model " << m << " poly " << i;
            EXPECT_GT(OrbitRadius(p), 5) << "model " << m << " poly " << i;
            EXPECT_FLOAT_EQ(p.pivotX, 0) << "model " << m << " poly " << i;
            EXPECT_FLOAT_EQ(p.pivotY, 0) << "model " << m << " poly " << i;
            // A base straight above the pivot: baseY changes then move the Poly along its orbit direction.
            EXPECT_FLOAT_EQ(p.baseX, 0) << "model " << m << " poly " << i;
            EXPECT_LT(p.baseY, 0) << "model " << m << " poly " << i;
        }
    // Patterns aimed by Poly 0's orbit angle need it to turn with the craft.
    for (int m : {9, 20, 21, 22, 24}) EXPECT_EQ(ModelPolys[m][0].orbit, 1) << "model " << m;
}

TEST_F(ModelTableTest, LevelOneBossPodsOrbitAtRadius114OutsideTheLaunchHeights) {
    const Poly* p = ModelPolys[7];
    EXPECT_EQ(p[0].sides, 5);
    for (int i = 41; i <= 45; ++i) {
        EXPECT_EQ(p[i].sides, 6);
        EXPECT_NEAR(OrbitRadius(p[i]), 114, 1e-4f);
        EXPECT_EQ(p[i].orbitAngle, (i - 41) * 72);
    }
    // Polys 4 and 31 give the launch heights of the fans and the triplets: inside the pods' ring.
    EXPECT_GT(p[4].baseY, -114);
    EXPECT_GT(p[31].baseY, -114);
    EXPECT_LT(p[31].baseY, p[4].baseY);
}

TEST_F(ModelTableTest, LevelTwoMidBossGroupsFoldRoundTheirHiddenOctagons) {
    const Poly* p = ModelPolys[8];
    for (int i : {18, 19, 20}) {
        EXPECT_EQ(p[i].sides, 8);
        EXPECT_EQ(p[i].visible, 0);
        EXPECT_EQ(p[i].orbit, 1);  // its base moves it
        EXPECT_FLOAT_EQ(OrbitRadius(p[i]), 0);
    }
    for (int i = 0; i < 25; ++i) {
        if (i >= 18 && i <= 20) continue;
        EXPECT_EQ(p[i].visible, 1) << i;
    }
    // Folded in by 40, each group still rings its octagon.
    for (int i = 6; i <= 17; ++i) EXPECT_GT(OrbitRadius(p[i]) - 40, p[18].radius + p[i].radius * 0.5f) << i;
    std::set<int> angles;
    for (int i = 6; i <= 17; ++i) angles.insert(p[i].orbitAngle);
    EXPECT_EQ(angles.size(), 12u);  // twelve streams, twelve directions
}

TEST_F(ModelTableTest, RoleShapesOfTheOtherBosses) {
    for (int i : {11, 12, 47, 48}) EXPECT_EQ(ModelPolys[11][i].sides, 8) << i;
    EXPECT_EQ(ModelPolys[11][0].sides, 10);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(NormaliseAngle(ModelPolys[18][16 + k].orbitAngle - ModelPolys[18][16].orbitAngle), 90 * k);
        int launcher = std::vector<int>{28, 41, 54, 68}[k];
        EXPECT_EQ(ModelPolys[18][launcher].sides, 4);
        EXPECT_NEAR(OrbitRadius(ModelPolys[18][launcher]), OrbitRadius(ModelPolys[18][launcher + 1]), 1e-4f);
    }
    EXPECT_EQ(ModelPolys[19][0].sides, 9);
    for (int i : {64, 65, 66}) EXPECT_EQ(ModelPolys[19][i].orbit, 0) << i;
    for (int i : {0, 1, 2, 33, 34}) EXPECT_EQ(ModelPolys[24][i].sides, 10) << i;
}

TEST_F(ModelTableTest, OutlinesAreBrighterThanFillsAndNeverWrapTheirAlpha) {
    for (int m = 0; m < kModelTypes; ++m)
        for (int i = 0; i < ModelPolyCount[m]; ++i) {
            const Poly& p = ModelPolys[m][i];
            if (IsEmpty(p)) continue;
            ASSERT_LT(p.colourGroup, kColourGroups);
            for (int v = 0; v < p.sides; ++v) {
                const ColourRecord& f = FillColours[m][p.colourGroup * 10 + v];
                const ColourRecord& l = LineColours[m][p.colourGroup * 10 + v];
                EXPECT_GT(l.halfAlpha, 0) << "model " << m << " poly " << i << " vertex " << v;
                EXPECT_LT(l.halfAlpha, 128) << "model " << m << " poly " << i << " vertex " << v;
                EXPECT_LT(f.halfAlpha, l.halfAlpha) << "model " << m << " poly " << i << " vertex " << v;
                EXPECT_GT(l.r + l.g + l.b, 0) << "model " << m << " poly " << i << " vertex " << v;
            }
        }
}

TEST_F(ModelTableTest, BossesFitThePlayfieldAtTheirStations) {
    struct Station {
        int model;
        float y;
    };
    for (Station s : {Station{0, 203}, Station{8, 90}, Station{18, 127}, Station{23, 167}, Station{7, 172},
                      Station{11, 172}, Station{19, 168}, Station{24, 168}}) {
        float r = Extent(s.model);
        EXPECT_GE(320 - r, 128) << "model " << s.model;
        EXPECT_LE(320 + r, 512) << "model " << s.model;
        EXPECT_GE(s.y - r, 0) << "model " << s.model;
        EXPECT_LE(s.y + r, 512) << "model " << s.model;
    }
}

TEST_F(ModelTableTest, MidBossesOutsizeEveryCraftAndBossesOutsizeTheirMidBosses) {
    const int craft[] = {1, 2, 3, 4, 5, 6, 9, 10, 12, 13, 14, 15, 16, 17, 20, 21, 22};
    float largestCraft = 0;
    for (int m : craft) largestCraft = std::max(largestCraft, Extent(m));
    for (int m : {0, 8, 18, 23}) EXPECT_GT(Extent(m), largestCraft) << "model " << m;
    EXPECT_GT(Extent(7), Extent(0) * 2);
    EXPECT_GT(Extent(11), Extent(8));
    EXPECT_GT(Extent(19), Extent(18));
    EXPECT_GT(Extent(24), Extent(23));
}

TEST_F(ModelTableTest, ModelsSharingAMakeUpStillLookDifferent) {
    const std::vector<std::vector<int>> alike = {{12, 13}, {0, 14, 15, 20, 21}, {16, 17}};
    for (const auto& group : alike)
        for (size_t a = 0; a < group.size(); ++a)
            for (size_t b = a + 1; b < group.size(); ++b) {
                int m = group[a], n = group[b];
                EXPECT_NE(std::memcmp(ModelPolys[m], ModelPolys[n], sizeof(Poly) * ModelPolyCount[m]), 0)
                    << m << " and " << n;
                EXPECT_NE(std::memcmp(LineColours[m], LineColours[n], sizeof LineColours[m]), 0) << m << " and " << n;
            }
}

}  // namespace
