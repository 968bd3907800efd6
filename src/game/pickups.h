#pragma once
// Energy and weapon pickups: dropped by enemies, drifting, homing in and collected.

void ClearPickups();
// Moves and draws the pickups, then the glow particles.
void UpdatePickups();
void CollectPickups();
