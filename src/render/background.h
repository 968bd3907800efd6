#pragma once
// Effects drawn behind and around the playfield, and the two logos.
#include <cstdint>

#include "world/world.h"

// How far the playfield's grid, wave bands and shield ring have moved: only pictures depend on them.

// Each moving picture is moved on a frame by its Advance function, before and whether or not the frame
// is drawn; drawing only reads.
void DrawPlayfieldGrid();
void AdvancePlayfieldGrid();
void AdvanceBackgroundGrid();
void DrawBackgroundGrid();
// Dim green bands; dim red while the boss warning is up (bossAlert 1).
void AdvanceBackgroundWaves(int32_t bossAlert);
void DrawBackgroundWaves();
void DrawWaveBand(float centreX, float frequency, float phase, uint32_t colour);
void DrawSideMasks();
// Three rings around the ship at (shipX, shipY) while the shield is up (shieldTimer > 0), each a turn on
// from the last; they turn either way.
constexpr int kShieldRings = 3;
void AdvanceShieldRings();
void DrawShieldRings(float shipX, float shipY, int32_t shieldTimer);
void AdvanceTitleLogo();
void DrawTitleLogo(float x, float y);
// Flashes on warm-up frames with effect 13.
void AdvanceStudioLogo();
void DrawStudioLogo();

void ResetBackground();
