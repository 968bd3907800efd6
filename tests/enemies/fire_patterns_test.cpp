// What every pattern fires is pinned by the pattern sweep; these are the edges the sweep never meets.
#include "enemies/fire_patterns.h"

#include <cmath>

#include "enemies/enemy_pool.h"
#include "game/enemy_bullets.h"
#include "shell/trig.h"
#include "test_support.h"
#include "world/world.h"

namespace {

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
    void FillBulletPool() {
        for (int i = 0; i < kEnemyBulletCount; ++i) SpawnEnemyBullet(0, 1, 2, 0, 0, 0, 0, 0, 200, 200);
    }
    Enemy enemy;
};

TEST_F(FirePatternTest, AFullPoolDropsTheRestOfARingAndMovesNoBulletItDidNotFire) {
    FillBulletPool();
    W.EnemyBullets[kEnemyBulletCount - 1].active = 0;
    FireEnemyPattern(enemy, 10, 0, -20, 0, 3);
    EXPECT_EQ(CountEnemyBullets(), kEnemyBulletCount);
    EXPECT_EQ(W.EnemyBullets[kEnemyBulletCount - 1].angle, 0);  // the first of the ring; seven found no room

    // Room for five: the first five of the ring leave.
    for (int i = 10; i < 15; ++i) W.EnemyBullets[i].active = 0;
    FireEnemyPattern(enemy, 10, 0, -20, 0, 3);
    for (int i = 10; i < 15; ++i) EXPECT_EQ(W.EnemyBullets[i].angle, 45 * (i - 10));

    // A pattern that moves each bullet onto its satellite moves only the one that found room.
    ResetEnemyBullets();
    enemy.polys[41].offsetX = 40;
    FillBulletPool();
    W.EnemyBullets[kEnemyBulletCount - 1].active = 0;
    FireEnemyPattern(enemy, 14, 0, -20, 0, 3);
    EXPECT_NEAR(W.EnemyBullets[kEnemyBulletCount - 1].x, 340, 1e-3);
    for (int i = 0; i < kEnemyBulletCount - 1; ++i) {
        ASSERT_EQ(W.EnemyBullets[i].x, 200.0f) << i;
        ASSERT_EQ(W.EnemyBullets[i].y, 200.0f) << i;
    }
}

TEST_F(FirePatternTest, NumbersOutsideTheTableAndSlotsOutsideThePoolFireNothing) {
    for (int pattern : {-1, kFirePatternCount, 1000, -1000}) FireEnemyPattern(enemy, pattern, 0, -20, 0, 3);
    FireEnemyPattern(-1, 110, 0, -20, 0, 3);
    FireEnemyPattern(kEnemyPoolSize, 110, 0, -20, 0, 3);
    EXPECT_EQ(CountEnemyBullets(), 0);
    W.EnemyPool[3] = enemy;
    W.EnemyPool[3].polys[0].angle = 90;
    FireEnemyPattern(3, 110, 0, -20, 0, 3);
    ASSERT_EQ(CountEnemyBullets(), 8);
    EXPECT_EQ(W.EnemyBullets[0].angle, 90);  // read from the pool's record
}

// The radii are written out as numbers; they must stay the ones their formula gives.
TEST(BulletRadii, AreTheirFormulaRoundedToFloat) {
    auto radius = [](double k, double degrees) { return static_cast<float>(k / std::tan(degrees * 3.14159 / 180.0)); };
    EXPECT_EQ(kRadiusSquare, radius(2, 45));
    EXPECT_EQ(kRadiusSlim, radius(2, 60));
    EXPECT_EQ(kRadiusLarge, radius(15, 45));
}

}  // namespace
