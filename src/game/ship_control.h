#pragma once
// The ship in the player's hands: steered, fired and shielded by what is held this frame.

// What the player holds this frame, folded from the keyboard, the controller and the bindings.
struct ShipControls {
    bool up, down, left, right, fire, shield;
};

constexpr float kShipSpeed = 2.6f;  // units a frame along each axis held

// Moves the ship inside its bounds (its directions turned with the playfield in horiz) and lights the
// thrusters; latches and fires the weapon unless the shield has just gone up; raises the shield for
// one energy.
void ControlShip(const ShipControls& held);
