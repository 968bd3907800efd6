#include "enemies/enemy_pool.h"

#include <cstring>

#include "enemies/models.h"
#include "enemies/polygons.h"
#include "game/level_state.h"
#include "world/world.h"

namespace {

enum Form { PositionOnly, Set, Add };

struct StartForm {
    Form form;
    int32_t count;
};

StartForm FormFor(int32_t behaviour) {
    auto in = [behaviour](int lo, int hi) { return behaviour >= lo && behaviour <= hi; };
    if (in(0, 3)) return {Set, 7};
    if (in(4, 5)) return {Add, 3};
    if (behaviour == 6) return {Set, 12};
    if (in(7, 8)) return {Set, 3};
    if (behaviour == 9 || in(12, 15) || in(41, 47)) return {Set, 11};
    if (behaviour == 10) return {Set, 6};
    if (behaviour == 16) return {Set, 25};
    if (behaviour == 17) return {Set, 18};
    if (behaviour == 18) return {Set, 5};
    if (behaviour == 19) return {Set, 49};
    if (in(20, 23)) return {Add, 4};
    if (in(24, 37) || in(48, 51) || in(56, 61) || in(63, 76)) return {Add, 7};
    if (in(38, 39)) return {Set, 5};
    if (behaviour == 40) return {Set, 73};
    if (behaviour == 52) return {Set, 67};
    if (in(53, 54) || in(77, 90) || in(91, 92)) return {Add, 7};
    if (behaviour == 55) return {Add, 24};
    if (behaviour == 62) return {Add, 62};
    if (behaviour == 93) return {Set, 67};
    return {PositionOnly, 0};  // behaviour 11 and any number without a script
}

// Where each model type may be before it is culled; an enemy exactly on a bound stays.
struct Bounds {
    float left, right, top, bottom;
};

Bounds BoundsFor(int32_t modelType) {
    switch (modelType) {
        case 0: case 1: case 2: case 3: case 4: return {88, 552, -60, 552};
        case 5: return {0, 640, -100, 600};
        case 6: return {68, 572, -60, 572};
        case 7: case 11: return {12, 612, -150, 662};
        case 8: case 9: case 10: return {48, 607, -95, 607};
        case 12: case 13: case 19: case 24: return {88, 552, -160, 552};
        case 14: case 15: case 22: return {68, 580, -100, 580};
        case 16: case 17: return {68, 580, -150, 580};
        case 18: case 23: return {48, 607, -100, 630};
        case 20: case 21: return {68, 580, -130, 580};
        default: return {88, 552, -60, 552};
    }
}

// A mid-boss that leaves counts as gone for the level script.
void MidBossLeft(int entry) {
    W.Level.BossBar = 0;
    W.Level.MidBossActive = 0;
    W.Level.MidBossSlot[entry] = -1;
}

}  // namespace

void SpawnEnemy(int32_t modelType, int32_t behaviour, int32_t hitPoints, int32_t dropKind, int32_t x, int32_t y,
                float vx, float vy, int32_t polySpin, int32_t polyOrbitStep, int32_t polyAngleAdd,
                int32_t polyOrbitAngleAdd, int32_t orbitAngle, int32_t orbitStep, float pivotX, float pivotY,
                float baseX, float baseY) {
    int slot = -1;
    const int start = W.EnemyCursor + 1;
    for (int tested = 0; tested < kEnemyPoolSize; ++tested) {
        int s = (start + tested) % kEnemyPoolSize;
        W.EnemyCursor = s;
        if (W.EnemyPool[s].active == 0) {
            slot = s;
            break;
        }
    }
    if (slot < 0) return;
    Enemy& e = W.EnemyPool[slot];
    e.modelType = modelType;
    if (modelType < 0 || modelType >= kModelTypes) return;

    for (int k = 0; k < kLevelCount; ++k) {
        if (modelType == kMidBossModel[k]) {
            W.Level.MidBossActive = 1;
            W.Level.MidBossSlot[k] = slot;
        }
        if (modelType == kBossModel[k]) {
            W.Level.BossActive = 1;
            W.Level.BossSlot[k] = slot;
        }
    }
    InstantiateModel(e, Content.ModelPolys[modelType], modelType, 0, behaviour, 1, hitPoints, dropKind,
                     Content.ModelPolyCount[modelType], 0, 0, baseX, baseY, vx, vy, orbitAngle, orbitStep, pivotX, pivotY);
    InitBehaviourState(slot, behaviour, x, y, polySpin, polyOrbitStep, polyAngleAdd, polyOrbitAngleAdd);
}

void InitBehaviourState(int32_t slot, int32_t behaviour, int32_t x, int32_t y, int32_t polySpin,
                        int32_t polyOrbitStep, int32_t polyAngleAdd, int32_t polyOrbitAngleAdd) {
    Enemy& e = W.EnemyPool[slot];
    e.x = static_cast<float>(x);
    e.y = static_cast<float>(y);
    StartForm f = FormFor(behaviour);
    // N may run past the model's own Polys (behaviour 93 on the 40-Poly model 24): the spare
    // records are never drawn.
    for (int i = 0; i < f.count && i < kMaxPolys; ++i) {
        Poly& p = e.polys[i];
        if (f.form == Add) {
            p.angle += polyAngleAdd;
            p.orbitAngle += polyOrbitAngleAdd;
        }
        p.spin = polySpin;
        p.orbitStep = polyOrbitStep;
    }
}

void CullEnemies() {
    for (int slot = 0; slot < kEnemyPoolSize; ++slot) {
        Enemy& e = W.EnemyPool[slot];
        if (e.active == 0) continue;
        Bounds b = BoundsFor(e.modelType);
        if (e.x >= b.left && e.x <= b.right && e.y >= b.top && e.y <= b.bottom) continue;
        e.active = 0;
        switch (e.modelType) {
            case kMidBossModel[0]: MidBossLeft(0); break;
            case kMidBossModel[1]: MidBossLeft(1); W.Level.LevelClock = 8000; break;
            // The frame's own tick follows: one short, so the next frame's script runs at 5000 and its
            // pair appears, as it does after the mid-boss is destroyed.
            case kMidBossModel[2]: MidBossLeft(2); W.Level.LevelClock = 5000 - 1; break;
            case kMidBossModel[3]: MidBossLeft(3); W.Level.LevelClock = 10000; break;
            default: break;
        }
    }
}

void AnimateEnemy(int32_t slot) {
    if (W.EnemyPool[slot].active != 0) AnimateEntity(W.EnemyPool[slot]);
}

void StepEnemyFlash(int32_t slot) {
    if (W.EnemyPool[slot].active != 0) StepHitFlash(W.EnemyPool[slot]);
}

int CountActiveEnemies() {
    int n = 0;
    for (const Enemy& e : W.EnemyPool) n += e.active != 0;
    return n;
}

void ClearEnemyPool() {
    for (Enemy& e : W.EnemyPool) e.active = 0;
}

