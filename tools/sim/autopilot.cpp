#include "autopilot.h"

#include <cmath>

#include "enemies/enemy_pool.h"
#include "game/enemy_bullets.h"
#include "game/level_state.h"
#include "game/pickups.h"
#include "game/ship.h"
#include "shell/bindings.h"
#include "platform/headless.h"
#include "world/world.h"

namespace {

constexpr float kCruiseY = 440;       // where the pilot likes to sit
constexpr float kBossCruiseY = 320;   // closer in on a boss, so the side guns hit too
constexpr float kShieldRange = 26;    // a bullet this close raises the shield
constexpr float kDangerRange = 34;    // bullets this close are dodged

// Keys change only when the pilot changes its mind, so an input script can still work the menus (and
// press keys the pilot has let go of) while the pilot flies.
bool holding[kBindingSlots];

void Hold(int slot, bool down) {
    if (holding[slot] == down) return;
    holding[slot] = down;
    plat::HeadlessInput& in = plat::headless().input;
    if (down) in.Press(W.Saved.Bindings[slot]);
    else in.Release(W.Saved.Bindings[slot]);
}

// A pickup worth flying to: weapon pickups first, then the nearest energy.
bool PickPickup(float& goalX, float& goalY) {
    const Enemy& ship = W.PlayerShip;
    float best = 1e9f;
    for (const Pickup& p : W.Pickups) {
        if (!p.active || p.y < 20 || p.x < 133 || p.x > 506) continue;
        float d = std::fabs(p.x - ship.x) + std::fabs(p.y - ship.y) * 0.5f - (p.kind == WeaponPickup ? 400 : 0);
        if (d < best) best = d, goalX = p.x, goalY = p.y;
    }
    return best < 1e9f;
}

// The enemy to line up under: the boss when it is there, else the nearest one above the ship.
bool PickTarget(float& targetX) {
    const Enemy& ship = W.PlayerShip;
    if (W.Level.BossActive && W.Level.BossSlot[W.Game.CurrentLevel] >= 0 && W.EnemyPool[W.Level.BossSlot[W.Game.CurrentLevel]].active) {
        targetX = W.EnemyPool[W.Level.BossSlot[W.Game.CurrentLevel]].x;
        return true;
    }
    float best = 1e9f;
    for (const Enemy& e : W.EnemyPool) {
        if (!e.active || e.y > ship.y - 20 || e.y < -40 || e.x < 128 || e.x > 512) continue;
        float d = ship.y - e.y + std::fabs(e.x - ship.x) * 0.5f;
        if (d < best) best = d, targetX = e.x;
    }
    return best < 1e9f;
}

}  // namespace

void AutopilotFrame(bool fearless) {
    const Enemy& ship = W.PlayerShip;
    bool playing = W.Program.GameMode == Mode::Playing && ship.active && !W.Level.ReportShowing;
    Hold(SlotKeyFire, playing);

    float dodge = 0, nearest = 1e9f;
    for (const EnemyBullet& b : W.EnemyBullets) {
        if (!b.active) continue;
        float dx = b.x - ship.x, dy = b.y - ship.y;
        float d = std::sqrt(dx * dx + dy * dy);
        nearest = std::fmin(nearest, d);
        // Bullets move by subtraction: -vy > 0 means falling toward larger y.
        bool approaching = dy * -b.vy < 0 || d < kShieldRange * 1.5f;
        if (d < kDangerRange && approaching) dodge += (dx > 0 ? -1.0f : 1.0f) * (kDangerRange - d);
    }
    Hold(SlotKeyShield, playing && nearest < kShieldRange && W.ShieldTimer == 0 && W.Game.Held > 0);

    bool bossUp = W.Level.BossActive && W.Level.BossSlot[W.Game.CurrentLevel] >= 0;
    float goalX = ship.x, goalY = fearless && bossUp ? kBossCruiseY : kCruiseY;
    float pickupX = 0, pickupY = 0;
    if (PickPickup(pickupX, pickupY)) {
        goalX = pickupX;
        goalY = std::fmax(pickupY, 300.0f);
    } else if (!PickTarget(goalX)) {
        goalX = 320;
    }
    if (dodge != 0 && !fearless) goalX = ship.x + (dodge > 0 ? 30.0f : -30.0f);
    bool left = playing && goalX < ship.x - 3, right = playing && goalX > ship.x + 3;
    bool up = playing && ship.y > goalY + 3, down = playing && ship.y < goalY - 3;
    // The controls turn with the playfield in horizontal orientation.
    if (W.Saved.ScreenOrientation == 1) {
        Hold(SlotKeyUp, left);
        Hold(SlotKeyDown, right);
        Hold(SlotKeyRight, up);
        Hold(SlotKeyLeft, down);
    } else {
        Hold(SlotKeyLeft, left);
        Hold(SlotKeyRight, right);
        Hold(SlotKeyUp, up);
        Hold(SlotKeyDown, down);
    }
}
