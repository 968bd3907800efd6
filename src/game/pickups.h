#pragma once
// Energy and weapon pickups: dropped by enemies, drifting, homing in and collected.
#include <cstdint>

#include "world/world.h"



// Kinds other than energy and weapon make nothing. The new slot, or -1.
int SpawnPickup(float x, float y, int kind);
void ClearPickups();
// Moves and draws the pickups, then the glow particles.
// The pickups move (while playing), their halos wobble and the glows move on.
void UpdatePickups();
void AdvancePickupWobble();
void CollectPickups();

int CountPickups();
