#include "enemies/polygons.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "world/world.h"
#include "shell/trig.h"

namespace {

// The game's pi: shapes, radii and the angle tables all agree on it.
constexpr double kPi = 3.14159;

float RadiusFactor(int sides) { return static_cast<float>(0.5 / std::sin(kPi / sides)); }

}  // namespace

void BuildRadiusFactors() {
    ContentTables& Content = ContentToBuild();
    for (int n = 3; n <= 10; ++n) Content.PolyRadiusFactor[n - 3] = RadiusFactor(n);
}

void BuildUnitPolygons() {
    ContentTables& Content = ContentToBuild();
    PointF scratch[kMaxSides];
    for (float n = 3.0f; n <= 10.0f; n += 1.0f) {
        int sides = static_cast<int>(n);
        float r = static_cast<float>(0.5 / std::sin(kPi / n));
        float step = 360.0f / n;
        float accumulator = 0.0f;
        for (int i = 0; i < sides; ++i) {
            // Truncated, not rounded: a 7-gon's vertices sit at 0, 51, 102, 154 ...
            int a = static_cast<int>(accumulator);
            double rad = a * kPi / 180.0;
            scratch[i] = {static_cast<float>(r * std::sin(rad)), static_cast<float>(-r * std::cos(rad))};
            accumulator += step;
        }
        std::memcpy(Content.UnitPolygons[sides - 3], scratch, sizeof(PointF) * sides);
    }
}

uint32_t PackColour(const ColourRecord& c) {
    uint32_t alpha = static_cast<uint32_t>(2 * c.halfAlpha) & 0xFF;
    return alpha << 24 | (static_cast<uint32_t>(c.r) & 0xFF) << 16 | (static_cast<uint32_t>(c.g) & 0xFF) << 8 |
           (static_cast<uint32_t>(c.b) & 0xFF);
}

void DefineColour(ColourRecord& record, int32_t r, int32_t g, int32_t b, int32_t halfAlpha) {
    record = {r, g, b, halfAlpha};
}

void DefinePoly(Poly& poly, int32_t shape, int32_t colourGroup, int32_t sides, int32_t visible, int32_t outline,
                float offsetX, float offsetY, float baseX, float baseY, float scaleX, float scaleY, int32_t angle,
                int32_t spin, int32_t orbit, int32_t orbitAngle, int32_t orbitStep, float pivotX, float pivotY) {
    poly.shape = shape;
    poly.colourGroup = colourGroup;
    poly.sides = sides;
    poly.visible = visible;
    poly.flashOnHit = 1;
    poly.outline = outline;
    poly.offsetX = offsetX;
    poly.offsetY = offsetY;
    poly.baseX = baseX;
    poly.baseY = baseY;
    poly.scaleX = scaleX;
    poly.scaleY = scaleY;
    poly.radius = scaleX * RadiusFactor(sides);
    poly.angle = angle;
    poly.spin = spin;
    poly.orbit = orbit;
    poly.orbitAngle = orbitAngle;
    poly.orbitStep = orbitStep;
    poly.pivotX = pivotX;
    poly.pivotY = pivotY;
}

void InstantiateModel(Enemy& entity, const Poly* templatePolys, int32_t modelType, int32_t age, int32_t behaviour,
                      int32_t active, int32_t hitPoints, int32_t dropKind, int32_t polyCount, float x, float y,
                      float baseX, float baseY, float vx, float vy, int32_t orbitAngle, int32_t orbitStep,
                      float pivotX, float pivotY) {
    entity.modelType = modelType;
    entity.age = age;
    entity.behaviour = behaviour;
    entity.active = active;
    entity.hitPoints = hitPoints;
    entity.DropDone = 0;
    entity.DropKind = dropKind;
    entity.hitFlash = 0;
    entity.polyCount = polyCount;
    entity.x = x;
    entity.y = y;
    entity.baseX = baseX;
    entity.baseY = baseY;
    entity.vx = vx;
    entity.vy = vy;
    entity.orbitAngle = orbitAngle;
    entity.orbitStep = orbitStep;
    entity.pivotX = pivotX;
    entity.pivotY = pivotY;
    int copy = polyCount;
    if (polyCount > kMaxPolys) {
        std::printf("ERROR, too many polys requested!");
        std::fflush(stdout);
        copy = kMaxPolys;
        entity.polyCount = kMaxPolys;  // the record has no room for more; drawing must not read past it
    }
    if (copy > 0) std::memcpy(entity.polys.data(), templatePolys, sizeof(Poly) * copy);
}

void SpinPoly(Poly& poly) {
    if (W.Program.GameMode == Mode::Playing) poly.angle += poly.spin;
    poly.angle = NormaliseAngle(poly.angle);
}

void PolyVertices(const Poly& poly, PolyCorners& corners) {
    const int angle = NormaliseAngle(poly.angle);
    float c = Content.CosTable[angle], s = Content.SinTable[angle];
    int shape = poly.shape < 0 || poly.shape >= kShapeCount ? 0 : poly.shape;
    for (int v = 0; v < shape + 3; ++v) {
        const PointF& p = Content.UnitPolygons[shape][v];
        corners.vertices[v] = {p.x * c - p.y * s, p.x * s + p.y * c};
    }
}

void OrbitPoint(float& x, float& y, float baseX, float baseY, int32_t& angle, int32_t step, float pivotX,
                float pivotY) {
    angle = NormaliseAngle(angle + step);
    float dx = baseX - pivotX, dy = baseY - pivotY;
    float c = Content.CosTable[angle], s = Content.SinTable[angle];
    x = pivotX + (dx * c - dy * s);
    y = pivotY + (dx * s + dy * c);
}

void StepRotatePoint(float& x, float& y, float cx, float cy, int32_t& angle, int32_t step, float ox, float oy) {
    angle = NormaliseAngle(angle + step);
    int32_t turn = NormaliseAngle(step);
    float dx = cx - ox, dy = cy - oy;
    float c = Content.CosTable[turn], s = Content.SinTable[turn];
    x = ox + (dx * c - dy * s);
    y = oy + (dx * s + dy * c);
}

void RotateVector(int32_t angle, float& x, float& y) {
    angle = NormaliseAngle(angle);
    float c = Content.CosTable[angle], s = Content.SinTable[angle];
    float nx = x * c - y * s;
    float ny = x * s + y * c;
    x = nx;
    y = ny;
}

void RotatePointList(PointF* points, int count, int32_t angle) {
    for (int i = 0; i < count; ++i) RotateVector(angle, points[i].x, points[i].y);
}

void AnimateEntity(Enemy& entity) {
    int count = entity.polyCount > kMaxPolys ? kMaxPolys : entity.polyCount;
    for (int i = 0; i < count; ++i) {
        Poly& poly = entity.polys[i];
        if (poly.visible == 0) continue;
        if (W.Program.GameMode == Mode::Playing && poly.orbit != 0)
            OrbitPoint(poly.offsetX, poly.offsetY, poly.baseX, poly.baseY, poly.orbitAngle, poly.orbitStep,
                       poly.pivotX, poly.pivotY);
        SpinPoly(poly);
    }
}

void StepHitFlash(Enemy& entity) {
    if (entity.hitFlash > 0 && ++entity.hitFlash >= 2) entity.hitFlash = 0;
}
