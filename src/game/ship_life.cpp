#include "game/ship_life.h"

#include <cmath>

#include "world/sounds.h"
#include "enemies/enemy_pool.h"
#include "enemies/polygons.h"
#include "game/particles.h"
#include "game/ship.h"
#include "world/world.h"
#include "shell/trig.h"

namespace {

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

void AdvanceThrusters() {
    if (!ShipAlive || W.Program.GameMode != Mode::Playing) return;
    for (int f = 0; f < 2; ++f) {
        W.Presentation.FlamePhase[f] = (W.Presentation.FlamePhase[f] + 50) % 360;
        W.Presentation.FlameBrightness[f] = static_cast<int32_t>(std::trunc(50 * Content.SinTable[W.Presentation.FlamePhase[f]] + 110));
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

