#pragma once
// The player ship: an entity record of its own, with its life cycle and shield state.
#include <cstdint>

#include "world/world.h"
#include "enemies/polygons.h"

#define ShipAlive W.PlayerShip.active

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
