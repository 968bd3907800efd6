// Rules every model of ours keeps; the exact shapes and colours are pinned by the recorded games' pictures.
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
#include "world/world.h"

namespace {

using ModelTableTest = GameTest;

float OrbitRadius(const Poly& p) { return std::hypot(p.baseX - p.pivotX, p.baseY - p.pivotY); }

bool IsEmpty(const Poly& p) {
    static const Poly zero{};
    return std::memcmp(&p, &zero, sizeof p) == 0;
}

// Farthest reach of any Poly from the model centre, at rest.
float Extent(int m) {
    float reach = 0;
    for (int i = 0; i < Content.ModelPolyCount[m]; ++i) {
        const Poly& p = Content.ModelPolys[m][i];
        if (IsEmpty(p)) continue;
        float centre = p.orbit ? std::hypot(p.pivotX, p.pivotY) + OrbitRadius(p) : std::hypot(p.offsetX, p.offsetY);
        reach = std::max(reach, centre + p.radius);
    }
    return reach;
}

TEST_F(ModelTableTest, OutlinesAreBrighterThanFillsAndNeverWrapTheirAlpha) {
    for (int m = 0; m < kModelTypes; ++m)
        for (int i = 0; i < Content.ModelPolyCount[m]; ++i) {
            const Poly& p = Content.ModelPolys[m][i];
            if (IsEmpty(p)) continue;
            ASSERT_LT(p.colourGroup, kColourGroups);
            for (int v = 0; v < p.sides; ++v) {
                const ColourRecord& f = Content.FillColours[m][p.colourGroup * 10 + v];
                const ColourRecord& l = Content.LineColours[m][p.colourGroup * 10 + v];
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
                EXPECT_NE(std::memcmp(Content.ModelPolys[m], Content.ModelPolys[n], sizeof(Poly) * Content.ModelPolyCount[m]), 0)
                    << m << " and " << n;
                EXPECT_NE(std::memcmp(Content.LineColours[m], Content.LineColours[n], sizeof Content.LineColours[m]), 0) << m << " and " << n;
            }
}

}  // namespace
