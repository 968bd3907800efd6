#pragma once
// Screens drawn over the playfield at fixed moments of a level.
#include <cstdint>

extern int32_t PilotRank;

void DrawBossWarning();
void DrawMissionReport();
void ResetMissionReport();
void DrawPilotStatus();
// At every game start; a full game from level 1 also resets the pilot's rank.
void ResetInterstitials(bool fullGameFromStart);
