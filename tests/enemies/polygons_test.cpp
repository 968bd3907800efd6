// How polygons are built, turned and drawn is pinned by the recorded games' pictures; this is the edge
// no model reaches.
#include <cstring>

#include "enemies/models.h"
#include "enemies/polygons.h"
#include "test_support.h"
#include "world/world.h"

namespace {

using PolygonTest = GameTest;

TEST_F(PolygonTest, MoreThanEightyPolysIsReportedAndCappedAtTheRecord) {
    static Poly many[90];
    for (int i = 0; i < 90; ++i) DefinePoly(many[i], 0, 0, 3, 1, 1, 0, 0, 0, 0, 5, 5, i, 0, 0, 0, 0, 0, 0);
    static Enemy pair[2];
    std::memset(pair, 0x33, sizeof pair);
    testing::internal::CaptureStdout();
    InstantiateModel(pair[0], many, 3, 0, 0, 1, 1, 0, 90, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR, too many polys requested!");
    EXPECT_EQ(pair[0].polys[79].angle, 79);
    EXPECT_LE(pair[0].polyCount, kMaxPolys);
    Enemy untouched;
    std::memset(&untouched, 0x33, sizeof untouched);
    EXPECT_EQ(std::memcmp(&pair[1], &untouched, sizeof untouched), 0);
    testing::internal::CaptureStdout();
    InstantiateModel(pair[0], many, 3, 0, 0, 1, 1, 0, 80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

}  // namespace
