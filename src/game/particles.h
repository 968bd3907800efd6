#pragma once
// Short-lived decorations: debris shards from explosions, hit sparks from shot impacts, and glow dots.
#include <cstdint>

#include "world/world.h"

constexpr int kShipExplosion = 30;  // Explode's type for the player ship


void Explode(int type, float x, float y);
void SpawnShard(int kind, int life, int fadeStep, float x, float y, float size, float vx, float vy, int angle,
                int spin);
void SpawnSpark(int kind, int life, int fadeStep, float x, float y, float size, float vx, float vy, int angle,
                int spin);
void SpawnGlow(float x, float y, float vx, float vy, int kind);
void SpawnHitSparks(float x, float y, float shotVx, float shotVy);
void SpawnMuzzleGlows(float x, float y, int direction);
void SpawnEnergySparkle(float x, float y);
void SpawnWeaponSparkle(float x, float y);
void SpawnFireworkBurst(float x, float y);

void MoveShards();
void MoveSparks();
void MoveGlows();

void ClearShardsAndSparks();  // a new game; glows are left to fade
void ClearGlows();            // start-up
