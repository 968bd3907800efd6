// Level 3: the mid-boss (behaviour 40) and the end boss (behaviour 52).
#include "enemies/behaviour_ops.h"
#include "enemies/enemy_pool.h"
#include "shell/trig.h"
#include "world/world.h"

using namespace behave;

namespace {

constexpr int kEmptyPoly = 60;  // a hole in models 18 and 19

void SetSpinsButEmpty(Enemy& e, int last, int32_t s) {
    SetSpins(e, 0, kEmptyPoly - 1, s);
    SetSpins(e, kEmptyPoly + 1, last, s);
}

// The mid-boss's wobbling speed: 3 cos b2, 3 sin b1 with b = trunc(a sin u + 90), trunc(a cos u + 90).
void MidBossWobble(int32_t u, float amplitude, float& vx, float& vy) {
    const int32_t b1 = WobbleDegrees(amplitude, Content.SinTable[u], 90);
    const int32_t b2 = WobbleDegrees(amplitude, Content.CosTable[u], 90);
    vx = 3 * Content.CosTable[b2];
    vy = 3 * Content.SinTable[b1];
}

bool InWindow(int32_t t, const int32_t (*windows)[2], int count) {
    for (int i = 0; i < count; ++i)
        if (In(t, windows[i][0], windows[i][1])) return true;
    return false;
}

}  // namespace

// Behaviour 40: spin phases, a square excursion back to its station, four satellites that pump.
void MidBossLevel3(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    const int last = 72;
    if (t < 111) e.y += e.vy;

    // The excursion: -80, +160, -80 in x and +260, -260 in y.
    if (In(t, 3955, 3994)) e.x -= 2;
    if (In(t, 3995, 4124)) e.y += 2;
    if (In(t, 4485, 4564)) e.x += 2;
    if (In(t, 5425, 5554)) e.y -= 2;
    if (In(t, 5555, 5594)) e.x -= 2;

    if (t == 180 || t == 1080 || t == 3820) SetSpinsButEmpty(e, last, 2);
    if (t == 1960 || t == 2880 || t == 5345) SetSpinsButEmpty(e, last, -2);
    if (t == 920 || t == 1100 || t == 2020 || t == 2950 || t == 4565) SetSpinsButEmpty(e, last, 0);

    if (t >= 5760) AddBaseY(e, 16, 19, t % 180 < 90 ? -1.0f : 1.0f);
    if (t >= 7000) e.y += e.vy;

    if (In(t, 180, 919)) {
        if (t % 6 == 0) Fire(slot, 60, 0, 0, 0, 5);
        if (t % 4 == 0) Fire(slot, 61, 0, 0, 0, 3);
    }
    static const int32_t kStreamWindows[4][2] = {{1100, 1799}, {2020, 2719}, {2950, 3639}, {4565, 5264}};
    if (InWindow(t, kStreamWindows, 4)) {
        float vx, vy;
        if (t % 5 == 0) {
            const float oy = e.polys[16].offsetY - 10;
            MidBossWobble(t % 360, 30, vx, vy);
            Fire(slot, 58, 0, oy, vx, vy);
            MidBossWobble((t + 180) % 360, 30, vx, vy);
            Fire(slot, 59, 0, oy, vx, vy);
        }
        if (t % 24 == 0) Fire(slot, 60, 0, 0, 0, 5);
        if (t % 20 == 0) {
            Fire(slot, 61, 0, 0, 0, 3);
            MidBossWobble(t % 360, 15, vx, vy);
            Fire(slot, 62, 0, -8, vx, vy);
        }
    }
    if ((In(t, 3820, 4564) || In(t, 5345, 6999)) && t % 7 == 0) Fire(slot, 63, 0, 0, 0, 3);
    if (t >= 5760 && t % 20 <= 4) Fire(slot, 64, 0, 0, 0, 4);
    ++e.age;
}

