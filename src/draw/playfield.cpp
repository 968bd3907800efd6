#include "draw/playfield.h"

#include <array>
#include <cmath>

#include "enemies/polygons.h"
#include "game/enemy_bullets.h"
#include "game/particles.h"
#include "game/pickups.h"
#include "game/player_shots.h"
#include "game/ship.h"
#include "render/batches.h"
#include "shell/trig.h"

namespace {

struct Point {
    float x, y;
};

using Corners = std::array<Point, 4>;
constexpr Corners kSmallSquare = {{{-3, -3}, {3, -3}, {3, 3}, {-3, 3}}};
constexpr Corners kLargeSquare = {{{-16, -16}, {16, -16}, {16, 16}, {-16, 16}}};
constexpr Corners kTriangle = {{{0, -5.77f}, {5, 2.8f}, {-5, 2.8f}}};  // three corners used

struct Rgba {
    int32_t r, g, b, halfAlpha;
};

// The alpha byte is twice the stored value, kept to 8 bits.
constexpr uint32_t Pack(Rgba c) {
    return (static_cast<uint32_t>(2 * c.halfAlpha) & 0xFFu) << 24 | static_cast<uint32_t>(c.r) << 16 |
           static_cast<uint32_t>(c.g) << 8 | static_cast<uint32_t>(c.b);
}

struct BulletLook {
    Corners shape;
    int corners;
    Rgba fill[4];
    Rgba outline;
};

constexpr Rgba kYellow{255, 255, 0, 40}, kYellowEdge{255, 255, 0, 100};
constexpr Rgba kGreen{0, 255, 0, 40};
constexpr Rgba kOrange{255, 168, 8, 40}, kOrangeEdge{255, 168, 8, 100};
constexpr Rgba kRed{255, 71, 45, 40}, kRedEdge{255, 71, 45, 100};
constexpr Rgba kBlue{33, 100, 231, 40}, kBlueEdge{33, 100, 231, 100};
constexpr Rgba kEmberTop{255, 69, 0, 50}, kEmberBottom{255, 69, 0, 5};

constexpr BulletLook kLooks[kBulletKindCount] = {
    {kSmallSquare, 4, {kYellow, kYellow, kYellow, kYellow}, kYellowEdge},
    {kLargeSquare, 4, {kEmberTop, kEmberTop, kEmberBottom, kEmberBottom}, {255, 0, 0, 255}},
    {kTriangle, 3, {kGreen, kGreen, kGreen}, kYellowEdge},
    {kSmallSquare, 4, {kGreen, kGreen, kGreen, kGreen}, kYellowEdge},
    {kTriangle, 3, {kYellow, kYellow, kYellow}, kYellowEdge},
    {kTriangle, 3, {kOrange, kOrange, kOrange}, kOrangeEdge},
    {kSmallSquare, 4, {kOrange, kOrange, kOrange, kOrange}, kOrangeEdge},
    {kTriangle, 3, {kRed, kRed, kRed}, kRedEdge},
    {kSmallSquare, 4, {kRed, kRed, kRed, kRed}, kRedEdge},
    {kTriangle, 3, {kBlue, kBlue, kBlue}, kBlueEdge},
    {kSmallSquare, 4, {kBlue, kBlue, kBlue, kBlue}, kBlueEdge},
};

void DrawBullet(const EnemyBullet& b) {
    if (b.kind < 0 || b.kind >= kBulletKindCount) return;
    const BulletLook& look = kLooks[b.kind];
    const int a = NormaliseAngle(b.angle);
    const float c = Content.CosTable[a], s = Content.SinTable[a];
    float x[4], y[4];
    uint32_t fill[4];
    const uint32_t edge = Pack(look.outline);
    for (int i = 0; i < look.corners; ++i) {
        const Point& p = look.shape[i];
        x[i] = p.x * c - p.y * s + b.x;
        y[i] = p.x * s + p.y * c + b.y;
        fill[i] = Pack(look.fill[i]);
    }
    if (look.corners == 4) {
        AddQuad(x[0], y[0], fill[0], x[1], y[1], fill[1], x[3], y[3], fill[3], x[2], y[2], fill[2]);
    } else {
        AddTriangle(x[0], y[0], fill[0], x[1], y[1], fill[1], x[2], y[2], fill[2]);
    }
    if (!b.outline) return;
    for (int i = 0; i < look.corners; ++i) {
        const int j = (i + 1) % look.corners;
        AddLine(x[i], y[i], edge, x[j], y[j], edge);
    }
}


void DrawSquares(const Shard* pool, int size, const ColourRecord (*fill)[4], const ColourRecord (*line)[4]) {
    for (int i = 0; i < size; ++i) {
        const Shard& s = pool[i];
        if (s.active != 1) continue;
        PointF v[4];
        for (int k = 0; k < 4; ++k) {
            float ux = Content.UnitPolygons[1][k].x, uy = Content.UnitPolygons[1][k].y;
            v[k] = {ux * Content.CosTable[s.angle] - uy * Content.SinTable[s.angle], ux * Content.SinTable[s.angle] + uy * Content.CosTable[s.angle]};
        }
        int kind = s.colourKind;
        uint32_t fc[4], lc[4];
        for (int k = 0; k < 4; ++k) {
            ColourRecord f = fill[kind][k], l = line[kind][k];
            f.halfAlpha += s.fadeStep;
            l.halfAlpha += s.fadeStep;
            fc[k] = PackColour(f);
            lc[k] = PackColour(l);
        }
        float px[4], py[4];
        for (int k = 0; k < 4; ++k) px[k] = v[k].x * s.size + s.x, py[k] = v[k].y * s.size + s.y;
        AddQuad(px[0], py[0], fc[0], px[1], py[1], fc[1], px[3], py[3], fc[3], px[2], py[2], fc[2]);
        for (int k = 0; k < 4; ++k) {
            int n = (k + 1) % 4;
            AddLine(px[k], py[k], lc[k], px[n], py[n], lc[n]);
        }
    }
}

// Fill alpha is the byte itself; the outlines are half-alpha records.
constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }

