// Golden sweeps: every behaviour flown alone and every fire pattern fired from enemies set up each way a
// pattern can read them, folded into one hash each. The recorded games reach some of this only late in a
// level or not at all; these reach all of it in a second. A change meant to alter a behaviour or a
// pattern updates the hash here and says why.
#include <cstring>
#include <vector>

#include "frontend/state_hash.h"
#include "enemies/behaviours.h"
#include "enemies/enemy_pool.h"
#include "enemies/fire_patterns.h"
#include "game/enemy_bullets.h"
#include "render/batches.h"
#include "world/world.h"
#include "test_support.h"

namespace {

struct Hash {
    uint64_t h = 0xcbf29ce484222325ull;
    void Add(uint64_t v) { h = (h ^ v) * 0x100000001b3ull; }
    void Add(float f) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        Add(uint64_t{bits});
    }
};

struct Fired {
    int pattern, age;
    float ox, oy, vx, vy;
};
std::vector<Fired>* firedLog = nullptr;

void Record(int32_t slot, int32_t pattern, float ox, float oy, float vx, float vy) {
    firedLog->push_back({pattern, W.EnemyPool[slot].age, ox, oy, vx, vy});
}

// Enemies spawned straight into the pool and stepped with UpdateEnemies alone, every pattern they fire
// written down.
class Sweep : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        W.Program.GameMode = Mode::Playing;
        firedLog = &fired;
        BehaviourFireWatcher = Record;
    }
    void TearDown() override {
        BehaviourFireWatcher = nullptr;
        GameTest::TearDown();
    }
    int Spawn(int model, int behaviour, int orbitStep) {
        ClearEnemyPool();
        W.EnemyCursor = -1;
        fired.clear();
        if (orbitStep)
            SpawnEnemy(model, behaviour, 100, 0, 0, 0, 0, 0, 5, 5, 0, 0, 0, orbitStep, 320, -80, 260, -80);
        else
            SpawnEnemy(model, behaviour, 100, 0, 320, 100, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
        return W.EnemyCursor;
    }
    // The bullets are cleared each frame so the pool never fills.
    void Step(int n) {
        for (int i = 0; i < n; ++i) {
            UpdateEnemies();
            ResetBatches();
            ResetEnemyBullets();
        }
    }
    std::vector<Fired> fired;
};

TEST_F(Sweep, EveryBehaviourFliesAndFiresAsItAlwaysDid) {
    struct Sample {
        int behaviour, model;
        bool longLived;  // bosses and the craft that circle them run past age 7000
    };
    std::vector<Sample> samples = {
        {0, 0, true},    {2, 1, false},   {3, 1, false},   {4, 2, false},   {5, 2, false},   {6, 3, false},
        {7, 4, false},   {8, 4, false},   {9, 5, false},   {10, 6, false},  {11, 7, true},   {12, 5, false},
        {13, 5, false},  {14, 5, false},  {15, 5, false},  {16, 8, true},   {17, 9, false},  {18, 10, false},
        {19, 11, true},  {20, 12, false}, {21, 12, false}, {22, 13, false}, {23, 13, false}, {34, 14, false},
        {35, 15, false}, {36, 15, false}, {37, 14, false}, {38, 16, false}, {39, 17, false}, {40, 18, true},
        {52, 19, true},  {53, 20, false}, {54, 21, false}, {55, 22, false}, {62, 23, true},  {91, 20, false},
        {92, 21, false}, {93, 24, true},  {56, 15, false}, {57, 14, false}, {58, 14, false}, {59, 15, false},
        {60, 14, false}, {61, 15, false},
    };
    for (int b = 24; b <= 33; ++b) samples.push_back({b, b == 33 ? 15 : 14, false});
    for (int b = 41; b <= 51; ++b) samples.push_back({b, b <= 47 ? 5 : b <= 49 ? 14 : 15, false});
    for (int b = 63; b <= 76; ++b) samples.push_back({b, b <= 69 ? 15 : 14, true});
    for (int b = 77; b <= 90; ++b) samples.push_back({b, 20 + (b - 77) % 2, false});
    Hash hash;
    for (const Sample& sample : samples) {
        const int b = sample.behaviour;
        const bool orbits = b >= 91 || b == 38 || b == 39 || (b >= 63 && b <= 76);
        int slot = Spawn(sample.model, b, orbits ? 2 : 0);
        Step(sample.longLived ? 7500 : 1200);  // past the last age any script of its kind reads
        EXPECT_GT(W.EnemyPool[slot].age, 0) << "behaviour " << b;
        if (b < 77 || b > 90) {
            EXPECT_FALSE(fired.empty()) << "behaviour " << b;
        }
        for (const Fired& f : fired) {
            hash.Add(uint64_t(f.pattern) << 32 | uint32_t(f.age));
            for (float v : {f.ox, f.oy, f.vx, f.vy}) hash.Add(v);
        }
        hash.Add(HashGameState());
    }
    EXPECT_EQ(hash.h, 0xb6f66720b74637adull);
}

// Fired from an enemy read every way the patterns read one: turned, spinning, orbiting, polys moved off
// their places, every small number of polys and many, other core shapes, the caller's offsets and speeds.
TEST_F(Sweep, EveryPatternFiresAsItAlwaysDid) {
    Hash hash;
    for (int variant = 0; variant < 8 + 14; ++variant) {  // past 7: every poly count from 0 to 13
        Enemy enemy{};
        enemy.active = 1;
        enemy.x = 300;
        enemy.y = 200;
        enemy.polyCount = variant == 5 ? 5 : variant == 6 ? 80 : variant == 7 ? 200 : variant > 7 ? variant - 8 : 12;
        for (int p = 0; p < kMaxPolys; ++p) {
            Poly& poly = enemy.polys[p];
            poly.sides = variant == 5 ? 5 : variant == 6 ? 7 : 6;
            if (variant == 1) poly.angle = 10 + p;
            if (variant == 2) poly.spin = 10;
            if (variant == 3) poly.orbitAngle = 30 * p;
            if (variant == 4) poly.offsetX = 2.5f * p, poly.offsetY = -p, poly.baseX = p, poly.baseY = p - 30.0f;
        }
        if (variant == 7) enemy.polys[0].sides = 0;
        const float ox = variant == 6 ? 99 : 0, oy = variant == 6 ? 99 : -20, vx = variant == 6 ? 2 : 0;
        for (int pattern = 0; pattern < kFirePatternCount; ++pattern) {
            ResetEnemyBullets();
            FireEnemyPattern(enemy, pattern, ox, oy, vx, 3);
            int n = 0;
            for (const EnemyBullet& b : W.EnemyBullets) {
                if (!b.active) continue;
                ++n;
                uint32_t words[sizeof b / 4];
                std::memcpy(words, &b, sizeof b);
                for (uint32_t w : words) hash.Add(uint64_t{w});
            }
            if (variant == 0 && n == 0) ADD_FAILURE() << "pattern " << pattern << " fired nothing";
        }
    }
    EXPECT_EQ(hash.h, 0x81227042fcde1c5bull);
}

}  // namespace
