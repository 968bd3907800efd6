#pragma once
// The records the pools hold: enemies (and the ship), bullets, shots, pickups and particles.
#include <array>
#include <cstdint>

// The record shared by every enemy and the player ship: a header and up to 80 regular polygons.
constexpr int kMaxPolys = 80;

struct Poly {
    int32_t shape;        // index into Content.UnitPolygons: sides - 3
    int32_t colourGroup;  // group of 10 records in the model's colour tables
    int32_t sides;        // 3..10
    int32_t visible;
    int32_t flashOnHit;
    int32_t outline;
    float offsetX, offsetY;  // current centre relative to the entity; what drawing and collision use
    float baseX, baseY;      // unrotated placement that orbiting turns about the pivot
    float scaleX, scaleY;
    float radius;  // circumradius: the collision circle
    int32_t angle;
    int32_t spin;
    int32_t orbit;
    int32_t orbitAngle;
    int32_t orbitStep;
    float pivotX, pivotY;
};

constexpr int kEnemyPoolSize = 100;

struct Enemy {
    int32_t modelType;
    int32_t age;
    int32_t behaviour;
    int32_t active;
    int32_t hitPoints;
    int32_t DropDone;
    int32_t DropKind;  // 0 energy, 1 weapon, anything else nothing
    int32_t hitFlash;
    int32_t polyCount;
    float x, y;
    float baseX, baseY;
    float vx, vy;
    int32_t orbitAngle;
    int32_t orbitStep;
    float pivotX, pivotY;
    std::array<Poly, kMaxPolys> polys;
};

// Enemy bullets: one fixed pool that every fire pattern spawns into.
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

// Short-lived decorations: debris shards from explosions, hit sparks from shot impacts, and glow dots.
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

// The ship's shots.
struct PlayerShot {
    int32_t active;
    int32_t kind;      // 0..14 the guns, 15 a reflected bullet
    int32_t outlined;  // always 1
    float x, y;        // the shape's origin
    float vx, vy;
    int32_t reflected;
};

constexpr int kPlayerShotPool = 1000;

// Energy and weapon pickups.
constexpr int32_t EnergyPickup = 0, WeaponPickup = 1;
constexpr int kPickupPool = 100;

struct Pickup {
    int32_t active;
    int32_t kind;        // EnergyPickup or WeaponPickup
    int32_t brightness;  // pulse, from the phase
    int32_t phase;       // degrees
    int32_t homing;      // pulled toward the ship; once set, for good
    float speed;         // homing speed
    float size;          // contact radius
    float x, y;
    float vx, vy;
};
