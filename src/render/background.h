#pragma once
// Effects drawn behind and around the playfield, and the two logos.
#include <cstdint>

#include "world/world.h"

#include "frontend/presentation.h"

// Drawn from where frontend/presentation.h moved them; drawing only reads.
void DrawPlayfieldGrid(const World& w);
void DrawBackgroundGrid(const World& w);
void DrawBackgroundWaves(const World& w);
void DrawWaveBand(float centreX, float frequency, float phase, uint32_t colour);
void DrawSideMasks();
// Three rings around the ship at (shipX, shipY) while the shield is up (shieldTimer > 0), each a turn on
// from the last; they turn either way.
void DrawShieldRings(const World& w, float shipX, float shipY, int32_t shieldTimer);
void DrawTitleLogo(const World& w, float x, float y);
void DrawStudioLogo(const World& w);