void Square(float cx, float cy, float half, uint32_t colour) {
    AddTexturedQuad(cx - half, cy - half, colour, cx + half, cy - half, colour, cx - half, cy + half, colour,
                    cx + half, cy + half, colour);
}

constexpr uint32_t kBarFill[4] = {Argb(20, 255, 155, 51), Argb(120, 255, 255, 51), Argb(120, 255, 255, 51),
                              Argb(20, 255, 155, 51)};

constexpr ColourRecord kBarLine[4] = {{255, 180, 50, 0}, {255, 255, 51, 100}, {255, 255, 51, 100}, {255, 180, 50, 0}};

constexpr uint32_t kReflectedFill = Argb(120, 50, 50, 255);

constexpr ColourRecord kReflectedLine = {30, 90, 255, 120};

// The slow blink of the first 94 frames of the grace period, then a faster, sparser one.
bool ShipBlinkShows(const World& w) {
    if (!w.Invulnerable) return true;
    return (w.RespawnTimer % 6 > 3 && w.RespawnTimer < 94) || (w.RespawnTimer % 4 > 2 && w.RespawnTimer > 94);
}

bool ThrusterBlinkShows(const World& w) {
    if (!w.Invulnerable) return true;
    return (w.RespawnTimer % 4 == 0 && w.RespawnTimer < 84) || (w.RespawnTimer % 6 == 0 && w.RespawnTimer > 84);
}

}  // namespace

void DrawEnemyBullets(const World& w) {
    for (const EnemyBullet& b : w.EnemyBullets)
        if (b.active) DrawBullet(b);
}

void DrawShards(const World& w) { DrawSquares(w.Shards.data(), kShardPool, Content.ShardFillColours, Content.ShardLineColours); }

void DrawSparks(const World& w) { DrawSquares(w.Sparks.data(), kSparkPool, Content.SparkFillColours, Content.SparkLineColours); }

