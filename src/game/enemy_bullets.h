#pragma once
// Enemy bullets: one fixed pool that every fire pattern spawns into, moved, drawn and culled here.
#include <cstdint>

#include "shell/trig.h"
#include "world/world.h"



// Takes the next free record after BulletCursor; the offset and speed are turned by the angle.
// Returns the record's index, or kNoBullet when all 2000 are in flight.
int SpawnEnemyBullet(int32_t kind, int32_t outline, float radius, float offsetX, float offsetY, int32_t angle,
                     float vx, float vy, float enemyX, float enemyY);

void MoveEnemyBullets();
// The cull comes first; a bullet culled here still meets the ship in the same pass.
void CollideEnemyBullets();
constexpr float kShieldRadius = 20.0f;  // tested before the ship, and larger than any bullet
// Clears the bullet when it has left the playfield; returns 1 when it did.
int32_t CullEnemyBullet(EnemyBullet& bullet);

int CountEnemyBullets();
void ResetEnemyBullets();
