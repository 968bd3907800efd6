#include "game/ship_control.h"

#include "audio/audio.h"
#include "game/ship.h"
#include "game/weapons.h"
#include "shell/game_vars.h"

void ControlShip(const ShipControls& held) {
    Enemy& ship = PlayerShip;
    VerticalMove = 0;
    if (Saved.ScreenOrientation == 1) {
        // The playfield is turned: the stick's directions turn with it.
        if (held.up) ship.x -= kShipSpeed;
        if (held.down) ship.x += kShipSpeed;
        if (held.right) ship.y -= kShipSpeed, VerticalMove = 1;
        if (held.left) ship.y += kShipSpeed, VerticalMove = 2;
    } else {
        if (held.left) ship.x -= kShipSpeed;
        if (held.right) ship.x += kShipSpeed;
        if (held.up) ship.y -= kShipSpeed, VerticalMove = 1;
        if (held.down) ship.y += kShipSpeed, VerticalMove = 2;
    }
    if (ship.x < kShipMinX) ship.x = kShipMinX;
    if (ship.x > kShipMaxX) ship.x = kShipMaxX;
    if (ship.y < kShipMinY) ship.y = kShipMinY;
    if (ship.y > kShipMaxY) ship.y = kShipMaxY;

    if (held.fire && ShieldTimer < 20 && FireLatch == 0) FireLatch = 1;
    if (ShieldTimer > 0) --ShieldTimer;
    if (held.shield && ShieldTimer == 0 && Game.Held > 0) {
        PlaySound(Sound::ShieldRaised);
        --Game.Held;
        ShieldTimer = 50;
        ShieldHits = 0;
    }
    if (FireLatch == 1 && FireWeapon() == 1) {
        FireLatch = 0;
        MainGunTimer = SideGunTimer = RearGunTimer = 0;
    }
}
