#pragma once
// What the front end draws over the playfield each frame.
#include <cstdint>

#include "world/world.h"


// The menu in Menu and CaptureBinding, otherwise the HUD and then the boss bar: each moved on a frame
// by its Advance function before the frame is drawn (drawn or not), then drawn from what that left.
void AdvanceMenu();
void DrawMenu();
void AdvanceHud();  // also keeps the full game's high score up with its best
void DrawHud();
void AdvanceBossBar();
void DrawBossBar();

// Menus, HUD, interstitial screens and their animations back to their start-up state.
void ResetFrontEnd();
