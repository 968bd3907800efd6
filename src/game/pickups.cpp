#include "game/pickups.h"

#include <cmath>

#include "world/sounds.h"
#include "game/particles.h"
#include "game/ship.h"
#include "game/ship_life.h"
#include "world/world.h"
#include "shell/random.h"
#include "shell/trig.h"

namespace {

constexpr float kTopHomingSpeed = 6.0f;
constexpr int kLifeEvery = 50;

constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }

void MovePickup(Pickup& p) {
    const bool energy = p.kind == EnergyPickup;
    if (p.homing == 1 && ShipAlive) {
        const float dx = W.PlayerShip.x - p.x, dy = W.PlayerShip.y - p.y;
        const float d = std::sqrt(dx * dx + dy * dy);
        // Right on the ship's centre there is no direction to take; keep the last one.
        if (d > 0) {
            p.vx = dx / d * p.speed;
            p.vy = dy / d * p.speed;
        }
        if (p.speed < kTopHomingSpeed) p.speed += energy ? 0.1f : 0.05f;
    }
    p.x += p.vx;
    p.y += p.vy;
    p.phase += 10;
    if (p.phase >= 360) p.phase -= 360;
    const float pulse = 50 * Content.SinTable[NormaliseAngle(p.phase)];
    p.brightness = static_cast<int32_t>(std::trunc(pulse + (energy ? 102.0f : 118.0f)));
}

void Collect(Pickup& p) {
    if (p.kind == EnergyPickup) {
        PlaySound(Sound::EnergyCollected);
        ++W.Game.Held;
        if (W.Game.CurrentLevel >= 0 && W.Game.CurrentLevel < kLevelCount) ++W.Game.LevelCollected[W.Game.CurrentLevel];
        // Only a new best earns the life: spending and collecting back to a multiple of 50 does not.
        if (W.Game.Held > 0 && W.Game.Held % kLifeEvery == 0 && W.Game.Held > W.Game.PeakHeld) {
            PlaySound(Sound::ExtraLife);
            ++W.Game.Lives;
        }
        if (W.Game.Held > W.Game.PeakHeld) W.Game.PeakHeld = W.Game.Held;
        SpawnEnergySparkle(W.PlayerShip.x, W.PlayerShip.y);
    } else {
        PlaySound(Sound::WeaponCollected);
        ++W.Game.WeaponLevel;
        SpawnWeaponSparkle(W.PlayerShip.x, W.PlayerShip.y);
    }
    p.active = 0;
}

}  // namespace

int SpawnPickup(float x, float y, int kind) {
    if (kind != EnergyPickup && kind != WeaponPickup) return -1;
    int slot = -1;
    for (int i = 0; i < kPickupPool; ++i) {
        W.PickupCursor = (W.PickupCursor + 1) % kPickupPool;
        if (W.Pickups[W.PickupCursor].active == 0) {
            slot = W.PickupCursor;
            break;
        }
    }
    if (slot < 0) return -1;
    const bool energy = kind == EnergyPickup;
    Pickup& p = W.Pickups[slot];
    p.active = 1;
    p.kind = kind;
    p.brightness = 128;
    p.phase = 270;
    p.homing = kind;  // a weapon pickup comes to the ship from the start
    p.speed = energy ? 0.5f : 0.1f;
    p.size = energy ? 8.0f : 12.0f;
    p.x = x;
    p.y = y;
    p.vx = static_cast<float>(Random() % 3 - 1) * 0.2f;
    p.vy = 2.0f;
    return slot;
}

void ClearPickups() {
    for (Pickup& p : W.Pickups) p.active = 0;
}

void UpdatePickups() {
    if (W.Program.GameMode == Mode::Playing)
        for (Pickup& p : W.Pickups)
            if (p.active == 1) MovePickup(p);
    AdvancePickupWobble();
    MoveGlows();
}

void AdvancePickupWobble() {
    if (W.Program.GameMode == Mode::Paused) return;
    static const int32_t step[4] = {6, 7, 5, 8};
    for (int i = 0; i < 4; ++i) {
        W.PickupWobble[i] += step[i];
        if (W.PickupWobble[i] >= 360) W.PickupWobble[i] -= 360;
    }
}

void CollectPickups() {
    for (Pickup& p : W.Pickups) {
        if (p.active != 1) continue;
        // Far enough out to be culled is too far to touch the ship, so the tests below may still run.
        if (p.y < -50 || p.y >= 532 || p.x >= 532 || p.x < 108) p.active = 0;
        const float dx = std::fabs(std::trunc(p.x - W.PlayerShip.x)), dy = std::fabs(std::trunc(p.y - W.PlayerShip.y));
        if (!ShipAlive) continue;
        if (InCircle(dx, dy, p.size + 30)) p.homing = 1;
        if (InCircle(dx, dy, p.size + Content.ShipRadius)) Collect(p);
    }
}

int CountPickups() {
    int n = 0;
    for (const Pickup& p : W.Pickups) n += p.active != 0;
    return n;
}

