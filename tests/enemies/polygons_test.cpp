#include <cmath>
#include <cstring>
#include <vector>

#include "enemies/enemy_pool.h"
#include "enemies/models.h"
#include "enemies/polygons.h"
#include "render/batches.h"
#include "shell/game_vars.h"
#include "app/main_loop.h"
#include "shell/trig.h"
#include "test_support.h"

namespace {

class PolygonTest : public GameTest {
protected:
    // How many line-batch vertices one AddLine adds.
    int LineVertices() {
        int before = LineVertexCount;
        AddLine(0, 0, 0xFFFFFFFF, 10, 0, 0xFFFFFFFF);
        int n = LineVertexCount - before;
        ResetBatches();
        return n;
    }

    Enemy& Place(int slot, int model, float x, float y) {
        Enemy& e = EnemyPool[slot];
        InstantiateModel(e, ModelPolys[model], model, 0, 0, 1, 100, 0, ModelPolyCount[model], x, y, 0, 0, 0, 0, 0, 0,
                         0, 0);
        return e;
    }

    int LineVerticesIn(uint32_t colour) {
        int n = 0;
        for (int i = 0; i < LineVertexCount; ++i) n += LineBatch[i].colour == colour;
        return n;
    }
};

double VertexDegrees(const PointF& p) {
    double d = std::atan2(p.x, -p.y) * 180.0 / 3.14159;
    return d < -0.001 ? d + 360 : d;
}

TEST_F(PolygonTest, UnitVertexAnglesAreTruncatedToWholeDegrees) {
    const double seven[7] = {0, 51, 102, 154, 205, 257, 308};
    for (int i = 0; i < 7; ++i) EXPECT_NEAR(VertexDegrees(UnitPolygons[4][i]), seven[i], 0.01) << "vertex " << i;
    EXPECT_NEAR(VertexDegrees(UnitPolygons[6][1]), 40, 0.01);
    EXPECT_NEAR(VertexDegrees(UnitPolygons[0][1]), 120, 0.01);
    EXPECT_NEAR(VertexDegrees(UnitPolygons[7][3]), 108, 0.01);
}

TEST_F(PolygonTest, UnitPolygonsHaveSidesOfLengthOneAndStartStraightUp) {
    for (int n = 3; n <= 10; ++n) {
        const PointF* v = UnitPolygons[n - 3];
        float r = 0.5f / std::sin(3.14159f / n);
        EXPECT_NEAR(PolyRadiusFactor[n - 3], r, 1e-5f);
        EXPECT_NEAR(v[0].x, 0, 1e-6f);
        EXPECT_NEAR(v[0].y, -r, 1e-5f);
        for (int i = 0; i < n; ++i) EXPECT_NEAR(std::hypot(v[i].x, v[i].y), r, 1e-4f) << n << "-gon vertex " << i;
        // Clockwise on screen (y down): the second vertex lies to the right.
        EXPECT_GT(v[1].x, 0) << n;
        if (n == 4 || n == 6) {
            EXPECT_NEAR(std::hypot(v[1].x - v[0].x, v[1].y - v[0].y), 1.0f, 1e-4f) << n;
        }
    }
}

TEST_F(PolygonTest, ColourPackingDoublesTheHalfAlphaModulo256) {
    ColourRecord c;
    DefineColour(c, 0x12, 0x34, 0x56, 130);
    EXPECT_EQ(PackColour(c), 0x04123456u);
    DefineColour(c, 255, 255, 0, 160);
    EXPECT_EQ(PackColour(c), 0x40FFFF00u);
    DefineColour(c, 1, 2, 3, 60);
    EXPECT_EQ(PackColour(c), 0x78010203u);
}

TEST_F(PolygonTest, DefinePolyFillsTheRecordAndItsCollisionRadius) {
    Poly p;
    std::memset(&p, 0x5A, sizeof p);
    DefinePoly(p, 0, 2, 3, 1, 1, 1.5f, -2.5f, 3, -28, 10, 10, -27, 4, 1, 300, -2, 5, 6);
    EXPECT_NEAR(p.radius, 10 * 0.5f / std::sin(3.14159f / 3), 1e-4f);
    EXPECT_EQ(p.angle, -27);  // normalised on first use, not here
    DefinePoly(p, 3, 0, 6, 1, 1, 0, 0, 0, 0, 20, 20, 30, 0, 0, 0, 0, 0, 0);
    EXPECT_NEAR(p.radius, 20.0f, 1e-4f);
}

TEST_F(PolygonTest, OrbitPointTurnsTheBaseAboutThePivot) {
    float x = 0, y = 0;
    int32_t angle = 300;
    OrbitPoint(x, y, 10, -28, angle, 150, 10, 0);
    EXPECT_EQ(angle, 90);
    EXPECT_NEAR(x, 38, 1e-3f);
    EXPECT_NEAR(y, 0, 1e-3f);
    OrbitPoint(x, y, 10, -28, angle, -180, 10, 0);
    EXPECT_EQ(angle, 270);
    EXPECT_NEAR(x, -18, 1e-3f);
}

TEST_F(PolygonTest, StepRotatePointTurnsProgressivelyByTheStep) {
    float x = 0, y = -10;
    int32_t angle = 0;
    const float expectX[4] = {10, 0, -10, 0}, expectY[4] = {0, 10, 0, -10};
    for (int i = 0; i < 4; ++i) {
        StepRotatePoint(x, y, x, y, angle, 90, 0, 0);
        EXPECT_NEAR(x, expectX[i], 1e-3f) << i;
        EXPECT_NEAR(y, expectY[i], 1e-3f) << i;
    }
    EXPECT_EQ(angle, 0);
    StepRotatePoint(x, y, x, y, angle, -90, 0, 0);  // read as 270
    EXPECT_NEAR(x, -10, 1e-3f);
    EXPECT_NEAR(y, 0, 1e-3f);
    EXPECT_EQ(angle, 270);
}

TEST_F(PolygonTest, RotationsTurnClockwiseOnScreenForPositiveAngles) {
    float x = 0, y = -1;
    RotateVector(90, x, y);
    EXPECT_NEAR(x, 1, 1e-5f);
    EXPECT_NEAR(y, 0, 1e-5f);
    RotateVector(-90, x, y);
    EXPECT_NEAR(x, 0, 1e-5f);
    EXPECT_NEAR(y, -1, 1e-5f);
    PointF pts[2] = {{0, -20}, {4, 0}};
    RotatePointList(pts, 2, 180);
    EXPECT_NEAR(pts[0].y, 20, 1e-3f);
    EXPECT_NEAR(pts[1].x, -4, 1e-3f);
}

TEST_F(PolygonTest, InstantiateCopiesThePolysAndClearsTheFlags) {
    Enemy e;
    std::memset(&e, 0x7F, sizeof e);
    InstantiateModel(e, ModelPolys[2], 2, 0, 4, 1, 50, 0, 3, 12, 34, 1, 2, 0, 3, 5, 6, 7, 8);
    EXPECT_EQ(e.DropDone, 0);
    EXPECT_EQ(e.hitFlash, 0);
    EXPECT_EQ(e.polyCount, 3);
    EXPECT_EQ(std::memcmp(e.polys, ModelPolys[2], 3 * sizeof(Poly)), 0);
    Poly untouched;
    std::memset(&untouched, 0x7F, sizeof untouched);
    EXPECT_EQ(std::memcmp(&e.polys[3], &untouched, sizeof(Poly)), 0);
}

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

TEST_F(PolygonTest, DrawPolyFansTheFillAndClosesTheOutline) {
    int perLine = LineVertices();
    GameMode = Mode::Menu;
    Enemy& e = Place(0, 0, 320, 200);
    e.polyCount = 1;  // the hexagon alone
    DrawEnemy(0);
    EXPECT_EQ(TriangleVertexCount, 4 * 3);
    EXPECT_EQ(LineVertexCount, 6 * perLine);
    // Fan from vertex 0, each corner in its own fill colour: model 0's hexagon at angle 30.
    float r = 20;
    EXPECT_NEAR(TriangleBatch[0].x, 320 + r * SinTable[30], 1e-3f);
    EXPECT_NEAR(TriangleBatch[0].y, 200 - r * CosTable[30], 1e-3f);
    EXPECT_EQ(TriangleBatch[0].colour, PackColour(FillColours[0][0]));
    EXPECT_EQ(TriangleBatch[2].colour, PackColour(FillColours[0][2]));
    EXPECT_EQ(TriangleBatch[11].colour, PackColour(FillColours[0][5]));
    for (int t = 1; t < 4; ++t) {
        EXPECT_EQ(TriangleBatch[3 * t].x, TriangleBatch[0].x) << "triangle " << t;
        EXPECT_EQ(TriangleBatch[3 * t].y, TriangleBatch[0].y) << "triangle " << t;
        EXPECT_EQ(TriangleBatch[3 * t + 1].x, TriangleBatch[3 * t - 1].x) << "triangle " << t;
    }
}

TEST_F(PolygonTest, AnInvisiblePolyIsNeitherMovedNorDrawnButKeepsItsRadius) {
    GameMode = Mode::Playing;
    Enemy& e = Place(0, 0, 320, 200);
    e.polys[3].visible = 0;
    e.polys[3].orbitStep = 5;
    int32_t before = e.polys[3].orbitAngle;
    DrawEnemy(0);
    EXPECT_EQ(TriangleVertexCount, (4 + 5 * 1) * 3);  // hexagon + five visible triangles
    EXPECT_EQ(e.polys[3].orbitAngle, before);
    EXPECT_FLOAT_EQ(e.polys[3].offsetX, 0);
    EXPECT_GT(e.polys[3].radius, 10);
    EXPECT_NEAR(e.polys[1].offsetY, -28, 1e-3f);  // the visible ones orbit into place
}

TEST_F(PolygonTest, ANegativeTemplateAngleIsDrawnAsItsWholeTurn) {
    GameMode = Mode::Paused;
    Enemy& e = Place(0, 2, 300, 100);
    ASSERT_EQ(e.polys[2].angle, -27);
    e.polyCount = 3;
    DrawEnemy(0);
    EXPECT_EQ(e.polys[2].angle, 333);
    // Poly 2's first fill vertex: its unit vertex 0 turned by 333, times scale 8, at its (unset) offset.
    int first = (3 + 2) * 3;  // after the pentagon's three and Poly 1's two triangles
    float r = 8 * PolyRadiusFactor[1];
    EXPECT_NEAR(TriangleBatch[first].x, 300 + r * SinTable[333], 1e-3f);
    EXPECT_NEAR(TriangleBatch[first].y, 100 - r * CosTable[333], 1e-3f);
}

TEST_F(PolygonTest, PausedEnemiesAreDrawnWithoutTurning) {
    GameMode = Mode::Playing;
    Enemy& e = Place(0, 0, 320, 200);
    for (int i = 0; i < 7; ++i) e.polys[i].spin = e.polys[i].orbitStep = 3;
    DrawEnemy(0);
    Poly snapshot[7];
    std::memcpy(snapshot, e.polys, sizeof snapshot);
    EXPECT_EQ(e.polys[1].orbitAngle, 3);
    GameMode = Mode::Paused;
    ResetBatches();
    DrawEnemy(0);
    EXPECT_EQ(std::memcmp(snapshot, e.polys, sizeof snapshot), 0);
    EXPECT_EQ(TriangleVertexCount, (4 + 6) * 3);
    GameMode = Mode::Playing;
    DrawEnemy(0);
    EXPECT_EQ(e.polys[1].orbitAngle, 6);
    EXPECT_EQ(e.polys[0].angle, 36);
}

TEST_F(PolygonTest, AHitFlashesTheOutlineForExactlyOneDrawnFrame) {
    int perLine = LineVertices();
    GameMode = Mode::Playing;
    Enemy& e = Place(0, 0, 320, 200);
    e.hitFlash = 1;
    DrawEnemy(0);
    EXPECT_EQ(e.hitFlash, 0);
    EXPECT_EQ(LineVerticesIn(FlashColour), (6 + 6 * 3) * perLine);
    for (int i = 0; i < TriangleVertexCount; ++i) EXPECT_NE(TriangleBatch[i].colour, FlashColour);
    ResetBatches();
    DrawEnemy(0);
    EXPECT_EQ(LineVerticesIn(FlashColour), 0);
}

TEST_F(PolygonTest, OnlyThePolysMarkedToFlashTakeTheFlashColour) {
    int perLine = LineVertices();
    GameMode = Mode::Playing;
    Place(0, 7, 320, 172).hitFlash = 1;
    DrawEnemy(0);
    EXPECT_EQ(LineVerticesIn(FlashColour), 5 * perLine);  // the pentagon core alone
}

TEST_F(PolygonTest, DrawEnemySkipsAFreeRecord) {
    Place(0, 0, 320, 200).active = 0;
    DrawEnemy(0);
    EXPECT_EQ(TriangleVertexCount, 0);
    EXPECT_EQ(LineVertexCount, 0);
}

}  // namespace
