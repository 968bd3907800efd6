#pragma once
// Per-member timings of the behaviour families that share one script.
#include <cstdint>

#include "world/world.h"

// Level 3 diagonal passes, behaviours 24..31.
struct DiagonalPassRow {
    int32_t secondMoveFrom, secondMoveTo;  // the first stretch is always 0..16
    int32_t dropAt;                        // from here y += vy only
    float dropSpeed;
    int32_t burstAt[2];
    int32_t pattern;
    int32_t burstAfterAdvance;  // 1: the burst ages are tested once t has moved on
};
extern const DiagonalPassRow DiagonalPassTable[8];

// Level 3 turning streams, behaviours 32..37.
struct TurningStreamRow {
    int32_t coreSpin, coreTurn;  // Poly 0 at t = 0; Polys 1..6 get the spin as both fields
    int32_t turnChangeAt, turnAfter;
    int32_t turnUntil;  // turns while t is below this
    int32_t firstPattern, firstFrom, firstTo, firstEvery;
    float firstSpeed;
    int32_t secondPattern;  // -1: none
    int32_t secondFrom, secondTo;
};
extern const TurningStreamRow TurningStreamTable[6];

// Level 3 bottom pairs, behaviours 41..47.
struct BottomPairRow {
    int32_t slideTo;  // x += vx for 94..slideTo, then y += 5
    int32_t streamFrom, streamTo;
    int32_t streamPattern;
};
extern const BottomPairRow BottomPairTable[7];

// Level 4 side-entry craft, behaviours 58..61.
struct SideEntryRow {
    int32_t spin;  // Poly 0 spin, and the spins of Polys 1..7; Poly 0 turns by its sign
    int32_t burstPattern, volleyPattern;
};
extern const SideEntryRow SideEntryTable[4];

// Level 4 queue, behaviours 63..76.
struct QueueRow {
    int32_t resumeAt;  // scrolls while t <= 200 and again from here
    int32_t swingFrom, swingTo;
    int32_t outFrom;  // baseX += 2 for 25 frames from this t mod 400
    int32_t backFrom;  // baseX -= 2 for 25 frames from this t mod 400
    int32_t fireResidue;
    int32_t fireFrom, fireTo;
    int32_t pattern;
};
extern const QueueRow QueueTable[14];

// Level 4 side columns, behaviours 77..90.
struct ColumnRow {
    int32_t earlySlideFrom, earlySlideTo;  // the first slide inward
    int32_t firstAt, firstPattern;
    int32_t secondAt, secondOuter, secondMiddle;
};
extern const ColumnRow ColumnTable[14];
