#pragma once
// The player ship: an entity record of its own, with its life cycle and shield state.
#include <cstdint>

#include "enemies/enemy.h"
#include "enemies/polygons.h"

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

// The ship's model, built once at start-up: two wing triangles and the core diamond.
extern Poly ShipPolys[3];
extern ColourRecord ShipFillColours[kColourRecords];
extern ColourRecord ShipLineColours[kColourRecords];
extern float ShipRadius;  // the core's collision circle, the ship's hit radius everywhere
// The wings are drawn from these fixed triangles rather than the unit triangle.
extern PointF WingShape[2][3];
// Thruster flames: unscaled corners (the 24 is the flame length, replaced when drawn) and anchors.
extern PointF ThrusterShape[2][4];
extern PointF ThrusterAnchor[2];

// Defines the ship model and puts the ship at (320, 480).
void BuildShipModel();
void ResetShip();
