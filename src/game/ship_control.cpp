#include "game/ship_control.h"

#include "world/sounds.h"
#include "game/ship.h"
#include "game/weapons.h"
#include "world/world.h"

void ControlShip(const ShipControls& held) {
    Enemy& ship = W.PlayerShip;
    W.VerticalMove = 0;
    if (W.Saved.ScreenOrientation == 1) {
        // The playfield is turned: the stick's directions turn with it.
        if (held.up) ship.x -= kShipSpeed;
        if (held.down) ship.x += kShipSpeed;
        if (held.right) ship.y -= kShipSpeed, W.VerticalMove = 1;
        if (held.left) ship.y += kShipSpeed, W.VerticalMove = 2;
    } else {
        if (held.left) ship.x -= kShipSpeed;
        if (held.right) ship.x += kShipSpeed;
        if (held.up) ship.y -= kShipSpeed, W.VerticalMove = 1;
        if (held.down) ship.y += kShipSpeed, W.VerticalMove = 2;
    }
    if (ship.x < kShipMinX) ship.x = kShipMinX;
    if (ship.x > kShipMaxX) ship.x = kShipMaxX;
    if (ship.y < kShipMinY) ship.y = kShipMinY;
    if (ship.y > kShipMaxY) ship.y = kShipMaxY;

    if (held.fire && W.ShieldTimer < 20 && W.FireLatch == 0) W.FireLatch = 1;
    if (W.ShieldTimer > 0) --W.ShieldTimer;
    if (held.shield && W.ShieldTimer == 0 && W.Game.Held > 0) {
        PlaySound(Sound::ShieldRaised);
        --W.Game.Held;
        W.ShieldTimer = 50;
        W.ShieldHits = 0;
    }
    if (W.FireLatch == 1 && FireWeapon() == 1) {
        W.FireLatch = 0;
        W.MainGunTimer = W.SideGunTimer = W.RearGunTimer = 0;
    }
}
