// Level 2: the craft, the mid-boss and the end boss.
#include "enemies/behaviour_ops.h"
#include "enemies/enemy_pool.h"
#include "shell/trig.h"
#include "world/world.h"

using namespace behave;

// Behaviours 2 and 3: bursts of pattern 1, counted only once the craft is on the field.
void StraightBurster(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    Move(e);
    if (e.y < -20) return;
    const int32_t t = e.age;
    if (t % 2 == 0 && t % 186 <= 70) Fire(slot, 1, 0, -40, 0, 5);
    if (++e.age == 186) e.age = 1;
}

// Behaviour 6.
void RapidFireCraft(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    Move(e);
    if (e.age % 7 == 0) Fire(slot, 4, 0, -26, 0, 4);
    ++e.age;
}

namespace {

// The start of 12..15: the core turns by its orbitStep, the ring spins at 3.
void WeaveStart(Enemy& e, int32_t s) {
    e.polys[0].spin = 3 * s;
    e.polys[0].orbitStep = s;
    SetSpins(e, 1, 10, 3 * s);
}

}  // namespace

// Behaviours 12 and 13, mirror images.
void WeavingCraft(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    const int32_t s = e.behaviour == 12 ? 1 : -1;
    int32_t& turn = e.polys[0].orbitStep;
    if (t == 0) WeaveStart(e, s);
    if (t == 30) turn = -s;
    if (t == 105) turn = s;
    if (t > 403) turn = -s;
    if (t > 544) turn = s;
    Turn(e, turn);
    if (In(t, 22, 32)) Fire(slot, s > 0 ? 22 : 23, 0, -24, 0, 4);
    if (In(t, 330, 352) && t % 2 == 0) Fire(slot, 21, 0, -24, 0, s > 0 ? 4.0f : 3.0f);
    ++e.age;
}

// Behaviours 14 and 15, mirror images: one more swing than 12 and 13.
void WeavingCraftLong(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    const int32_t s = e.behaviour == 14 ? 1 : -1;
    int32_t& turn = e.polys[0].orbitStep;
    if (t == 0) WeaveStart(e, s);
    if (t == 30 || t == 180) turn = -s;
    if (t == 105) turn = s;
    if (t > 489) turn = s;
    if (t > 639) turn = -s;
    Turn(e, turn);
    if (t <= 40 && t % 5 == 0) Fire(slot, s > 0 ? 25 : 24, 0, -24, 0, 4);
    if (In(t, 240, 270) && t % 5 == 0) Fire(slot, s > 0 ? 27 : 26, 0, -24, 0, 3);
    ++e.age;
}

// Behaviour 16: an entry cut short, then the groups of triangles slide and fan out.
void MidBossLevel2(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    if (e.age < 90) {
        Move(e);
        // The script was written for a longer entry; it picks up where that would have ended.
        if (e.age == 89) e.age = 330;
    }
    const int32_t t = e.age;
    if (t >= 360 && t < 1800) {
        const int32_t u = t % 360;
        if (t % 4 == 0 && u >= 41 && u <= 139) Fire(slot, 28, 0, -71, 0, 3);
        if (t % 2 == 0 && u >= 180) {
            const int32_t b1 = WobbleDegrees(28, Content.SinTable[u], 180);
            const int32_t b2 = WobbleDegrees(8, Content.CosTable[u], 180);
            Fire(slot, 29, 0, -84, 3 * Content.CosTable[b2], 3 * Content.SinTable[b1]);
        }
    }
    if (In(t, 1961, 2000) && t % 2 == 0) AddBaseY(e, 6, 9, 2);
    if (t == 2060) {
        SetSpins(e, 6, 9, 5);
        SetSpins(e, 18, 18, 5);
    }
    if (In(t, 2060, 2120)) {
        e.polys[18].visible = 1;
        ShiftOrbit(e, 18, 18, 0, 2);
        ShiftOrbit(e, 6, 9, 0, 2);
    }
    if (In(t, 2121, 2160) && t % 2 == 0) AddBaseY(e, 10, 17, 2);
    if (t == 2220) {
        SetSpins(e, 10, 17, -5);
        SetSpins(e, 19, 20, -5);
    }
    if (In(t, 2220, 2280) || In(t, 4200, 4300)) {
        if (t <= 2280) SetVisible(e, 19, 20, 1);
        ShiftOrbit(e, 10, 13, 2, 2);
        ShiftOrbit(e, 19, 19, 2, 2);
        ShiftOrbit(e, 14, 17, -2, 2);
        ShiftOrbit(e, 20, 20, -2, 2);
    }
    if (t >= 2200 && t % 2 == 0) {
        const int32_t m = t % 200;
        if (m <= 60) Fire(slot, 30, 0, -36, 0, 3);
        if (In(m, 120, 130) || In(m, 160, 170)) {
            Fire(slot, 31, 0, -36, 0, 3);
            Fire(slot, 32, 0, -36, 0, 3);
        }
    }
    if (In(t, 3800, 4000)) {
        ShiftOrbit(e, 18, 18, 0, 2);
        ShiftOrbit(e, 6, 9, 0, 2);
    }
    if (t >= 4250) Move(e);
    ++e.age;
}

