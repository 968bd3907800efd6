#pragma once
// The player ship: an entity record of its own, with its life cycle and shield state.
#include <cstdint>

#include "enemies/enemy.h"

extern Enemy PlayerShip;  // x, y, active (the ship is alive) and three Polys
#define ShipAlive PlayerShip.active
extern int32_t RespawnPending;  // the ship's last shard has faded; until the end of the grace period
extern int32_t Invulnerable;    // during the grace period
extern int32_t RespawnTimer;    // 0..168
extern int32_t TrackedShard;    // last debris shard of the ship's explosion, -1 = none
extern int32_t VerticalMove;    // 0 none, 1 up, 2 down this frame (lights the thrusters)
extern int32_t ShieldTimer;     // frames of shield left; 0 = down
extern int32_t ShieldHits;

constexpr float kShipMinX = 133, kShipMaxX = 506, kShipMinY = 6, kShipMaxY = 506;

void ResetShip();
