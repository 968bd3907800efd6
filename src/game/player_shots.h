#pragma once
// The ship's shots: a pool of 1000, moved, tested against every enemy Poly and drawn.

void ClearPlayerShots();
void CollidePlayerShots();
void MovePlayerShots();
void DrawPlayerShots();
