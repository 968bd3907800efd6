#pragma once
// Every active enemy's own script, run each Playing frame, and its drawing.
#include <cstdint>

constexpr int kBehaviourCount = 94;  // 0 and 2..93; 1 has no script

// Runs the behaviours (only while Playing) and draws every active enemy (also while Paused).
void UpdateEnemies();
// One frame of the script of the enemy in a slot; nothing unless Playing.
void RunBehaviour(int32_t slot);

// Sees every pattern a behaviour fires, just before it is fired; null in play.
using FireWatcher = void (*)(int32_t slot, int32_t pattern, float offsetX, float offsetY, float vx, float vy);
extern FireWatcher BehaviourFireWatcher;