namespace {

// One of the end boss's four moves: 20 frames from start, with the orbits turning by v meanwhile.
struct Reposition {
    int32_t start;
    int32_t v;
    float dx, dy;
};
const Reposition kRepositions[4] = {
    {180, -1, -1.5f, 0.8f},
    {1840, 1, 1.5f, -0.8f},
    {3180, 1, 1.5f, 0.8f},
    {4840, -1, -1.5f, -0.8f},
};

void SetRepositionTurn(Enemy& e, int32_t v) {
    SetOrbitStep(e, 0, kEmptyPoly - 1, v);
    SetOrbitStep(e, kEmptyPoly + 1, 66, v);
    SetSpin(e, 0, 40, v);
}

}  // namespace

// Behaviour 52: four phases between four repositioning moves; the last phase repeats.
void BossLevel3(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    if (t == 0) {
        SetSpin(e, 47, 54, 3);
        SetSpin(e, 59, 66, 3);
        SetSpin(e, 41, 46, -3);
        SetSpin(e, 55, 58, -3);
    }
    if (t < 144) e.y += e.vy;

    for (const Reposition& r : kRepositions) {
        if (t == r.start) SetRepositionTurn(e, r.v);
        if (t >= r.start && t < r.start + 20) {
            e.x += r.dx;
            e.y += r.dy;
        }
        if (t == r.start + 20) SetRepositionTurn(e, 0);
    }

    // Phases 1 and 3: the arms pump and fire.
    const int32_t m = t % 120;
    if (In(t, 240, 1680) || In(t, 3240, 4680)) AddBaseY(e, 57, 58, m < 60 ? -3.0f : 3.0f);
    if (m >= 60 && (In(t, 240, 1740) || In(t, 3240, 4740))) {
        e.polys[59].baseY -= 3;
        e.polys[61].baseY -= 3;
    }
    if (m < 60 && (In(t, 300, 1740) || In(t, 3300, 4740))) {
        e.polys[59].baseY += 3;
        e.polys[61].baseY += 3;
    }
    if (m < 30 && t % 6 < 2 && (In(t, 240, 1679) || In(t, 3240, 4679))) Fire(slot, 77, 0, -15, 0, 3.4f);
    if (m >= 60 && m < 90 && t % 6 < 2 && (In(t, 300, 1739) || In(t, 3300, 4739)))
        Fire(slot, 78, 0, -15, 0, 3.4f);
    if (In(t, 240, 1739) || In(t, 3240, 4739)) {
        if (m < 4) Fire(slot, 79, 0, -25, 0, 2.6f);
        if (m >= 60 && m < 64) Fire(slot, 80, 0, -25, 0, 2.6f);
    }

    // Phase 2.
    if (In(t, 1920, 3120) && t % 2 == 0) {
        const int32_t n = t % 240;
        auto pair = [slot](int32_t a, int32_t b) {
            Fire(slot, a, 0, -25, 0, 2.6f);
            Fire(slot, b, 0, -25, 0, 2.6f);
        };
        if (t <= 3119) {
            if (In(n, 0, 4)) pair(85, 86);
            if (In(n, 10, 14)) pair(87, 88);
            if (In(n, 20, 24)) pair(89, 90);
            if (n == 100) pair(83, 84);
        }
        if (In(n, 80, 82) || In(n, 90, 92)) pair(81, 82);
    }

    // Phase 4.
    if (In(t, 4880, 4889)) AddBaseY(e, 44, 49, -3);
    if (t >= 4920) {
        const int32_t s = t % 240 < 120 ? 1 : -1;
        SetOrbitStep(e, 44, 46, -s);
        SetOrbitStep(e, 47, 49, s);
    }
    if (t >= 4950) {
        const float d = t % 60 < 30 ? 3.0f : -3.0f;
        AddBaseY(e, 53, kEmptyPoly - 1, d);
        AddBaseY(e, kEmptyPoly + 1, 63, d);
        const int32_t n = t % 240;
        if (n == 180 || n == 181) Fire(slot, 91, 0, -25, 0, 2.8f);
        if (n == 186 || n == 187) Fire(slot, 92, 0, -25, 0, 2.8f);
        if (In(n, 75, 105) && t % 15 == 0) {
            Fire(slot, 93, 0, -25, 0, 2.4f);
            Fire(slot, 94, 0, -25, 0, 2.4f);
        }
    }
    ++e.age;
}
