#include "game/enemy_bullets.h"

#include "render/batches.h"
#include "shell/game_vars.h"
#include "app/state_hash.h"
#include "shell/trig.h"
#include "test_support.h"

namespace {

class EnemyBulletTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        BuildTrigTables();
    }

    static EnemyBullet& Place(int i, int kind, float x, float y, int angle = 0, int outline = 1) {
        EnemyBullet& b = EnemyBullets[i];
        b = {1, kind, outline, 2.0f, angle, x, y, 0, 0};
        return b;
    }

    static void FillPool() {
        for (EnemyBullet& b : EnemyBullets) b.active = 1;
    }
};

TEST_F(EnemyBulletTest, SpawnTakesTheRecordAfterTheCursor) {
    EXPECT_EQ(BulletCursor, -1);
    EXPECT_EQ(SpawnEnemyBullet(3, 1, 2, 0, 0, 0, 0, 0, 200, 200), 0);
    EXPECT_EQ(BulletCursor, 0);
    EXPECT_EQ(SpawnEnemyBullet(3, 1, 2, 0, 0, 0, 0, 0, 200, 200), 1);
    EnemyBullets[0].active = 0;  // a freed record behind the cursor waits for the wrap
    EXPECT_EQ(SpawnEnemyBullet(3, 1, 2, 0, 0, 0, 0, 0, 200, 200), 2);
}

TEST_F(EnemyBulletTest, SearchWrapsFromTheLastRecordToTheFirst) {
    BulletCursor = 1998;
    EnemyBullets[1999].active = 1;
    EXPECT_EQ(SpawnEnemyBullet(0, 1, 2, 0, 0, 0, 0, 0, 200, 200), 0);
    EXPECT_EQ(BulletCursor, 0);
}

TEST_F(EnemyBulletTest, AFullPoolTakesNothingAndLeavesTheCursorOnTheLastRecordTested) {
    FillPool();
    EXPECT_EQ(SpawnEnemyBullet(0, 1, 2, 0, 0, 0, 0, 0, 200, 200), kNoBullet);
    EXPECT_EQ(BulletCursor, 1999);  // from -1: tested 0..1999
    BulletCursor = 5;
    EXPECT_EQ(SpawnEnemyBullet(0, 1, 2, 0, 0, 0, 0, 0, 200, 200), kNoBullet);
    EXPECT_EQ(BulletCursor, 5);  // tested 6..1999, then 0..5
    EXPECT_EQ(CountEnemyBullets(), 2000);
}

TEST_F(EnemyBulletTest, SpawnFillsTheRecordAndTurnsOffsetAndSpeed) {
    const int i = SpawnEnemyBullet(7, 1, 1.5f, 0, -20, 90, 0, 3, 300, 200);
    const EnemyBullet& b = EnemyBullets[i];
    EXPECT_EQ(b.active, 1);
    EXPECT_EQ(b.kind, 7);
    EXPECT_EQ(b.outline, 1);
    EXPECT_EQ(b.radius, 1.5f);
    EXPECT_EQ(b.angle, 90);
    // 90 degrees turns "up" to the right.
    EXPECT_NEAR(b.x, 320, 1e-3);
    EXPECT_NEAR(b.y, 200, 1e-3);
    EXPECT_NEAR(b.vx, -3, 1e-4);
    EXPECT_NEAR(b.vy, 0, 1e-4);
    // The exact table arithmetic, offset and speed turned alike.
    const int j = SpawnEnemyBullet(0, 0, 2, 5, -7, 33, 1.5f, 2.5f, 250, 100);
    const float c = CosTable[33], s = SinTable[33];
    EXPECT_EQ(EnemyBullets[j].x, 5 * c - -7 * s + 250);
    EXPECT_EQ(EnemyBullets[j].y, 5 * s + -7 * c + 100);
    EXPECT_EQ(EnemyBullets[j].vx, 1.5f * c - 2.5f * s);
    EXPECT_EQ(EnemyBullets[j].vy, 1.5f * s + 2.5f * c);
}

TEST_F(EnemyBulletTest, AnglesAreBroughtIntoWholeTurn) {
    const struct {
        int in, out;
    } cases[] = {{0, 0}, {359, 359}, {360, 0}, {719, 359}, {-1, 359}, {-90, 270}, {-360, 0},
                 // further out than one correction reaches: still a table entry
                 {720, 0}, {800, 80}, {-400, 320}, {-1000, 80}};
    for (auto c : cases) {
        EXPECT_EQ(NormaliseAngle(c.in), c.out) << c.in;
        const int i = SpawnEnemyBullet(0, 1, 2, 0, 0, c.in, 0, 0, 200, 200);
        EXPECT_EQ(EnemyBullets[i].angle, c.out) << c.in;
    }
}

