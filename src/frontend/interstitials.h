#pragma once
// Screens drawn over the playfield at fixed moments of a level: the boss warning, the mission report
// (which grants the unlocks) and the pilot rating.
#include <cstdint>

extern int32_t PilotRank;  // index of the rating title

extern int32_t WarningPulseAngle, WarningPulse;  // 0..179, 6..122
extern int32_t StatusPulseAngle, StatusPulse;    // the rating screen's own pulse

// The mission report's count-up and its unlock flashes.
struct MissionReportState {
    int32_t collected, held, best;
    int32_t tick;  // 0..3
    int32_t practiceFlash, bossFlash, bossRushFlash;
};
extern MissionReportState Report;

extern const char* const kPilotRanks[5];
extern const int32_t kLevelEnergy[4];  // every energy pickup of a level: its boss unlock

void DrawBossWarning();
void DrawMissionReport();
void ResetMissionReport();
void DrawPilotStatus();
// At every game start; a full game from level 1 also resets the pilot's rank.
void ResetInterstitials(bool fullGameFromStart);
