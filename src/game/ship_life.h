#pragma once
// The player ship in play: drawing, thrusters, contact with enemies, death and the grace period.
#include <cstdint>

// The one contact test: dx, dy are the absolute values of whole numbers.
int InCircle(float dx, float dy, float r);
// InCircle of the difference between two points, each axis truncated toward zero and made non-negative.
int PointsTouch(float ax, float ay, float bx, float by, float r);

void AdvanceShip();  // its middle turns while playing
void AdvanceThrusters();  // the flames flicker on while playing
void CheckBodyCollision();
// fromBody: a collision with an enemy also drops the shield; a bullet does not.
void KillShip(bool fromBody);
void RespawnShip();

constexpr int kGracePeriod = 168;

// The thrusters' flicker, which only pictures depend on.

