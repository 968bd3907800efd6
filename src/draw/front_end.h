#pragma once
// The front end drawn from the world: the menu in Menu and CaptureBinding, otherwise the HUD and then
// the boss bar.
#include <cstdint>

#include "world/world.h"

void DrawMenu(const World& w);
void DrawHud(const World& w);
void DrawBossBar(const World& w);
void DrawLivesIcon(const World& w);
// The bar's ten segments from the bottom for a BossBar of v (0 empty, -180 full), as triangles.
void AddBossBarFill(float x, float y0, float v, uint32_t top);
