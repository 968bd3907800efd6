#include "frontend/interstitials.h"

int32_t PilotRank;

// The warning, report and rating screens draw here once the front end exists.
void DrawBossWarning() {}
void DrawMissionReport() {}
void ResetMissionReport() {}
void DrawPilotStatus() {}

void ResetInterstitials(bool fullGameFromStart) {
    if (fullGameFromStart) PilotRank = 0;
}