void DrawGlows(const World& w) {
    for (const Glow& g : w.Glows) {
        if (g.life == 0) continue;
        uint32_t l = static_cast<uint32_t>(g.life);
        uint32_t colour = 0;
        switch (g.kind) {
            case 0: case 5: colour = 0xFF000000 | (l / 2) << 8 | (2 * l); break;
            case 1: colour = 0xFF000000 | (2 * l) << 16 | (2 * l) << 8; break;
            case 2: case 4: colour = 0xFF000000 | (2 * l) << 16 | l << 8; break;
            case 3: colour = 0xFF000000 | l << 16 | l << 8 | l / 4; break;
            default: break;
        }
        AddTexturedQuad(g.x - 7, g.y - 7, colour, g.x + 7, g.y - 7, colour, g.x - 7, g.y + 7, colour, g.x + 7,
                        g.y + 7, colour);
    }
}

void DrawPickups(const World& w) {
    const float o1x = 4 * Content.SinTable[w.PickupWobble[0]], o1y = 4 * Content.CosTable[w.PickupWobble[1]];
    const float o2x = 4 * Content.SinTable[w.PickupWobble[2]], o2y = 4 * Content.CosTable[w.PickupWobble[3]];
    for (const Pickup& p : w.Pickups) {
        if (p.active != 1) continue;
        const uint32_t b = static_cast<uint32_t>(p.brightness) & 0xFF;
        if (p.kind == EnergyPickup) {
            Square(p.x, p.y, 13, Argb(255, 32, 64, (64 + b) & 0xFF));
            const uint32_t halo = Argb(255, 0, 0, (16 + b) & 0xFF);
            Square(p.x + o1x, p.y + o1y, 14, halo);
            Square(p.x + o2x, p.y + o2y, 14, halo);
        } else {
            Square(p.x, p.y, 15, Argb(255, b, b, 0));
        }
    }
}

void DrawPlayerShots(const World& w) {
    for (const PlayerShot& s : w.PlayerShots) {
        if (s.active != 1 || s.kind < 0 || s.kind > kReflectedKind) continue;
        const bool reflected = s.kind == kReflectedKind;
        const PointF* shape = Content.ShotShapes[s.kind];
        float x[4], y[4];
        uint32_t fill[4], line[4];
        for (int v = 0; v < 4; ++v) {
            x[v] = s.x + shape[v].x;
            y[v] = s.y + shape[v].y;
            fill[v] = reflected ? kReflectedFill : kBarFill[v];
            line[v] = PackColour(reflected ? kReflectedLine : kBarLine[v]);
        }
        AddQuad(x[0], y[0], fill[0], x[1], y[1], fill[1], x[3], y[3], fill[3], x[2], y[2], fill[2]);
        if (!s.outlined) continue;
        for (int v = 0; v < 4; ++v) {
            const int n = (v + 1) % 4;
            AddLine(x[v], y[v], line[v], x[n], y[n], line[n]);
        }
    }
}

void DrawPoly(const Poly& poly, float entityX, float entityY, int32_t hitFlash, const PolyCorners& corners) {
    int sides = poly.sides < 3 ? 3 : poly.sides > kMaxSides ? kMaxSides : poly.sides;
    PointF p[kMaxSides];
    for (int k = 0; k < sides; ++k) {
        p[k].x = corners.vertices[k].x * poly.scaleX + poly.offsetX + entityX;
        p[k].y = corners.vertices[k].y * poly.scaleY + poly.offsetY + entityY;
    }
    if (poly.visible != 0)
        for (int k = 1; k <= sides - 2; ++k)
            AddTriangle(p[0].x, p[0].y, corners.fill[0], p[k].x, p[k].y, corners.fill[k], p[k + 1].x, p[k + 1].y,
                        corners.fill[k + 1]);
    if (poly.outline == 0) return;
    bool flash = hitFlash != 0 && poly.flashOnHit != 0;
    for (int k = 1; k <= sides; ++k) {
        int a = k - 1, b = k % sides;
        uint32_t ca = flash ? FlashColour : corners.line[a];
        uint32_t cb = flash ? FlashColour : corners.line[b];
        AddLine(p[a].x, p[a].y, ca, p[b].x, p[b].y, cb);
    }
}

