#include "draw/playfield.h"
#include "game/enemy_bullets.h"

#include "render/batches.h"
#include "world/world.h"
#include "frontend/state_hash.h"
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
        EnemyBullet& b = W.EnemyBullets[i];
        b = {1, kind, outline, 2.0f, angle, x, y, 0, 0};
        return b;
    }

    static void FillPool() {
        for (EnemyBullet& b : W.EnemyBullets) b.active = 1;
    }
};

TEST_F(EnemyBulletTest, SpawnTakesTheRecordAfterTheCursor) {
    EXPECT_EQ(W.BulletCursor, -1);
    EXPECT_EQ(SpawnEnemyBullet(3, 1, 2, 0, 0, 0, 0, 0, 200, 200), 0);
    EXPECT_EQ(W.BulletCursor, 0);
    EXPECT_EQ(SpawnEnemyBullet(3, 1, 2, 0, 0, 0, 0, 0, 200, 200), 1);
    W.EnemyBullets[0].active = 0;  // a freed record behind the cursor waits for the wrap
    EXPECT_EQ(SpawnEnemyBullet(3, 1, 2, 0, 0, 0, 0, 0, 200, 200), 2);
}

TEST_F(EnemyBulletTest, SearchWrapsFromTheLastRecordToTheFirst) {
    W.BulletCursor = 1998;
    W.EnemyBullets[1999].active = 1;
    EXPECT_EQ(SpawnEnemyBullet(0, 1, 2, 0, 0, 0, 0, 0, 200, 200), 0);
    EXPECT_EQ(W.BulletCursor, 0);
}

TEST_F(EnemyBulletTest, AFullPoolTakesNothingAndLeavesTheCursorOnTheLastRecordTested) {
    FillPool();
    EXPECT_EQ(SpawnEnemyBullet(0, 1, 2, 0, 0, 0, 0, 0, 200, 200), kNoBullet);
    EXPECT_EQ(W.BulletCursor, 1999);  // from -1: tested 0..1999
    W.BulletCursor = 5;
    EXPECT_EQ(SpawnEnemyBullet(0, 1, 2, 0, 0, 0, 0, 0, 200, 200), kNoBullet);
    EXPECT_EQ(W.BulletCursor, 5);  // tested 6..1999, then 0..5
    EXPECT_EQ(CountEnemyBullets(), 2000);
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
        EXPECT_EQ(W.EnemyBullets[i].angle, c.out) << c.in;
    }
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
        EXPECT_EQ(W.EnemyBullets[i].active, 1 - cases[i].culled) << cases[i].x << ", " << cases[i].y;
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

TEST_F(EnemyBulletTest, OnlyActiveBulletsDrawAndStrayKindsAreSkipped) {
    Place(0, 0, 200, 300).active = 0;
    Place(1, 11, 200, 300);
    Place(2, -1, 200, 300);
    Place(3, 4, 200, 300, 400);  // an angle past one turn still reads the tables
    DrawEnemyBullets(W);
    EXPECT_EQ(Batches.TriangleVertexCount, 3);
    EXPECT_NEAR(Batches.TriangleBatch[0].x, 200 + 5.77f * Content.SinTable[40], 1e-3);
}

}  // namespace
