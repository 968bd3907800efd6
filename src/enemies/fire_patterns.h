#pragma once
// The 154 numbered fire patterns: which bullets an enemy sends out, of which kind and size, and where.
#include <cstdint>

#include "world/world.h"

constexpr int kFirePatternCount = 154;

// The caller's offset and speed go to every bullet (a few patterns alter them per bullet).
// Numbers outside 0..153 fire nothing.
void FireEnemyPattern(const Enemy& enemy, int32_t pattern, float offsetX, float offsetY, float vx, float vy);
// The same for the enemy in a pool slot; a slot outside the pool fires nothing.
void FireEnemyPattern(int32_t slot, int32_t pattern, float offsetX, float offsetY, float vx, float vy);

// Bullet contact radii: k / tan(t), t in radians from pi = 3.14159, rounded to float. Written out
// exactly, so every build has the same bits.
constexpr float kRadiusSquare = 0x1.000016p+1f;  // 2 / tan 45
constexpr float kRadiusSlim = 0x1.279a9cp+0f;    // 2 / tan 60
constexpr float kRadiusLarge = 0x1.e0002ap+3f;   // 15 / tan 45
