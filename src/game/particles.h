#pragma once
// Short-lived decorations: debris shards from explosions, hit sparks from shot impacts, and glow dots.
#include <cstdint>

struct Shard {  // the layout of sparks too
    int32_t active;
    int32_t colourKind;
    int32_t life;
    int32_t fadeStep;
    float x, y;
    float size;
    float vx, vy;
    int32_t angle;
    int32_t spin;
};
using Spark = Shard;

struct Glow {
    int32_t life;  // 0 = free
    int32_t kind;  // 0 energy sparkle, 1 weapon sparkle, 2 firework, 3 and 4 muzzle flash, 5 shot trail
    float x, y;
    float vx, vy;
    float gravity;
};

constexpr int kShardPool = 1000, kSparkPool = 3000, kGlowPool = 512;
constexpr int kShipExplosion = 30;  // Explode's type for the player ship

extern Shard Shards[kShardPool];
extern Spark Sparks[kSparkPool];
extern Glow Glows[kGlowPool];
extern int32_t ShardCursor, SparkCursor, GlowCursor;
extern float LastShipX, LastShipY;  // where the ship was when the glows last moved: they drift with it

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
void DrawShards();
void DrawSparks();
void DrawGlows();

void ClearShardsAndSparks();  // a new game; glows are left to fade
void ClearGlows();            // start-up
void ResetParticles();
