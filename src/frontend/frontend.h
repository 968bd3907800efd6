#pragma once
// What the front end draws over the playfield each frame.

void DrawMenu();     // in Menu and CaptureBinding
void DrawHud();      // otherwise
void DrawBossBar();  // after the HUD
