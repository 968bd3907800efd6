#include "game/ship.h"

#include <cstring>

Enemy PlayerShip;
int32_t ShieldTimer;
int32_t ShieldHits;

void ResetShip() {
    std::memset(&PlayerShip, 0, sizeof PlayerShip);
    ShieldTimer = ShieldHits = 0;
}
