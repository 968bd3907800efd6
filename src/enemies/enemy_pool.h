#pragma once
// The hundred enemy records: spawning from the model templates, drawing, and culling at the edges.
#include <cstdint>

#include "world/world.h"



void SpawnEnemy(int32_t modelType, int32_t behaviour, int32_t hitPoints, int32_t dropKind, int32_t x, int32_t y,
                float vx, float vy, int32_t polySpin, int32_t polyOrbitStep, int32_t polyAngleAdd,
                int32_t polyOrbitAngleAdd, int32_t orbitAngle, int32_t orbitStep, float pivotX, float pivotY,
                float baseX, float baseY);
void InitBehaviourState(int32_t slot, int32_t behaviour, int32_t x, int32_t y, int32_t polySpin,
                        int32_t polyOrbitStep, int32_t polyAngleAdd, int32_t polyOrbitAngleAdd);
void CullEnemies();
// A live enemy's frame after its behaviour: its parts move on and its hit flash moves on; it is drawn
// with the frame's picture.
void AnimateEnemy(int32_t slot);
void StepEnemyFlash(int32_t slot);

int CountActiveEnemies();
// Frees every record (a game start). The cursor is left where it is.
void ClearEnemyPool();
