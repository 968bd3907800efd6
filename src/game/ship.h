#pragma once
// The player ship: an entity record of its own, with its life cycle and shield state.
#include <cstdint>

#include "enemies/enemy.h"

extern Enemy PlayerShip;     // x, y, active (= ShipAlive) and three Polys
extern int32_t ShieldTimer;  // frames of shield left; 0 = down
extern int32_t ShieldHits;

void ResetShip();
