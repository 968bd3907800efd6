#pragma once
// The heads-up display's own state; DrawHud and DrawBossBar are in frontend.h.
#include <cstdint>

#include "world/world.h"


// What the HUD shows of a replay being watched, filled in by the viewer: the frame on show out of the
// replay's frames, and the speed (a ReplaySpeed).
enum ReplaySpeed : int32_t { SpeedPaused, SpeedHalf, SpeedOne, SpeedTwo, SpeedFour };

constexpr char kLevelTitles[kLevelCount][12] = {"LEVEL ONE", "LEVEL TWO", "LEVEL THREE", "LEVEL FOUR"};
constexpr char kLevelSubtitles[kLevelCount][24] = {"they can't buy backbone", "like a record... baby",
                                        "the good stuff tovan", "I am your density"};

void DrawLivesIcon();
// The bar's ten segments from the bottom for a BossBar of v (0 empty, -180 full), as triangles.
void AddBossBarFill(float x, float y0, float v, uint32_t top);
float BossBarHiddenOffset();  // for the current orientation

void ResetHud();
