#include "game/mission_report.h"

#include <initializer_list>

#include "audio/audio.h"
#include "shell/game_vars.h"
#include "shell/settings.h"

MissionReportState Report;
const int32_t kLevelEnergy[kLevelCount] = {55, 90, 123, 125};

namespace {

int ReportLevel() { return Game.CurrentLevel >= 0 && Game.CurrentLevel < kLevelCount ? Game.CurrentLevel : 0; }

}  // namespace

void CountReport() {
    if (++Report.tick < 4) return;
    Report.tick = 0;
    const int level = ReportLevel();
    const bool quiet = Report.collected >= Game.LevelCollected[level] && Report.best >= Game.PeakHeld;
    if (Report.collected < Game.LevelCollected[level]) {
        ++Report.collected;
    } else {
        if (Report.held < Game.Held) ++Report.held;
        if (Report.best < Game.PeakHeld) ++Report.best;
    }
    if (!quiet) PlaySound(Sound::ReportCount);
}

void StepUnlockFlashes() {
    for (int32_t* timer : {&Report.practiceFlash, &Report.bossFlash, &Report.bossRushFlash})
        if (*timer > 0) --*timer;
}

// Each unlock is written to the settings file as it happens.
void GrantUnlocks() {
    const int level = ReportLevel();
    if (Saved.PracticeUnlocked[level] == 0) {
        Saved.PracticeUnlocked[level] = 1;
        Report.practiceFlash = 355;
        SaveSettings();
    }
    if (Saved.BossUnlocked[level] == 0 && Report.collected == kLevelEnergy[level]) {
        Saved.BossUnlocked[level] = 1;
        Report.bossFlash = 255;
        SaveSettings();
    }
    if (Saved.BossUnlocked[0] && Saved.BossUnlocked[1] && Saved.BossUnlocked[2] && Saved.BossUnlocked[3] && Saved.BossRushUnlocked == 0) {
        Saved.BossRushUnlocked = 1;
        Report.bossRushFlash = 255;
        SaveSettings();
    }
}


void ResetMissionReport() { Report = {}; }
