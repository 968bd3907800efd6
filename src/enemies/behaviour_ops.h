#pragma once
// The moves every behaviour script is made of. t is always the enemy's age.
#include <cstdint>

#include "world/world.h"

namespace behave {

inline bool In(int32_t t, int32_t lo, int32_t hi) { return t >= lo && t <= hi; }

// x += vx, y += vy.
inline void Move(Enemy& e) {
    e.x += e.vx;
    e.y += e.vy;
}
// Rotates the velocity by r degrees, then moves.
void Turn(Enemy& e, int32_t r);

// Both spin and orbitStep of Polys first..last.
void SetSpins(Enemy& e, int first, int last, int32_t s);
void AddSpins(Enemy& e, int first, int last, int32_t d);
void SetSpin(Enemy& e, int first, int last, int32_t s);
void SetOrbitStep(Enemy& e, int first, int last, int32_t s);
void AddBaseY(Enemy& e, int first, int last, float d);
// Moves base and pivot together, so the Poly's orbit slides instead of widening.
void ShiftOrbit(Enemy& e, int first, int last, float dx, float dy);
void SetVisible(Enemy& e, int first, int last, int32_t visible);

// Speeds a boss's wobbling streams with: 3 cos b, 3 sin b for whole degrees b cut from a table value.
int32_t WobbleDegrees(float amplitude, float tableValue, float centre);

// FireEnemyPattern for a slot, seen by BehaviourFireWatcher first.
void Fire(int32_t slot, int32_t pattern, float offsetX, float offsetY, float vx, float vy);

// One frame of an orbiting ring member: scroll base and pivot down, breathe baseX (0 fixed, -1 or +1:
// the sign of the first 20 frames of every 40), then place the enemy on its orbit.
void RingStep(Enemy& e, float scroll, int32_t breathe);

}  // namespace behave

// The scripts, by level; each runs one Playing frame of the enemy in the slot.
void MidBossLevel1(int32_t slot);     // 0
void StraightBurster(int32_t slot);   // 2, 3
void CurlingCraft(int32_t slot);      // 4, 5
void RapidFireCraft(int32_t slot);    // 6
void SCurveCraft(int32_t slot);       // 7, 8
void ConvergingCraft(int32_t slot);   // 9
void BobbingCraft(int32_t slot);      // 10
void BossLevel1(int32_t slot);        // 11
void WeavingCraft(int32_t slot);      // 12, 13
void WeavingCraftLong(int32_t slot);  // 14, 15
void MidBossLevel2(int32_t slot);     // 16
void BreathingCraft(int32_t slot);    // 17
void SpinCycleCraft(int32_t slot);    // 18
void BossLevel2(int32_t slot);        // 19

void FormationCraft(int32_t slot);    // 20..23
void DiagonalPass(int32_t slot);      // 24..31
void TurningStream(int32_t slot);     // 32..37
void Ring(int32_t slot);              // 38, 39, 91, 92
void MidBossLevel3(int32_t slot);     // 40
void BottomPair(int32_t slot);        // 41..47
void TurningPair(int32_t slot);       // 48..51
void BossLevel3(int32_t slot);        // 52

void TopEdgeCraft(int32_t slot);      // 53, 54
void HeavyCraft(int32_t slot);        // 55
void SwayingStream(int32_t slot);     // 56, 57
void SideEntryCraft(int32_t slot);    // 58..61
void MidBossLevel4(int32_t slot);     // 62
void QueueMember(int32_t slot);       // 63..76
void ColumnMember(int32_t slot);      // 77..90
void BossLevel4(int32_t slot);        // 93
