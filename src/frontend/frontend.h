#pragma once
// What the front end draws over the playfield each frame.
#include <cstdint>

extern int32_t MenuPage;  // the menu page on show; 0 = main

void DrawMenu();     // in Menu and CaptureBinding
void DrawHud();      // otherwise
void DrawBossBar();  // after the HUD

// Menus, HUD, interstitial screens and their animations back to their start-up state.
void ResetFrontEnd();
