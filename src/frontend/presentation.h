#pragma once
// What only the pictures show, moved on a frame before the frame is drawn, drawn or not: the cameras,
// the background's grid and wave bands, the shield's rings, the logos, the menu's and the HUD's
// animations. Drawing only reads what these leave.
#include <cstdint>

constexpr int kShieldRings = 3;

void AdvancePresentation();
void AdvanceBackgroundGrid();
// Dim green bands; dim red while the boss warning is up (bossAlert 1).
void AdvanceBackgroundWaves(int32_t bossAlert);
void AdvanceShieldRings();
void AdvanceTitleLogo();
// Flashes on warm-up frames with effect 13.
void AdvanceStudioLogo();
