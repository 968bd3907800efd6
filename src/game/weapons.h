#pragma once
// The ship's guns: volleys by weapon level.
#include <cstdint>

#include "world/world.h"


// One frame of the current volley; 1 when it is complete.
int FireWeapon();

