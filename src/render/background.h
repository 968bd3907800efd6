#pragma once
// Effects drawn behind and around the playfield, and the two logos.
#include <cstdint>

extern int32_t WaveFlashRequest;  // 1: the wave bands flash red once
extern int32_t WaveR, WaveG, WaveB;

void DrawPlayfieldGrid();
void DrawBackgroundGrid();
void DrawBackgroundWaves();
void DrawWaveBand(float centreX, float frequency, float phase, uint32_t colour);
void DrawSideMasks();
void DrawShieldRing();
void DrawTitleLogo(float x, float y);
void DrawStudioLogo();

void ResetBackground();
