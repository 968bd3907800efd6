#include "game/player_shots.h"

// The shot pool arrives with the weapons; until then no shot is ever in flight.
void ClearPlayerShots() {}
void CollidePlayerShots() {}
void MovePlayerShots() {}
void DrawPlayerShots() {}