void DrawEntity(const Enemy& entity, const ColourRecord* fill, const ColourRecord* line) {
    int count = entity.polyCount > kMaxPolys ? kMaxPolys : entity.polyCount;
    PolyCorners corners{};
    for (int i = 0; i < count; ++i) {
        const Poly& poly = entity.polys[i];
        if (poly.visible == 0) continue;
        int sides = poly.sides < 3 ? 3 : poly.sides > kMaxSides ? kMaxSides : poly.sides;
        int group = poly.colourGroup < 0 || poly.colourGroup >= kColourGroups ? 0 : poly.colourGroup;
        for (int v = 0; v < sides; ++v) {
            corners.fill[v] = PackColour(fill[group * 10 + v]);
            corners.line[v] = PackColour(line[group * 10 + v]);
        }
        PolyVertices(poly, corners);
        DrawPoly(poly, entity.x, entity.y, entity.hitFlash, corners);
    }
}

void DrawEnemy(const World& w, int32_t slot) {
    const Enemy& e = w.EnemyPool[slot];
    if (e.active == 0) return;
    int type = e.modelType >= 0 && e.modelType < kModelTypes ? e.modelType : 0;
    DrawEntity(e, Content.FillColours[type], Content.LineColours[type]);
}

void DrawShip(const World& w) {
    if (!w.PlayerShip.active) return;
    PolyCorners corners{};
    for (int i = 0; i < 3; ++i) {
        const Poly& poly = w.PlayerShip.polys[i];
        if (i == 1) {
            PolyVertices(poly, corners);
        } else {
            const PointF* wing = Content.WingShape[i == 0 ? 0 : 1];
            for (int v = 0; v < 3; ++v) corners.vertices[v] = wing[v];
        }
        for (int v = 0; v < poly.sides; ++v) {
            corners.fill[v] = PackColour(Content.ShipFillColours[poly.colourGroup * 10 + v]);
            corners.line[v] = PackColour(Content.ShipLineColours[poly.colourGroup * 10 + v]);
        }
        if (ShipBlinkShows(w)) DrawPoly(poly, w.PlayerShip.x, w.PlayerShip.y, 0, corners);
    }
}

void DrawThrusters(const World& w) {
    if (!w.PlayerShip.active || !ThrusterBlinkShows(w)) return;
    float length = w.VerticalMove == 1 ? 28.0f : w.VerticalMove == 2 ? 20.0f : 24.0f;
    for (int f = 0; f < 2; ++f) {
        uint32_t b = static_cast<uint32_t>(w.Presentation.FlameBrightness[f]);
        uint32_t inner = b << 24 | 30u << 16 | 80u << 8 | b;
        uint32_t outer = (b / 4) << 16;
        float ax = w.PlayerShip.x + Content.ThrusterAnchor[f].x, ay = w.PlayerShip.y + Content.ThrusterAnchor[f].y;
        PointF v[4];
        for (int k = 0; k < 4; ++k) {
            v[k] = Content.ThrusterShape[f][k];
            if (k >= 2) v[k].y = length;
        }
        AddTexturedQuad(ax + v[0].x, ay + v[0].y - 10, inner, ax + v[1].x, ay + v[1].y - 10, inner, ax + v[2].x,
                        ay + v[2].y - 10, inner, ax + v[3].x, ay + v[3].y - 10, inner);
        float ox = f == 0 ? 8.0f : -8.0f, oy = -26.0f;
        AddTexturedQuad(ax + 3 * v[0].x + ox, ay + 3 * v[0].y + oy, outer, ax + 3 * v[1].x + ox, ay + 3 * v[1].y + oy,
                        outer, ax + 3 * v[2].x + ox, ay + 3 * v[2].y + oy, outer, ax + 3 * v[3].x + ox,
                        ay + 3 * v[3].y + oy, outer);
    }
}
