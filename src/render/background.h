#pragma once
// Effects drawn behind and around the playfield, and the two logos.
#include <cstdint>

extern int32_t WaveFlashRequest;  // 1: the wave bands flash red once
extern int32_t WaveR, WaveG, WaveB;
// How far the playfield's grid, wave bands and shield ring have moved: only pictures depend on them.
extern float PlayfieldScroll;
extern float WavePhase[4];
extern int32_t ShieldRotation;

void DrawPlayfieldGrid();
void DrawBackgroundGrid();
// Dim green bands; dim red while the boss warning is up (bossAlert 1).
void DrawBackgroundWaves(int32_t bossAlert);
void DrawWaveBand(float centreX, float frequency, float phase, uint32_t colour);
void DrawSideMasks();
// Around the ship at (shipX, shipY) while the shield is up (shieldTimer > 0); it turns either way.
void DrawShieldRing(float shipX, float shipY, int32_t shieldTimer);
void DrawTitleLogo(float x, float y);
void DrawStudioLogo();

void ResetBackground();
