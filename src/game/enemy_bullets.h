#pragma once
// Enemy bullets: one fixed pool that every fire pattern spawns into, moved, drawn and culled here.
#include <cstdint>

#include "shell/trig.h"

constexpr int kEnemyBulletCount = 2000;
constexpr int kNoBullet = -1;  // SpawnEnemyBullet's answer when the pool is full
constexpr int kBulletKindCount = 11;

struct EnemyBullet {
    int32_t active;
    int32_t kind;     // 0..10: shape and colours
    int32_t outline;  // 0 only for the large bullets
    float radius;     // contact radius against the ship
    int32_t angle;    // 0..359; the drawn shape is turned by it
    float x, y;
    float vx, vy;  // subtracted from the position every frame
};

extern EnemyBullet EnemyBullets[kEnemyBulletCount];
extern int32_t BulletCursor;  // the record taken last; -1 before the first

// Takes the next free record after BulletCursor; the offset and speed are turned by the angle.
// Returns the record's index, or kNoBullet when all 2000 are in flight.
int SpawnEnemyBullet(int32_t kind, int32_t outline, float radius, float offsetX, float offsetY, int32_t angle,
                     float vx, float vy, float enemyX, float enemyY);

void DrawEnemyBullets();
void MoveEnemyBullets();
// The cull comes first; a bullet culled here still meets the ship in the same pass.
void CollideEnemyBullets();
constexpr float kShieldRadius = 20.0f;  // tested before the ship, and larger than any bullet
// Clears the bullet when it has left the playfield; returns 1 when it did.
int32_t CullEnemyBullet(EnemyBullet& bullet);

int CountEnemyBullets();
void ResetEnemyBullets();
