#include "game/ship_life.h"

#include <cmath>

#include "world/sounds.h"
#include "enemies/enemy_pool.h"
#include "enemies/polygons.h"
#include "game/particles.h"
#include "game/ship.h"
#include "render/batches.h"
#include "world/world.h"
#include "shell/trig.h"

namespace {

// The slow blink of the first 94 frames of the grace period, then a faster, sparser one.
bool ShipBlinkShows() {
    if (!W.Invulnerable) return true;
    return (W.RespawnTimer % 6 > 3 && W.RespawnTimer < 94) || (W.RespawnTimer % 4 > 2 && W.RespawnTimer > 94);
}

bool ThrusterBlinkShows() {
    if (!W.Invulnerable) return true;
    return (W.RespawnTimer % 4 == 0 && W.RespawnTimer < 84) || (W.RespawnTimer % 6 == 0 && W.RespawnTimer > 84);
}

}  // namespace

int InCircle(float dx, float dy, float r) {
    return dx <= r && dy <= r && std::sqrt(dx * dx + dy * dy) < r ? 1 : 0;
}

int PointsTouch(float ax, float ay, float bx, float by, float r) {
    float dx = std::fabs(std::trunc(ax - bx)), dy = std::fabs(std::trunc(ay - by));
    return InCircle(dx, dy, r);
}

void AdvanceShip() {
    if (ShipAlive) SpinPoly(W.PlayerShip.polys[1]);
}

void DrawShip() {
    if (!ShipAlive) return;
    PolyCorners corners{};
    for (int i = 0; i < 3; ++i) {
        const Poly& poly = W.PlayerShip.polys[i];
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
        if (ShipBlinkShows()) DrawPoly(poly, W.PlayerShip.x, W.PlayerShip.y, 0, corners);
    }
}

void AdvanceThrusters() {
    if (!ShipAlive || W.Program.GameMode != Mode::Playing) return;
    for (int f = 0; f < 2; ++f) {
        W.Presentation.FlamePhase[f] = (W.Presentation.FlamePhase[f] + 50) % 360;
        W.Presentation.FlameBrightness[f] = static_cast<int32_t>(std::trunc(50 * Content.SinTable[W.Presentation.FlamePhase[f]] + 110));
    }
}

void DrawThrusters() {
    if (!ShipAlive || !ThrusterBlinkShows()) return;
    float length = W.VerticalMove == 1 ? 28.0f : W.VerticalMove == 2 ? 20.0f : 24.0f;
    for (int f = 0; f < 2; ++f) {
        uint32_t b = static_cast<uint32_t>(W.Presentation.FlameBrightness[f]);
        uint32_t inner = b << 24 | 30u << 16 | 80u << 8 | b;
        uint32_t outer = (b / 4) << 16;
        float ax = W.PlayerShip.x + Content.ThrusterAnchor[f].x, ay = W.PlayerShip.y + Content.ThrusterAnchor[f].y;
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

void CheckBodyCollision() {
    if (W.Invulnerable != 0 || !ShipAlive) return;
    // The ship touches with a point on its left wing, not its centre.
    float px = W.PlayerShip.x + W.PlayerShip.polys[0].offsetX, py = W.PlayerShip.y + W.PlayerShip.polys[0].offsetY;
    for (const Enemy& e : W.EnemyPool) {
        if (e.active == 0) continue;
        for (int i = 0; i < e.polyCount && i < kMaxPolys; ++i) {
            const Poly& poly = e.polys[i];
            if (PointsTouch(px, py, e.x + poly.offsetX, e.y + poly.offsetY, poly.radius + Content.ShipRadius)) {
                KillShip(true);
                return;
            }
        }
    }
}

void KillShip(bool fromBody) {
    ShipAlive = 0;
    if (fromBody) W.ShieldTimer = 0;
    PlaySound(Sound::ShipDestroyed);
    W.TrackedShard = -1;
    Explode(kShipExplosion, W.PlayerShip.x, W.PlayerShip.y);
    // With no shard to carry it the death would never be counted, and the game could not go on.
    if (W.TrackedShard == -1) {
        W.RespawnPending = 1;
        --W.Game.Lives;
    }
}

void RespawnShip() {
    if (W.Program.GameMode != Mode::Playing) return;
    if (W.RespawnTimer == 0) {
        W.Invulnerable = 1;
        ShipAlive = 1;
    }
    if (++W.RespawnTimer == kGracePeriod) {
        W.RespawnTimer = 0;
        W.RespawnPending = 0;
        W.Invulnerable = 0;
    }
}

