#pragma once
// What the input step raises for the menus, and the latches that make an action fire once per press.
// The input step writes them; the menu reads and clears the requests.
#include <cstdint>

#include "world/world.h"

void ClearMenuRequests();

