#include "game/enemy_bullets.h"

#include <array>
#include <cmath>

#include "world/sounds.h"
#include "game/particles.h"
#include "game/player_shots.h"
#include "game/ship.h"
#include "game/ship_life.h"
#include "world/world.h"
#include "shell/trig.h"

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
