// Level 4 craft: the top-edge craft, the heavy craft, the streams, the side-entry craft,
// the queue and the side columns.
#include "enemies/behaviour_ops.h"
#include "enemies/behaviour_tables.h"
#include "enemies/enemy_pool.h"
#include "enemies/polygons.h"
#include "world/world.h"

using namespace behave;

// Behaviours 53 and 54: creep down from the top edge firing in spells.
void TopEdgeCraft(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    const bool first = e.behaviour == 53;
    e.y += 1;
    if (t % 280 <= 100) {
        const int32_t m = t % 80;
        if (m == 0 || m == 10) Fire(slot, first ? 95 : 97, 0, -16, 0, 3.6f);
        if (m == 40 || m == 45) Fire(slot, first ? 96 : 98, 0, -16, 0, 3.6f);
    }
    ++e.age;
}

// Behaviour 55: advances in three steps, its three rings breathing against each other.
void HeavyCraft(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    if (t <= 144 || In(t, 360, 504) || t >= 720) e.y += 1;
    if (t == 0) {
        SetSpins(e, 0, 15, 3);
        SetSpins(e, 16, 23, 4);
    }
    const bool early = t % 36 < 18;
    AddBaseY(e, 0, 7, early ? -1.0f : 1.0f);
    if (t >= 18) AddBaseY(e, 8, 15, early ? 1.0f : -1.0f);
    AddBaseY(e, 16, 23, early ? 1.0f : -1.0f);
    if ((In(t, 216, 359) || In(t, 576, 719)) && t % 3 == 0) {
        const int32_t m = t % 72;
        if (m < 18) {
            Fire(slot, 99, 0, -34, 0, 3.2f);
            Fire(slot, 100, 0, -8, 0, 3.2f);
        }
        if ((In(t, 216, 288) || In(t, 576, 648)) && In(m, 39, 50)) Fire(slot, 101, 0, -8, 0, 3.2f);
    }
    ++e.age;
}

// Behaviours 56 and 57: sway left and right down the field.
void SwayingStream(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    const int32_t s = e.behaviour == 56 ? 1 : -1;
    if (t == 0) {
        e.polys[0].spin = 3 * s;
        e.polys[0].orbitStep = s;
        SetSpins(e, 1, 7, 3 * s);
    }
    if (t == 45 || t == 225) e.polys[0].orbitStep = -s;
    if (t == 135 || t == 315) e.polys[0].orbitStep = s;
    Turn(e, e.polys[0].orbitStep);
    if (In(t, 30, 32) || In(t, 45, 47)) Fire(slot, e.behaviour == 56 ? 102 : 103, 0, -24, 0, 4);
    ++e.age;
}

// Behaviours 58..61: enter low from a side edge and loop.
void SideEntryCraft(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const SideEntryRow& row = SideEntryTable[e.behaviour - 58];
    const int32_t t = e.age;
    const int32_t s = row.spin > 0 ? 1 : -1;
    if (t == 0) {
        e.polys[0].spin = row.spin;
        e.polys[0].orbitStep = s;
        SetSpins(e, 1, 7, row.spin);
    }
    if (t == 140 || t == 580) e.polys[0].orbitStep = -s;
    if (t == 460) e.polys[0].orbitStep = s;
    Turn(e, e.polys[0].orbitStep);
    if (In(t, 30, 32)) {
        Fire(slot, row.burstPattern, 0, -24, 0, 3.8f);
        Fire(slot, row.burstPattern, 0, -12, 0, 3.8f);
    }
    if (t == 460) {
        Fire(slot, row.volleyPattern, 0, -24, 0, 3);
        Fire(slot, row.volleyPattern, 0, -12, 0, 2.5f);
    }
    ++e.age;
}

// Behaviours 63..76: the queue turns about its pivot, each member swinging out and firing in turn.
void QueueMember(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const QueueRow& row = QueueTable[e.behaviour - 63];
    const int32_t t = e.age;
    if (t <= 200 || t >= row.resumeAt) {
        e.pivotY += 1;
        e.baseY += 1;
    }
    const int32_t m = t % 400;
    if (In(t, row.swingFrom, row.swingTo)) {
        if (In(m, row.outFrom, row.outFrom + 24)) e.baseX += 2;
        if (In(m, row.backFrom, row.backFrom + 24)) e.baseX -= 2;
    }
    OrbitPoint(e.x, e.y, e.baseX, e.baseY, e.orbitAngle, e.orbitStep, e.pivotX, e.pivotY);
    if (m == row.fireResidue && In(t, row.fireFrom, row.fireTo)) {
        Fire(slot, row.pattern, 0, -10, 0, 3.3f);
        Fire(slot, row.pattern, 0, 0, 0, 3.1f);
    }
    ++e.age;
}

namespace {

// A column volley: three calls, each a little further forward and faster.
void ColumnVolley(int32_t slot, int32_t outer, int32_t middle) {
    Fire(slot, outer, 0, 0, 0, 2.6f);
    Fire(slot, middle, 0, -5, 0, 2.8f);
    Fire(slot, outer, 0, -10, 0, 3.0f);
}

}  // namespace

// Behaviours 77..90: slide in from the side in two steps, fire two volleys, fall away.
void ColumnMember(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const ColumnRow& row = ColumnTable[e.behaviour - 77];
    const int32_t t = e.age;
    if (In(t, row.earlySlideFrom, row.earlySlideTo) || In(t, 200, 300)) e.x += e.vx;
    if (t == row.firstAt) ColumnVolley(slot, row.firstPattern, row.firstPattern);
    if (t == row.secondAt) ColumnVolley(slot, row.secondOuter, row.secondMiddle);
    if (t >= 870) e.y += 3;
    ++e.age;
}
