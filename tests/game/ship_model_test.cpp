#include <cmath>

#include "enemies/models.h"
#include "enemies/polygons.h"
#include "game/particle_colours.h"
#include "game/ship.h"
#include "game/shot_shapes.h"
#include "shell/main_loop.h"
#include "shell/trig.h"
#include "test_support.h"

namespace {

class StartUpContentTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        BuildTrigTables();
        GameInit();
    }
};

TEST_F(StartUpContentTest, TheShipIsThreePolysAtItsStartWithATinyHitCircle) {
    EXPECT_EQ(PlayerShip.polyCount, 3);
    EXPECT_FLOAT_EQ(PlayerShip.x, 320);
    EXPECT_FLOAT_EQ(PlayerShip.y, 480);
    EXPECT_NEAR(ShipRadius, 2.0f, 1e-4f);
    EXPECT_FLOAT_EQ(PlayerShip.polys[1].radius, ShipRadius);
    EXPECT_EQ(PlayerShip.polys[1].sides, 4);
    EXPECT_EQ(PlayerShip.polys[1].angle, 45);
    EXPECT_FLOAT_EQ(PlayerShip.polys[0].offsetX, -6);
    EXPECT_FLOAT_EQ(PlayerShip.polys[2].offsetX, 6);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(PlayerShip.polys[i].orbit, 0);
    // The wings' outline half alpha of 160 packs to 64; the core's fill keeps its 30 as 60.
    EXPECT_EQ(PackColour(ShipLineColours[2]), 0x4000646Fu);
    EXPECT_EQ(PackColour(ShipFillColours[0]), 0x78FFFFFFu);
    EXPECT_EQ(PackColour(ShipFillColours[13]), 0x3C008282u);
    EXPECT_EQ(PackColour(ShipLineColours[13]), 0xDCFFFF00u);
    EXPECT_EQ(ShipFillColours[3].halfAlpha, 0);
    EXPECT_FLOAT_EQ(WingShape[1][1].x, 7);
    EXPECT_FLOAT_EQ(ThrusterShape[0][3].x, -8);
    EXPECT_FLOAT_EQ(ThrusterAnchor[1].y, 14);
}

TEST_F(StartUpContentTest, AngledShotBarsAreTurnedOnceToTheirFlight) {
    // Set 0 and the reflected shot stay as drawn; kind 5 flies right, kind 6 left.
    EXPECT_FLOAT_EQ(ShotShapes[0][1].y, -20);
    EXPECT_FLOAT_EQ(ShotShapes[15][2].x, 6);
    EXPECT_FLOAT_EQ(ShotShapes[15][2].y, -6);
    EXPECT_NEAR(ShotShapes[5][1].x, 20, 1e-3f);
    EXPECT_NEAR(ShotShapes[5][1].y, 0, 1e-3f);
    EXPECT_NEAR(ShotShapes[6][1].x, -20, 1e-3f);
    const int turn[15] = {0, -11, 11, -22, 22, 90, -90, 79, -79, 101, -101, -33, 33, -44, 44};
    const float vx[15] = {0, -2, 2, -4, 4, 10, -10, 9.8f, -9.8f, 9.8f, -9.8f, -6, 6, -8, 8};
    const float vy[15] = {-10, -9.8f, -9.8f, -9.2f, -9.2f, 0, 0, -2, -2, 2, 2, -8.6f, -8.6f, -8, -8};
    for (int kind = 1; kind <= 14; ++kind) {
        const PointF& tip = ShotShapes[kind][1];
        int a = NormaliseAngle(turn[kind]);
        EXPECT_NEAR(tip.x, 20 * SinTable[a], 1e-3f) << kind;
        EXPECT_NEAR(tip.y, -20 * CosTable[a], 1e-3f) << kind;
        EXPECT_NEAR(ShotShapes[kind][0].x, 0, 1e-6f) << kind;
        // The bar lies along the flight to within a few degrees.
        double flight = std::atan2(vx[kind], -vy[kind]) * 180 / 3.14159;
        double bar = std::atan2(tip.x, -tip.y) * 180 / 3.14159;
        EXPECT_NEAR(bar, flight, 3.0) << kind;
    }
}

TEST_F(StartUpContentTest, DebrisAndSparkColourTables) {
    EXPECT_EQ(PackColour(ShardFillColours[0][0]), 0x28CD1E1Eu);
    EXPECT_EQ(PackColour(ShardFillColours[0][3]), 0x50CD1E1Eu);
    EXPECT_EQ(PackColour(ShardLineColours[0][2]), 0x50FF3232u);
    EXPECT_EQ(ShardFillColours[1][3].halfAlpha, 20);
    EXPECT_EQ(ShardLineColours[1][0].b, 150);
    EXPECT_EQ(ShardFillColours[2][3].g, 149);
    EXPECT_EQ(ShardLineColours[3][1].halfAlpha, 60);
    EXPECT_EQ(SparkFillColours[0][2].halfAlpha, 30);
    EXPECT_EQ(SparkFillColours[0][3].halfAlpha, 40);
    EXPECT_EQ(SparkFillColours[1][3].halfAlpha, 30);
    EXPECT_EQ(SparkLineColours[1][0].g, 220);
    EXPECT_EQ(SparkFillColours[2][3].halfAlpha, 40);
    EXPECT_EQ(PackColour(SparkLineColours[2][1]), 0x50FFFFFFu);
}

}  // namespace
