#pragma once
// The ship's guns: volleys by weapon level.
#include <cstdint>

extern int32_t FireLatch;  // a volley has been asked for and is in progress
extern int32_t MainGunTimer, SideGunTimer, RearGunTimer;

// One frame of the current volley; 1 when it is complete.
int FireWeapon();

void ResetWeapons();
