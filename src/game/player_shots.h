#pragma once
// The ship's shots: a pool of 1000, moved, tested against every enemy Poly and drawn.
#include <cstdint>

#include "world/world.h"

constexpr int kReflectedShot = -1;  // the kind the shield asks for; the shot becomes kind 15
constexpr int kReflectedKind = 15;

// Enemies destroyed since start-up; an enemy hit again after its destruction is not counted twice.

// vx, vy matter only for a reflected shot. The new slot, or -1 when the pool is full or the kind unknown.
int SpawnPlayerShot(int kind, float x, float y, float vx, float vy);
void ClearPlayerShots();
void CollidePlayerShots();
void MovePlayerShots();
// A reflected shot leaves a glow behind it each frame of play.
void TrailReflectedShots();
// One Poly of an enemy touched by a shot.
void EnemyHit(int shot, int enemy);

int CountPlayerShots();
