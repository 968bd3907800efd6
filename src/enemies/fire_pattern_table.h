#pragma once
// The fire patterns that share a shape, as rows of data; fire_patterns.cpp reads them and holds the
// few irregular patterns as code.
#include <cstdint>

#include "world/world.h"

namespace fire {

enum class Size : int8_t { R2, R115 };  // radius 2 / tan 45 (2.0) or 2 / tan 60 (1.1547)

// The direction a ring turns with: none, or one Poly's angle, angle + spin, or orbitAngle.
enum class Aim : int8_t { Fixed, Angle, AngleSpin, Orbit };

// Where the bullets leave from: the enemy, the Poly's position, or the enemy and then moved onto the
// Poly once the bullet exists (the move is skipped when the pool was full).
enum class From : int8_t { Enemy, Poly, MovedToPoly };

// `count` bullets at aim + first + step * k (k = 0..count-1). The kind of bullet k is kinds[k mod
// length]: '0'..'9', 'a' for 10, '-' for no bullet at that step. A twin sends a second bullet of the
// same kind at + twin degrees right after each one.
struct RingRow {
    int16_t pattern;
    Size size;
    Aim aim;
    int8_t poly;
    From from;
    int16_t first, step, count, twin;
    char kinds[21];
};

// One bullet per Poly first..last at its orbitAngle, launched from the enemy or from launchPoly's
// position (-1: the enemy). toPolyCount stops the range at polyCount - 1. The kind for Poly p is
// kinds[(p - first) mod length], '-' for none.
struct SatelliteRow {
    int16_t pattern;
    Size size;
    int8_t first, last;
    bool toPolyCount;
    int8_t launchPoly;
    char kinds[21];
};

extern const RingRow kRingRows[];
extern const int kRingRowCount;
extern const SatelliteRow kSatelliteRows[];
extern const int kSatelliteRowCount;

}  // namespace fire
