#include "game/pickups.h"

#include "game/particles.h"

// The pickup pool arrives with the energy economy; the glows already live.
void ClearPickups() {}
void UpdatePickups() { UpdateGlows(); }
void CollectPickups() {}
