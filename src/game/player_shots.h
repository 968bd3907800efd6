#pragma once
// The ship's shots: a pool of 1000, moved, tested against every enemy Poly and drawn.
#include <cstdint>

struct PlayerShot {
    int32_t active;
    int32_t kind;      // 0..14 the guns, 15 a reflected bullet
    int32_t outlined;  // always 1
    float x, y;        // the shape's origin
    float vx, vy;
    int32_t reflected;
};

constexpr int kPlayerShotPool = 1000;
constexpr int kReflectedShot = -1;  // the kind the shield asks for; the shot becomes kind 15

extern PlayerShot PlayerShots[kPlayerShotPool];
extern int32_t ShotCursor;  // slot of the last search
// Enemies destroyed since start-up; an enemy hit again after its destruction is not counted twice.
extern int32_t EnemiesKilled;

// vx, vy matter only for a reflected shot. The new slot, or -1 when the pool is full or the kind unknown.
int SpawnPlayerShot(int kind, float x, float y, float vx, float vy);
void ClearPlayerShots();
void CollidePlayerShots();
void MovePlayerShots();
// A reflected shot leaves a glow behind it each frame of play.
void TrailReflectedShots();
void DrawPlayerShots();
// One Poly of an enemy touched by a shot.
void EnemyHit(int shot, int enemy);

int CountPlayerShots();
void ResetPlayerShots();
