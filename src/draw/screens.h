#pragma once
// Screens drawn over the playfield at fixed moments of a level: the boss warning, the mission report
// and the pilot rating.
#include <cstdint>

#include "world/world.h"

constexpr char kPilotRanks[5][31] = {"DERANGED SEDATED CHICKEN", "INSANE METHADONE MONGOOSE",
                                    "CRAZED INTOXICATED RABID SHREW", "RAGING DEMENTED BUNNY",
                                    "CAFFEINE FUELLED NINJA CAT"};

// Drawn from what the game's level screens leave (game/level_screens.h); drawing only reads.
void DrawBossWarning(const World& w);
// The report's table and unlock messages (its count and unlocks are the game's: game/mission_report.h).
void DrawMissionReport(const World& w);
void DrawPilotStatus(const World& w);
