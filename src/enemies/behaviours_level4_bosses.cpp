// Level 4: the mid-boss (behaviour 62) and the end boss (behaviour 93).
#include "enemies/behaviour_ops.h"
#include "enemies/enemy_pool.h"
#include "world/world.h"

using namespace behave;

// Behaviour 62: rings and fans from the core, then two breathing rings and a 288-bullet burst.
void MidBossLevel4(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    if (t < 131 || t >= 7100) Move(e);
    if (t >= 180 && t < 1980 && t % 8 == 0) {
        const int32_t m = t % 360;
        if (m <= 140) {
            Fire(slot, 110, 0, -50, 0, 3);
            Fire(slot, 111, 0, -45, 0, 3);
        }
        if (In(m, 180, 320)) {
            Fire(slot, 112, 0, -50, 0, 3);
            Fire(slot, 113, 0, -45, 0, 3);
        }
    }
    if (t >= 2000 && t < 4000 && t % 200 >= 60 && t % 25 % 5 == 0)
        Fire(slot, 114 + t % 25 / 5, 0, -50, 0, 3);
    const bool early = t % 120 < 60;
    if (t >= 4140) AddBaseY(e, 37, 44, early ? 1.0f : -1.0f);
    if (t >= 4200) {
        AddBaseY(e, 45, 59, early ? -1.0f : 1.0f);
        AddBaseY(e, 61, 61, early ? -1.0f : 1.0f);  // Poly 60 is a hole
    }
    if (t >= 4140 && t < 7000) {
        const int32_t m = t % 240;
        if (m == 120) Fire(slot, 119, 0, 0, 0, 3.2f);
        if ((m <= 30 || m >= 210) && t % 4 == 0) Fire(slot, 120, -50, 0, 0, 3.2f);
    }
    ++e.age;
}

namespace {

// The end boss's four orbiting groups.
struct Group {
    int first, last;
};
constexpr Group kCore = {0, 5};
constexpr Group kRing = {6, 27};
constexpr Group kOuter = {28, 39};  // the two outer groups, 28..34 and 35..39, always turn together here

void SetGroupSpins(Enemy& e, Group g, int32_t s) { SetSpins(e, g.first, g.last, s); }

}  // namespace

// Behaviour 93: the groups turn, stop and restart; the outer parts pulse; three phases of fire.
void BossLevel4(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    if (t < 144) e.y += e.vy;

    if (t == 0 || t == 2916) {
        SetGroupSpins(e, kCore, -1);
        SetGroupSpins(e, kRing, 1);
        SetGroupSpins(e, kOuter, -1);
    }
    if (t == 144 || t == 2808) SetGroupSpins(e, kRing, 0);
    if (t == 216 || t == 2880) SetGroupSpins(e, kCore, 0);
    if (t == 288 || t == 2736) SetGroupSpins(e, kOuter, 0);
    if (t == 400) SetSpins(e, 0, 39, 1);

    if (t >= 400 && t < 2600 && t % 2 == 0 && t % 20 < 7 && t % 60 < 40) Fire(slot, 149, 0, -130, 0, 3);

    if (t >= 2916) {
        const bool out = t % 40 < 20;
        const float d = out ? -1.6f : 1.6f;
        AddBaseY(e, 28, 32, d);
        AddBaseY(e, 35, 39, d);
        for (int i = 33; i <= 34; ++i) {
            e.polys[i].scaleX += out ? 1 : -1;
            e.polys[i].scaleY += out ? 1 : -1;
        }
    }
    if (t >= 2936 && t < 6000) {
        const int32_t m = (t + 4) % 80;
        if (t % 2 == 0 && In(m, 14, 25)) Fire(slot, 150, 0, -150, 0, 3);
        if (m == 60) {
            Fire(slot, 151, 0, -150, 0, 3);
            Fire(slot, 151, 0, -155, 0, 3.2f);
        }
    }
    if (t >= 6080) {
        const int32_t m = t % 80;
        if (t % 2 == 0 && m <= 20) Fire(slot, 152, 0, -30, 0, 3);
        if (m == 0) {
            Fire(slot, 153, 0, -158, 0, 3.1f);
            Fire(slot, 153, 0, -150, 0, 3);
        }
    }
    ++e.age;
}
