// Level 1: the small craft, the mid-boss and the end boss.
#include "enemies/behaviour_ops.h"
#include "enemies/enemy_pool.h"
#include "shell/trig.h"
#include "world/world.h"

using namespace behave;

// Behaviour 0. The script's clock only starts once the mid-boss is on station.
void MidBossLevel1(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    if (e.y <= 200) {
        Move(e);
    } else {
        const int32_t t = e.age;
        if (t < 200 && t % 20 == 0) AddSpins(e, 0, 6, 1);
        if (t > 700 && t < 960 && t % 20 == 0) AddSpins(e, 0, 0, -1);
        ++e.age;
    }
    const int32_t t = e.age;
    if (t > 200 && t < 700 && t % 2 == 0) Fire(slot, 0, 0, -44, 0, 5);
    if (t == 700) {
        for (int i = 1; i <= 6; ++i) e.polys[i].flashOnHit = 0;
        SetSpins(e, 1, 6, 0);
    }
    if (t > 700 && e.polys[1].baseY > -360) AddBaseY(e, 1, 6, -5);
    if (e.polys[1].baseY <= -360 && e.polys[1].visible) {
        SetVisible(e, 1, 6, 0);
        e.polyCount -= 6;
    }
    if (t >= 1000 && t < 1200 && t % 20 == 0) AddSpins(e, 0, 0, -1);
    if (t >= 1200 && t <= 1700 && t % 46 == 0) Fire(slot, 2, 0, -34, 0, 5);
    if (t >= 1700) Move(e);
}

// Behaviours 4 and 5: drift one way, run straight, curve back the other way.
void CurlingCraft(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    const int32_t s = e.behaviour == 4 ? 1 : -1;
    if (t == 0) SetSpins(e, 0, 2, -s);
    if (t == 30 || t == 35) AddSpins(e, 0, 2, s);
    if (t == 105 || t == 110) AddSpins(e, 0, 2, -s);
    Turn(e, e.polys[0].spin);
    if (t < 3000 && t % 20 == 0) Fire(slot, 3, 0, -17, 0, e.behaviour == 4 ? 4.0f : 5.0f);
    ++e.age;
}

// Behaviours 7 and 8: an S-curve, mirror images of each other.
void SCurveCraft(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    const int32_t s = e.behaviour == 7 ? 1 : -1;
    if (t == 40 || t == 230) SetSpins(e, 0, 2, s);
    if (t == 110) SetSpins(e, 0, 2, -s);
    Turn(e, e.polys[0].spin);
    if (t >= 60 && t % 60 == 0) Fire(slot, 5, 0, -10, 0, 5);
    ++e.age;
}

// Behaviour 9: the six converge, hold, and retreat the way they came.
void ConvergingCraft(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    if (t <= 200) Move(e);
    if (t >= 650) {
        e.x -= e.vx;
        e.y -= e.vy;
    }
    if (t % 60 == 0) Fire(slot, 6, 0, -25, 0, 3);
    ++e.age;
}

// Behaviour 10.
void BobbingCraft(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    const int32_t h = t % 30;
    AddBaseY(e, 0, 2, h >= 1 && h <= 15 ? 1.0f : -1.0f);
    if (t % 15 == 0) Fire(slot, 7, 0, -38, 0, 3);
    Move(e);
    ++e.age;
}

// Behaviour 11: a lattice that turns, five pods that swing out, stop, pump and cross over.
void BossLevel1(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    if (t < 151) Move(e);
    if (t == 0) {
        SetSpins(e, 0, 40, 2);
        SetOrbitStep(e, 41, 45, 2);
    }

    // The pods.
    if (In(t, 1271, 1314)) AddBaseY(e, 41, 45, -1);
    if (t == 1314)
        for (int i = 41; i <= 45; ++i) e.polys[i].orbitStep -= 2;
    if (t == 4122)
        for (int i = 41; i <= 45; ++i) e.polys[i].orbitStep += 2;
    if (In(t, 4123, 4166)) AddBaseY(e, 41, 45, 1);
    if (In(t, 4321, 5200)) {
        const int32_t m = t % 160;
        if (m >= 1 && m <= 80) AddBaseY(e, 41, 45, 1);
        else if (t <= 5120) AddBaseY(e, 41, 45, -1);
    }
    if (In(t, 5121, 5138)) AddBaseY(e, 41, 45, 1);
    if (t == 5200) SetSpins(e, 41, 45, -4);
    if (t == 5840) SetSpins(e, 41, 45, -6);
    if (In(t, 5860, 5998)) AddBaseY(e, 41, 45, 1);

    // Fire.
    if (t >= 160 && t < 1245) {
        const float oy = e.polys[4].baseY - 18;
        if (t % 30 == 0) Fire(slot, 11, 0, oy, 0, 3);
        if (t >= 190 && t % 30 == 15) Fire(slot, 12, 0, oy, 0, 3);
    }
    if (t >= 320 && t < 1218 && t % 5 == 0) {
        const int32_t u = t % 360;
        const int32_t b1 = WobbleDegrees(28, Content.CosTable[u], 180);
        const int32_t b2 = WobbleDegrees(28, Content.SinTable[u], 180);
        Fire(slot, 10, 0, e.polys[0].baseY, 3 * Content.CosTable[b1], 3 * Content.SinTable[b2]);
    }
    if (t >= 1400 && t < 2400 && t % 10 == 0 && t % 200 <= 50) Fire(slot, 13, 0, -14, 0, 2);
    if (t >= 2600 && t < 4000 && t % 10 == 0) {
        const int32_t m = t % 200;
        if (m % 40 == 0) Fire(slot, 14 + m / 40, 0, -14, 0, 2);
    }
    if (t >= 4320 && t < 5840 && t % 4 == 0) Fire(slot, 8, 0, e.polys[42].baseY - 14, 0, 3);
    if (t >= 5840) {
        const int32_t m = t % 64;
        const float oy = e.polys[42].baseY + 14;
        if (m <= 8) Fire(slot, 8, 0, oy, 0, -3);
        if (m >= 17 && m <= 24) Fire(slot, 9, 0, oy, 0, -3);
    }
    if (t >= 4340 && t % 20 == 0) Fire(slot, t < 5840 ? 19 : 20, 0, e.polys[31].baseY - 15, 0, 3);
    ++e.age;
}
