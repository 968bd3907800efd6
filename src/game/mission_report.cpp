#include "game/mission_report.h"

#include <initializer_list>

#include "world/sounds.h"
#include "world/world.h"
#include "shell/settings.h"

const int32_t kLevelEnergy[kLevelCount] = {55, 90, 123, 125};

namespace {

int ReportLevel() { return W.Game.CurrentLevel >= 0 && W.Game.CurrentLevel < kLevelCount ? W.Game.CurrentLevel : 0; }

}  // namespace

void CountReport() {
    if (++W.Report.tick < 4) return;
    W.Report.tick = 0;
    const int level = ReportLevel();
    const bool quiet = W.Report.collected >= W.Game.LevelCollected[level] && W.Report.best >= W.Game.PeakHeld;
    if (W.Report.collected < W.Game.LevelCollected[level]) {
        ++W.Report.collected;
    } else {
        if (W.Report.held < W.Game.Held) ++W.Report.held;
        if (W.Report.best < W.Game.PeakHeld) ++W.Report.best;
    }
    if (!quiet) PlaySound(Sound::ReportCount);
}

void StepUnlockFlashes() {
    for (int32_t* timer : {&W.Report.practiceFlash, &W.Report.bossFlash, &W.Report.bossRushFlash})
        if (*timer > 0) --*timer;
}

// Each unlock is written to the settings file as it happens.
void GrantUnlocks() {
    const int level = ReportLevel();
    if (W.Saved.PracticeUnlocked[level] == 0) {
        W.Saved.PracticeUnlocked[level] = 1;
        W.Report.practiceFlash = 355;
        SaveSettings();
    }
    if (W.Saved.BossUnlocked[level] == 0 && W.Report.collected == kLevelEnergy[level]) {
        W.Saved.BossUnlocked[level] = 1;
        W.Report.bossFlash = 255;
        SaveSettings();
    }
    if (W.Saved.BossUnlocked[0] && W.Saved.BossUnlocked[1] && W.Saved.BossUnlocked[2] && W.Saved.BossUnlocked[3] && W.Saved.BossRushUnlocked == 0) {
        W.Saved.BossRushUnlocked = 1;
        W.Report.bossRushFlash = 255;
        SaveSettings();
    }
}


void ResetMissionReport() { W.Report = {}; }
