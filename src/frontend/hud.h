#pragma once
// The heads-up display's own state; DrawHud and DrawBossBar are in frontend.h.
#include <cstdint>

#include "world/world.h"


// What the HUD shows of a replay being watched, filled in by the viewer: the frame on show out of the
// replay's frames, and the speed (a ReplaySpeed).
enum ReplaySpeed : int32_t { SpeedPaused, SpeedHalf, SpeedOne, SpeedTwo, SpeedFour };
struct ReplayHudInfo {
    int64_t position, length;
    int32_t speed;
};
extern ReplayHudInfo ReplayHud;

extern const char* const kLevelTitles[kLevelCount];
extern const char* const kLevelSubtitles[kLevelCount];

void DrawLivesIcon();
// The bar's ten segments from the bottom for a BossBar of v (0 empty, -180 full), as triangles.
void AddBossBarFill(float x, float y0, float v, uint32_t top);
float BossBarHiddenOffset();  // for the current orientation

void ResetHud();
