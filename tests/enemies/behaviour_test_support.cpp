#include "behaviour_test_support.h"

#include "game/enemy_bullets.h"
#include "render/batches.h"
#include "shell/game_vars.h"

namespace {

std::vector<FiredPattern>* firedLog = nullptr;
const int* frameNow = nullptr;

void Record(int32_t slot, int32_t pattern, float ox, float oy, float vx, float vy) {
    if (firedLog) firedLog->push_back({slot, pattern, EnemyPool[slot].age, *frameNow, ox, oy, vx, vy});
}

}  // namespace

void BehaviourTest::SetUp() {
    GameTest::SetUp();
    GameMode = Mode::Playing;
    ClearEnemyPool();
    EnemyCursor = -1;
    ResetEnemyBullets();
    firedLog = &fired;
    frameNow = &frame;
    BehaviourFireWatcher = Record;
}

void BehaviourTest::TearDown() {
    BehaviourFireWatcher = nullptr;
    firedLog = nullptr;
    frameNow = nullptr;
    GameTest::TearDown();
}

int BehaviourTest::Spawn(int model, int behaviour, float x, float y, float vx, float vy, int s) {
    SpawnEnemy(model, behaviour, 100, 0, static_cast<int>(x), static_cast<int>(y), vx, vy, s, s, 0, 0, 0, 0, 0, 0,
               0, 0);
    return EnemyCursor;
}

int BehaviourTest::SpawnOrbiting(int model, int behaviour, int s, int orbitAngle, int orbitStep, float pivotX,
                                 float pivotY, float baseX, float baseY) {
    SpawnEnemy(model, behaviour, 100, 0, 0, 0, 0, 0, s, s, 0, 0, orbitAngle, orbitStep, pivotX, pivotY, baseX,
               baseY);
    return EnemyCursor;
}

void BehaviourTest::Step(int n) {
    for (int i = 0; i < n; ++i) {
        ++frame;
        UpdateEnemies();
        ResetBatches();
        ResetEnemyBullets();
    }
}

void BehaviourTest::StepToAge(int slot, int age, int limit) {
    for (int i = 0; i < limit && EnemyPool[slot].age != age; ++i) Step(1);
    ASSERT_EQ(EnemyPool[slot].age, age);
}

std::vector<FiredPattern> BehaviourTest::FiredBy(int slot, int pattern) const {
    std::vector<FiredPattern> out;
    for (const FiredPattern& f : fired)
        if (f.slot == slot && f.pattern == pattern) out.push_back(f);
    return out;
}