TEST_F(EnemyBulletTest, MovingSubtractsTheSpeed) {
    EnemyBullet& b = Place(4, 0, 200, 300);
    b.vx = 1.5f;
    b.vy = -2;
    EnemyBullet& idle = Place(5, 0, 200, 300);
    idle.active = 0;
    idle.vx = 9;
    MoveEnemyBullets();
    EXPECT_EQ(b.x, 198.5f);
    EXPECT_EQ(b.y, 302.0f);
    EXPECT_EQ(idle.x, 200.0f);
}

TEST_F(EnemyBulletTest, CullEdges) {
    const struct {
        float x, y;
        int culled;
    } cases[] = {{125, 300, 1}, {126, 300, 0}, {125.5f, 300, 0}, {300, -3, 1}, {300, -2.9f, 0},
                 {515, 300, 1}, {514.9f, 300, 0}, {300, 515, 1}, {300, 514.9f, 0}, {-50, -50, 1}};
    for (int i = 0; i < 10; ++i) Place(i, 0, cases[i].x, cases[i].y);
    CollideEnemyBullets();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(EnemyBullets[i].active, 1 - cases[i].culled) << cases[i].x << ", " << cases[i].y;
}

TEST_F(EnemyBulletTest, MovingNeverCullsSoTheCollisionPassStillSeesTheBullet) {
    EnemyBullet& b = Place(0, 0, 127, 300);
    b.vx = 3;  // leaves to the left
    MoveEnemyBullets();
    EXPECT_EQ(b.active, 1);
    EXPECT_EQ(b.x, 124.0f);
    EXPECT_EQ(CullEnemyBullet(b), 1);
    EXPECT_EQ(b.active, 0);
    EXPECT_EQ(CullEnemyBullet(Place(1, 0, 300, 300)), 0);
}

uint32_t Colour(int r, int g, int b, int halfAlpha) {
    return (static_cast<uint32_t>(2 * halfAlpha) & 0xFF) << 24 | r << 16 | g << 8 | b;
}

TEST_F(EnemyBulletTest, SmallSquareIsAQuadWithFourOutlineSegments) {
    Place(0, 0, 200, 300);
    DrawEnemyBullets();
    ASSERT_EQ(TriangleVertexCount, 6);
    ASSERT_EQ(LineVertexCount, 32);
    // Corners 0, 1, 3, 2 into the quad: triangles (0, 1, 3) and (1, 2, 3).
    const float expect[6][2] = {{197, 297}, {203, 297}, {197, 303}, {203, 297}, {203, 303}, {197, 303}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(TriangleBatch[i].x, expect[i][0], 1e-4) << i;
        EXPECT_NEAR(TriangleBatch[i].y, expect[i][1], 1e-4) << i;
        EXPECT_EQ(TriangleBatch[i].colour, 0x50FFFF00u);
    }
    for (int i = 0; i < 32; ++i) EXPECT_EQ(LineBatch[i].colour, 0xC8FFFF00u);
    // The first segment runs from corner 0 to corner 1, the last from 3 back to 0.
    EXPECT_NEAR(LineBatch[2].x, 197, 1e-4);
    EXPECT_NEAR(LineBatch[4].x, 203, 1e-4);
    EXPECT_NEAR(LineBatch[24 + 2].y, 303, 1e-4);
    EXPECT_NEAR(LineBatch[24 + 4].y, 297, 1e-4);
}

TEST_F(EnemyBulletTest, ShapesTurnWithTheBulletAngle) {
    Place(0, 0, 200, 300, 90);
    Place(1, 2, 200, 300, 180, 0);
    DrawEnemyBullets();
    // (-3, -3) turned by 90 degrees is (3, -3).
    EXPECT_NEAR(TriangleBatch[0].x, 203, 1e-3);
    EXPECT_NEAR(TriangleBatch[0].y, 297, 1e-3);
    // The triangle's tip (0, -5.77) points down at 180.
    EXPECT_NEAR(TriangleBatch[6].x, 200, 1e-3);
    EXPECT_NEAR(TriangleBatch[6].y, 305.77f, 1e-3);
    EXPECT_EQ(TriangleVertexCount, 9);
}

