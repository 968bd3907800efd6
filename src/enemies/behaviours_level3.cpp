// Level 3 craft: the formation, the diagonal passes, the streams, the rings, the bottom pairs.
#include "enemies/behaviour_ops.h"
#include "enemies/behaviour_tables.h"
#include "enemies/enemy_pool.h"
#include "world/world.h"

using namespace behave;

// Behaviours 20..23: two leave downward at t = 90, two hover until 210 and slide off sideways.
void FormationCraft(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    const bool down = e.behaviour == 20 || e.behaviour == 22;
    const int32_t s = e.behaviour <= 21 ? -3 : 3;
    if (t < 80) e.y += e.vy;
    const int32_t leaveAt = down ? 90 : 210;
    if (t == leaveAt) {
        SetSpins(e, 0, 3, s);
        if (down) e.vy = 2.4f;
        else e.vx = e.behaviour == 21 ? -1.8f : 1.8f;
    }
    if (t >= leaveAt) {
        if (down) Move(e);
        else e.x += e.vx;
        if (t % 15 < 4) Fire(slot, down ? 42 : 43, 0, -32, 0, 3.4f);
    }
    ++e.age;
}

// Behaviours 24..31: dash, halt, dash, a short burst while stopped, then drop away.
void DiagonalPass(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const DiagonalPassRow& row = DiagonalPassTable[e.behaviour - 24];
    const int32_t t = e.age;
    if (In(t, 0, 16) || In(t, row.secondMoveFrom, row.secondMoveTo)) Move(e);
    if (t == row.dropAt) e.vy = row.dropSpeed;
    if (t >= row.dropAt) e.y += e.vy;
    if (!row.burstAfterAdvance && (t == row.burstAt[0] || t == row.burstAt[1]))
        Fire(slot, row.pattern, 0, -22, 0, 3.4f);
    const int32_t next = ++e.age;
    if (row.burstAfterAdvance && (next == row.burstAt[0] || next == row.burstAt[1]))
        Fire(slot, row.pattern, 0, -22, 0, 3.4f);
}

// Behaviours 32..37: curve one way, then the other, then run straight.
void TurningStream(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const TurningStreamRow& row = TurningStreamTable[e.behaviour - 32];
    const int32_t t = e.age;
    if (t == 0) {
        e.polys[0].spin = row.coreSpin;
        e.polys[0].orbitStep = row.coreTurn;
        SetSpins(e, 1, 6, row.coreSpin);
    }
    if (t == row.turnChangeAt) e.polys[0].orbitStep = row.turnAfter;
    if (t < row.turnUntil) Turn(e, e.polys[0].orbitStep);
    else Move(e);
    if (In(t, row.firstFrom, row.firstTo) && t % row.firstEvery == 0)
        Fire(slot, row.firstPattern, 0, -22, 0, row.firstSpeed);
    if (row.secondPattern >= 0 && In(t, row.secondFrom, row.secondTo) && t % 5 == 0)
        Fire(slot, row.secondPattern, 0, -22, 0, 3);
    ++e.age;
}

// Behaviours 38, 39 (level 3) and 91, 92 (level 4): a ring turning about a pivot that scrolls down.
void Ring(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t t = e.age;
    switch (e.behaviour) {
        case 38:
            RingStep(e, 2, 0);
            if (t >= 80 && t % 80 <= 16 && t % 4 == 0) Fire(slot, 56, 0, -30, 0, 4);
            break;
        case 39:
            RingStep(e, 2, -1);
            if (t >= 60 && t % 60 <= 8 && t % 4 == 0) Fire(slot, 57, 0, -20, 0, 4);
            break;
        case 91:
            RingStep(e, 1.4f, -1);
            if (t >= 80 && t % 120 == 20) {
                Fire(slot, 147, 0, -2, 0, 3.2f);
                Fire(slot, 147, 0, -12, 0, 3.4f);
            }
            break;
        default:  // 92
            RingStep(e, 1.4f, 1);
            if (t >= 80 && t % 120 == 80) Fire(slot, 148, 0, -2, 0, 3.2f);
            break;
    }
    ++e.age;
}

// Behaviours 41..47: rise from the bottom edge, slide, fall back.
void BottomPair(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const BottomPairRow& row = BottomPairTable[e.behaviour - 41];
    const int32_t t = e.age;
    if (t < 94) e.y -= 5;
    if (In(t, 94, row.slideTo)) e.x += e.vx;
    if (t > row.slideTo) e.y += 5;
    if (t % 4 == 0 && In(t, row.streamFrom, row.streamTo)) Fire(slot, row.streamPattern, 0, -22, 0, 2.5f);
    if (t == 122) Fire(slot, 72, 0, -22, 0, 3);
    ++e.age;
}

// Behaviours 48..51: come down, then curve away.
void TurningPair(int32_t slot) {
    Enemy& e = W.EnemyPool[slot];
    const int32_t b = e.behaviour;
    const int32_t t = e.age;
    if (t < 60) e.y += 4;
    if (t == 60) e.polys[0].orbitStep = b == 48 || b == 50 ? -2 : 2;
    if (t == 220) e.polys[0].orbitStep = 0;
    if (t >= 60) Turn(e, e.polys[0].orbitStep);
    const bool first = b <= 49;
    if (t == 21) Fire(slot, first ? 73 : 74, 0, -22, 0, 4.5f);
    if (t == (first ? 221 : 81)) Fire(slot, first ? 76 : 75, 0, -22, 0, 2.6f);
    ++e.age;
}
