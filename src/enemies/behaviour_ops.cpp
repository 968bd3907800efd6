#include "enemies/behaviour_ops.h"

#include "enemies/behaviours.h"
#include "enemies/fire_patterns.h"
#include "enemies/polygons.h"
#include "world/world.h"

namespace behave {

void Turn(Enemy& e, int32_t r) {
    RotateVector(r, e.vx, e.vy);
    Move(e);
}

void SetSpins(Enemy& e, int first, int last, int32_t s) {
    for (int i = first; i <= last; ++i) e.polys[i].spin = e.polys[i].orbitStep = s;
}

void AddSpins(Enemy& e, int first, int last, int32_t d) {
    for (int i = first; i <= last; ++i) {
        e.polys[i].spin += d;
        e.polys[i].orbitStep += d;
    }
}

void SetSpin(Enemy& e, int first, int last, int32_t s) {
    for (int i = first; i <= last; ++i) e.polys[i].spin = s;
}

void SetOrbitStep(Enemy& e, int first, int last, int32_t s) {
    for (int i = first; i <= last; ++i) e.polys[i].orbitStep = s;
}

void AddBaseY(Enemy& e, int first, int last, float d) {
    for (int i = first; i <= last; ++i) e.polys[i].baseY += d;
}

void ShiftOrbit(Enemy& e, int first, int last, float dx, float dy) {
    for (int i = first; i <= last; ++i) {
        Poly& p = e.polys[i];
        p.baseX += dx;
        p.baseY += dy;
        p.pivotX += dx;
        p.pivotY += dy;
    }
}

void SetVisible(Enemy& e, int first, int last, int32_t visible) {
    for (int i = first; i <= last; ++i) e.polys[i].visible = visible;
}

int32_t WobbleDegrees(float amplitude, float tableValue, float centre) {
    return static_cast<int32_t>(amplitude * tableValue + centre);
}

void Fire(int32_t slot, int32_t pattern, float offsetX, float offsetY, float vx, float vy) {
    if (BehaviourFireWatcher) BehaviourFireWatcher(slot, pattern, offsetX, offsetY, vx, vy);
    FireEnemyPattern(slot, pattern, offsetX, offsetY, vx, vy);
}

void RingStep(Enemy& e, float scroll, int32_t breathe) {
    e.pivotY += scroll;
    e.baseY += scroll;
    if (breathe != 0) e.baseX += e.age % 40 < 20 ? breathe : -breathe;
    OrbitPoint(e.x, e.y, e.baseX, e.baseY, e.orbitAngle, e.orbitStep, e.pivotX, e.pivotY);
}

}  // namespace behave
