#pragma once
// The outlines of the player's shots: four corners per shot kind, offsets from the shot's x, y.
#include "enemies/polygons.h"

// Each angled kind's bar is turned once, at start-up, to lie along its flight.
void BuildShotShapes();
