#pragma once
// Screens drawn over the playfield at fixed moments of a level: the boss warning, the mission report
// and the pilot rating.
#include <cstdint>

#include "world/world.h"



constexpr char kPilotRanks[5][31] = {"DERANGED SEDATED CHICKEN", "INSANE METHADONE MONGOOSE",
                                    "CRAZED INTOXICATED RABID SHREW", "RAGING DEMENTED BUNNY",
                                    "CAFFEINE FUELLED NINJA CAT"};

// The warning's throb (its siren and the background's flash) and the rating's pulse and fireworks move
// on a frame in Advance; drawing only reads.
void AdvanceBossWarning();
void DrawBossWarning();
// The report's table and unlock messages (its count and unlocks are the game's: game/mission_report.h).
void DrawMissionReport();
void AdvancePilotStatus();
void DrawPilotStatus();
// At every game start; a full game from level 1 also resets the pilot's rank.
void ResetInterstitials(bool fullGameFromStart);
