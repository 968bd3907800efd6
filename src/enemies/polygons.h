#pragma once
// Regular polygons: the unit shapes, the Poly helpers, colour records and the drawing of a Poly.
#include <cstdint>

#include "world/content.h"
#include "world/world.h"
#include "shell/trig.h"

constexpr uint32_t FlashColour = 0x3CF5F5F5;

// What DrawPoly draws: the rotated unit vertices and the per-vertex colours, filled by the caller.
struct PolyCorners {
    PointF vertices[kMaxSides];
    uint32_t fill[kMaxSides];
    uint32_t line[kMaxSides];
};

void BuildRadiusFactors();
void BuildUnitPolygons();

uint32_t PackColour(const ColourRecord& c);
void DefineColour(ColourRecord& record, int32_t r, int32_t g, int32_t b, int32_t halfAlpha);
void DefinePoly(Poly& poly, int32_t shape, int32_t colourGroup, int32_t sides, int32_t visible, int32_t outline,
                float offsetX, float offsetY, float baseX, float baseY, float scaleX, float scaleY, int32_t angle,
                int32_t spin, int32_t orbit, int32_t orbitAngle, int32_t orbitStep, float pivotX, float pivotY);

void InstantiateModel(Enemy& entity, const Poly* templatePolys, int32_t modelType, int32_t age, int32_t behaviour,
                      int32_t active, int32_t hitPoints, int32_t dropKind, int32_t polyCount, float x, float y,
                      float baseX, float baseY, float vx, float vy, int32_t orbitAngle, int32_t orbitStep,
                      float pivotX, float pivotY);

// Turns a Poly on by its spin (while Playing).
void SpinPoly(Poly& poly);
// The Poly's corners, turned by its angle, into corners.vertices for DrawPoly.
void PolyVertices(const Poly& poly, PolyCorners& corners);
void OrbitPoint(float& x, float& y, float baseX, float baseY, int32_t& angle, int32_t step, float pivotX,
                float pivotY);
void StepRotatePoint(float& x, float& y, float cx, float cy, int32_t& angle, int32_t step, float ox, float oy);
void RotateVector(int32_t angle, float& x, float& y);
void RotatePointList(PointF* points, int count, int32_t angle);

// An entity's frame: its visible Polys orbit and spin on (while Playing) and its hit flash moves on.
void AnimateEntity(Enemy& entity);
void StepHitFlash(Enemy& entity);