// Behaviour 17: six satellites breathe in and out on even frames.
void BreathingCraft(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    if (t % 2 == 0) AddBaseY(e, 0, 5, t % 60 < 30 ? 1.0f : -1.0f);
    if (t % 60 == 0) Fire(slot, 33, 0, -40, 0, 4);
    const int32_t m = t % 120;
    if (In(m, 24, 26) || In(m, 34, 36)) Fire(slot, 34, 0, e.polys[0].baseY - 8, 0, 4);
    Move(e);
    ++e.age;
}

// Behaviour 18: a 120-frame cycle of turning one way, stopping, turning back.
void SpinCycleCraft(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    const int32_t m = t % 120;
    if (t == 0) SetSpin(e, 1, 4, -5);
    if (m % 30 == 0) {
        const int32_t step = m == 0 ? -2 : m == 60 ? 2 : 0;
        e.polys[0].spin = step;
        SetOrbitStep(e, 0, 4, step);
    }
    if (t % 6 == 0 && (In(m, 1, 29) || In(m, 61, 89))) Fire(slot, 35, 0, -10, 0, 3);
    Move(e);
    ++e.age;
}

// Behaviour 19: two arms that swing and fire, two pods that pump, then everything circles.
void BossLevel2(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    if (t == 0) {
        SetSpin(e, 11, 12, 4);
        e.polys[48].spin = 4;
        e.polys[47].spin = -4;
    }
    if (t < 151) Move(e);
    if (In(t, 210, 245)) AddBaseY(e, 11, 12, -1);

    // The arms swing.
    if (t == 320 || t == 4220) SetOrbitStep(e, 11, 12, 2);
    if (t == 328 || t == 4228) SetOrbitStep(e, 11, 12, 0);
    if (t >= 640 && t < 4160) {
        const int32_t m = t % 640;
        if (m == 0) SetOrbitStep(e, 11, 12, -2);
        if (m == 320) SetOrbitStep(e, 11, 12, 2);
        if (m == 16 || m == 336) SetOrbitStep(e, 11, 12, 0);
    }
    if (t >= 320 && t < 4160) {
        const int32_t m = t % 640;
        if (t % 8 == 0 && In(m, 47, 289)) Fire(slot, 36, 0, -20, 0, 3);
        if (t % 8 < 6 && In(m, 367, 609)) Fire(slot, 37, 0, -20, 0, 3);
    }

    // Arms in, pods in, the pods pump.
    if (In(t, 4280, 4315)) AddBaseY(e, 11, 12, 1);
    if (In(t, 4360, 4375)) AddBaseY(e, 47, 48, 1);
    if (t >= 4480 && t < 6160) {
        const bool out = t % 140 < 70;
        AddBaseY(e, 47, 48, out ? -1.0f : 1.0f);
        if (t % 8 < 3 && out) Fire(slot, 38, 0, -20, 0, 3);
    }

    // Everything out again, circling for good.
    if (In(t, 6260, 6327)) AddBaseY(e, 11, 12, -1);
    if (In(t, 6400, 6449)) AddBaseY(e, 47, 48, -1);
    if (t == 6480) {
        SetOrbitStep(e, 11, 12, 2);
        SetOrbitStep(e, 47, 48, -2);
    }
    if (t >= 6480 && t % 2 == 0) {
        const int32_t m = t % 180;
        if (m < 8) Fire(slot, 39, 0, -20, 0, 3);
        if (In(m, 90, 97)) Fire(slot, 40, 0, -20, 0, 3);
        if (m == 44) Fire(slot, 41, 0, -20, 0, 3);
    }
    ++e.age;
}
