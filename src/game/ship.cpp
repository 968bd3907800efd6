#include "game/ship.h"

#include <cstring>

Enemy PlayerShip;
int32_t RespawnPending;
int32_t Invulnerable;
int32_t RespawnTimer;
int32_t TrackedShard = -1;
int32_t VerticalMove;
int32_t ShieldTimer;
int32_t ShieldHits;

void ResetShip() {
    std::memset(&PlayerShip, 0, sizeof PlayerShip);
    RespawnPending = Invulnerable = RespawnTimer = VerticalMove = ShieldTimer = ShieldHits = 0;
    TrackedShard = -1;
}
