#include "game/weapons.h"

#include "world/sounds.h"
#include "game/player_shots.h"
#include "game/ship.h"
#include "world/world.h"

namespace {

constexpr int kTopWeaponLevel = 7;

enum class Ender { Main, Side, Rear };

struct Volley {
    int sideFirst, sideLast;  // kinds of the side group; sideFirst 0 = no side group
    int sidePeriod;
    int rearFirst, rearLast;  // rearFirst 0 = no rear group
    Ender ender;
};

constexpr int kRearPeriod = 11;
constexpr int kMainPeriod = 6;

constexpr Volley kVolleys[kTopWeaponLevel + 1] = {
    {0, 0, 0, 0, 0, Ender::Main},    {1, 2, 16, 0, 0, Ender::Side},   {1, 4, 16, 0, 0, Ender::Side},
    {1, 4, 11, 5, 6, Ender::Rear},   {1, 4, 11, 5, 8, Ender::Rear},   {1, 6, 6, 7, 10, Ender::Rear},
    {1, 10, 6, 11, 12, Ender::Rear}, {1, 14, 6, 0, 0, Ender::Side},
};

// The muzzle a kind leaves from: the nose, the right wing or the left wing.
void FireKind(int kind) {
    const float sx = W.PlayerShip.x, sy = W.PlayerShip.y;
    if (kind == 5 || kind == 7 || kind == 9) SpawnPlayerShot(kind, sx + 12, sy + 6, 0, 0);
    else if (kind == 6 || kind == 8 || kind == 10) SpawnPlayerShot(kind, sx - 12, sy + 10, 0, 0);
    else SpawnPlayerShot(kind, sx - 2, sy - 2, 0, 0);
}

void FireGroup(int first, int last) {
    for (int kind = first; kind <= last; ++kind) FireKind(kind);
}

// Moves a counter on one frame; true when it was on its last frame and wrapped.
bool Advance(int32_t& timer, int period) {
    if (timer >= period - 1) {
        timer = 0;
        return true;
    }
    ++timer;
    return false;
}

}  // namespace

int FireWeapon() {
    // Levels never pass 7 in play; clamping keeps a stray value from locking the guns forever.
    int level = W.Game.WeaponLevel < 0 ? 0 : W.Game.WeaponLevel > kTopWeaponLevel ? kTopWeaponLevel : W.Game.WeaponLevel;
    const Volley& v = kVolleys[level];

    if (W.MainGunTimer == 0) {
        PlayShotSound();
        FireKind(0);
    }
    bool mainWrapped = Advance(W.MainGunTimer, kMainPeriod);

    bool sideWrapped = false;
    if (v.sideFirst != 0) {
        if (W.SideGunTimer == 0) FireGroup(v.sideFirst, v.sideLast);
        sideWrapped = Advance(W.SideGunTimer, v.sidePeriod);
    }

    bool rearWrapped = false;
    if (v.rearFirst != 0) {
        if (W.RearGunTimer == 0) FireGroup(v.rearFirst, v.rearLast);
        rearWrapped = Advance(W.RearGunTimer, kRearPeriod);
    }

    switch (v.ender) {
        case Ender::Main: return mainWrapped ? 1 : 0;
        case Ender::Side: return sideWrapped ? 1 : 0;
        case Ender::Rear: return rearWrapped ? 1 : 0;
    }
    return 0;
}

