#include "game/mission_report.h"

#include "audio/audio.h"
#include "shell/game_vars.h"
#include "shell/settings.h"

MissionReportState Report;
const int32_t kLevelEnergy[4] = {55, 90, 123, 125};

namespace {

int Level() { return CurrentLevel >= 0 && CurrentLevel < 4 ? CurrentLevel : 0; }

}  // namespace

void CountReport() {
    if (++Report.tick < 4) return;
    Report.tick = 0;
    const int level = Level();
    const bool quiet = Report.collected >= LevelCollected[level] && Report.best >= PeakHeld;
    if (Report.collected < LevelCollected[level]) {
        ++Report.collected;
    } else {
        if (Report.held < Held) ++Report.held;
        if (Report.best < PeakHeld) ++Report.best;
    }
    if (!quiet) PlaySound(10);
}

// Each unlock is written to the settings file as it happens.
void GrantUnlocks() {
    const int level = Level();
    if (PracticeUnlocked[level] == 0) {
        PracticeUnlocked[level] = 1;
        Report.practiceFlash = 355;
        SaveSettings();
    }
    if (BossUnlocked[level] == 0 && Report.collected == kLevelEnergy[level]) {
        BossUnlocked[level] = 1;
        Report.bossFlash = 255;
        SaveSettings();
    }
    if (BossUnlocked[0] && BossUnlocked[1] && BossUnlocked[2] && BossUnlocked[3] && BossRushUnlocked == 0) {
        BossRushUnlocked = 1;
        Report.bossRushFlash = 255;
        SaveSettings();
    }
}


void ResetMissionReport() { Report = {}; }
