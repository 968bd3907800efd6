#pragma once
// Behaviour tests: enemies spawned straight into the pool and stepped with UpdateEnemies alone, with
// every pattern they fire written down together with the age at which it was fired.
#include <vector>

#include "enemies/behaviours.h"
#include "enemies/enemy_pool.h"
#include "test_support.h"

struct FiredPattern {
    int slot;
    int pattern;
    int age;  // the enemy's age when the pattern left
    int frame;  // 1 for the first stepped frame
    float ox, oy, vx, vy;
};

class BehaviourTest : public GameTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // SpawnEnemy with the level scripts' usual zeros; returns the slot taken.
    int Spawn(int model, int behaviour, float x, float y, float vx, float vy, int s = 0);
    int SpawnOrbiting(int model, int behaviour, int s, int orbitAngle, int orbitStep, float pivotX, float pivotY,
                      float baseX, float baseY);
    // UpdateEnemies n times while Playing; the bullets are cleared each frame so the pool never fills.
    void Step(int n);
    // Steps until the enemy's age reaches the given value (at most limit frames).
    void StepToAge(int slot, int age, int limit = 20000);

    std::vector<FiredPattern> FiredBy(int slot, int pattern) const;
    Enemy& E(int slot) { return EnemyPool[slot]; }

    int frame = 0;
    std::vector<FiredPattern> fired;
};
