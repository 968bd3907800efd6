#pragma once
// The front end over the playfield: menus, HUD and screens, moved on each frame.
#include <cstdint>

#include "world/world.h"


// The menu in Menu and CaptureBinding, otherwise the HUD and then the boss bar: each moved on a frame
// by its Advance function before the frame is drawn (drawn or not); draw/front_end.h draws them.
void AdvanceMenu();
void AdvanceHud();  // also keeps the full game's high score up with its best
void AdvanceBossBar();

// Menus, HUD, interstitial screens and their animations back to their start-up state.
void ResetFrontEnd();
