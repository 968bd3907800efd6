#pragma once
// The player ship: an entity record of its own, with its life cycle and shield state.
#include <cstdint>

#include "world/world.h"
#include "enemies/polygons.h"

#define ShipAlive W.PlayerShip.active

constexpr float kShipMinX = 133, kShipMaxX = 506, kShipMinY = 6, kShipMaxY = 506;

// Defines the ship model and puts the ship at (320, 480).
void BuildShipModel();