TEST_F(EnemyBulletTest, LargeBulletFadesDownwardsAndMayGoUnoutlined) {
    Place(0, 1, 300, 300, 0, 0);
    DrawEnemyBullets();
    ASSERT_EQ(TriangleVertexCount, 6);
    EXPECT_EQ(LineVertexCount, 0);
    const uint32_t top = Colour(255, 69, 0, 50), bottom = Colour(255, 69, 0, 5);
    const uint32_t order[6] = {top, top, bottom, top, bottom, bottom};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(TriangleBatch[i].colour, order[i]) << i;
    EXPECT_NEAR(TriangleBatch[0].x, 284, 1e-4);
    EXPECT_NEAR(TriangleBatch[4].y, 316, 1e-4);

    ResetBatches();
    EnemyBullets[0].outline = 1;
    DrawEnemyBullets();
    ASSERT_EQ(LineVertexCount, 32);
    EXPECT_EQ(LineBatch[0].colour, 0xFEFF0000u);  // half-alpha 255 packs to 254
}

TEST_F(EnemyBulletTest, EveryKindHasItsShapeAndColours) {
    const struct {
        int corners;
        uint32_t fill, edge;
    } kinds[kBulletKindCount] = {
        {4, Colour(255, 255, 0, 40), Colour(255, 255, 0, 100)},
        {4, Colour(255, 69, 0, 50), Colour(255, 0, 0, 255)},
        {3, Colour(0, 255, 0, 40), Colour(255, 255, 0, 100)},
        {4, Colour(0, 255, 0, 40), Colour(255, 255, 0, 100)},
        {3, Colour(255, 255, 0, 40), Colour(255, 255, 0, 100)},
        {3, Colour(255, 168, 8, 40), Colour(255, 168, 8, 100)},
        {4, Colour(255, 168, 8, 40), Colour(255, 168, 8, 100)},
        {3, Colour(255, 71, 45, 40), Colour(255, 71, 45, 100)},
        {4, Colour(255, 71, 45, 40), Colour(255, 71, 45, 100)},
        {3, Colour(33, 100, 231, 40), Colour(33, 100, 231, 100)},
        {4, Colour(33, 100, 231, 40), Colour(33, 100, 231, 100)},
    };
    for (int k = 0; k < kBulletKindCount; ++k) {
        ResetBatches();
        ResetEnemyBullets();
        Place(0, k, 300, 300);
        DrawEnemyBullets();
        EXPECT_EQ(TriangleVertexCount, kinds[k].corners == 4 ? 6 : 3) << k;
        EXPECT_EQ(LineVertexCount, 8 * kinds[k].corners) << k;
        EXPECT_EQ(TriangleBatch[0].colour, kinds[k].fill) << k;
        EXPECT_EQ(LineBatch[0].colour, kinds[k].edge) << k;
        // Small squares reach 3 from the centre, the large one 16, triangles 5 to the side.
        const float reach = k == 1 ? 16 : kinds[k].corners == 4 ? 3 : 5;
        EXPECT_NEAR(TriangleBatch[1].x, 300 + reach, 1e-4) << k;
    }
}

TEST_F(EnemyBulletTest, OnlyActiveBulletsDrawAndStrayKindsAreSkipped) {
    Place(0, 0, 200, 300).active = 0;
    Place(1, 11, 200, 300);
    Place(2, -1, 200, 300);
    Place(3, 4, 200, 300, 400);  // an angle past one turn still reads the tables
    DrawEnemyBullets();
    EXPECT_EQ(TriangleVertexCount, 3);
    EXPECT_NEAR(TriangleBatch[0].x, 200 + 5.77f * SinTable[40], 1e-3);
}

TEST_F(EnemyBulletTest, ResetEmptiesThePoolAndTheHashSeesBullets) {
    const uint64_t empty = HashGameState();
    SpawnEnemyBullet(0, 1, 2, 0, 0, 0, 0, 0, 200, 200);
    EXPECT_EQ(CountEnemyBullets(), 1);
    EXPECT_NE(HashGameState(), empty);
    ResetEnemyBullets();
    EXPECT_EQ(CountEnemyBullets(), 0);
    EXPECT_EQ(BulletCursor, -1);
    EXPECT_EQ(HashGameState(), empty);
}

}  // namespace
