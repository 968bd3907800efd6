#pragma once
// The screens shown over the playfield at fixed moments of a level: which one shows, and how each moves
// on while it shows.
#include <cstdint>

// The screen over the playfield this frame (`Level.ScreenShown`), drawn with the frame's picture.
enum LevelScreen : int32_t { NoScreen = 0, BossWarningScreen, MissionReportScreen, PilotStatusScreen };

// Each frame a screen shows, it is moved on here: the warning's throb (its siren and the background's
// flash), the rating's pulse and fireworks. The front end draws them from what these leave.
void AdvanceBossWarning();
void AdvancePilotStatus();
// At every game start; a full game from level 1 also resets the pilot's rank.
void ResetInterstitials(bool fullGameFromStart);
