#pragma once
// The record shared by every enemy and the player ship: a header and up to 80 regular polygons.
#include <cstdint>

constexpr int kMaxPolys = 80;

struct Poly {
    int32_t shape;        // index into UnitPolygons: sides - 3
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
    Poly polys[kMaxPolys];
};
