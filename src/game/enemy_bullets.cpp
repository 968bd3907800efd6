#include "game/enemy_bullets.h"

#include <array>
#include <cmath>

#include "world/sounds.h"
#include "game/particles.h"
#include "game/player_shots.h"
#include "game/ship.h"
#include "game/ship_life.h"
#include "render/batches.h"
#include "world/world.h"
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

}  // namespace

int SpawnEnemyBullet(int32_t kind, int32_t outline, float radius, float offsetX, float offsetY, int32_t angle,
                     float vx, float vy, float enemyX, float enemyY) {
    for (int tested = 0; tested < kEnemyBulletCount; ++tested) {
        if (++W.BulletCursor >= kEnemyBulletCount) W.BulletCursor = 0;
        EnemyBullet& b = W.EnemyBullets[W.BulletCursor];
        if (b.active) continue;
        const int a = NormaliseAngle(angle);
        const float c = Content.CosTable[a], s = Content.SinTable[a];
        b.active = 1;
        b.kind = kind;
        b.outline = outline;
        b.radius = radius;
        b.angle = a;
        b.x = offsetX * c - offsetY * s + enemyX;
        b.y = offsetX * s + offsetY * c + enemyY;
        b.vx = vx * c - vy * s;
        b.vy = vx * s + vy * c;
        return W.BulletCursor;
    }
    return kNoBullet;
}

void DrawEnemyBullets() {
    for (const EnemyBullet& b : W.EnemyBullets)
        if (b.active) DrawBullet(b);
}

void MoveEnemyBullets() {
    for (EnemyBullet& b : W.EnemyBullets) {
        if (!b.active) continue;
        b.x -= b.vx;
        b.y -= b.vy;
    }
}

int32_t CullEnemyBullet(EnemyBullet& b) {
    if (b.y <= -3.0f || b.y >= 515.0f || b.x >= 515.0f || b.x <= 125.0f) {
        b.active = 0;
        return 1;
    }
    return 0;
}

void CollideEnemyBullets() {
    for (EnemyBullet& b : W.EnemyBullets) {
        if (!b.active) continue;
        CullEnemyBullet(b);
        // The shield and ship tests follow for this same bullet, culled or not.
        float dx = std::fabs(std::trunc(b.x - W.PlayerShip.x)), dy = std::fabs(std::trunc(b.y - W.PlayerShip.y));
        if (InCircle(dx, dy, kShieldRadius) && W.ShieldTimer != 0) {
            // Every sixth bullet one shield absorbs gives back the energy it cost.
            if (++W.ShieldHits == 6) {
                PlaySound(Sound::Bonus);
                ++W.Game.Held;
                SpawnEnergySparkle(W.PlayerShip.x, W.PlayerShip.y);
            } else {
                PlaySound(Sound::ShieldAbsorbs);
            }
            SpawnPlayerShot(kReflectedShot, b.x, b.y, b.vx, b.vy);
            b.active = 0;
            continue;
        }
        if (InCircle(dx, dy, Content.ShipRadius + b.radius) && ShipAlive && !W.Invulnerable) {
            b.active = 0;
            KillShip(false);
        }
    }
}

int CountEnemyBullets() {
    int n = 0;
    for (const EnemyBullet& b : W.EnemyBullets) n += b.active != 0;
    return n;
}

void ResetEnemyBullets() {
    for (EnemyBullet& b : W.EnemyBullets) b = {};
    W.BulletCursor = -1;
}
