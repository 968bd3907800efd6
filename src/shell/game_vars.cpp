#include "shell/game_vars.h"

#include <cstring>

int32_t GameMode = Mode::Menu;
int32_t SpeedSetting;
int32_t PlayType;
int32_t BossRush;
int32_t CurrentLevel;
int32_t WeaponLevel;
int32_t Lives;
int32_t GameOverTimer;
int32_t Held;
int32_t PeakHeld;
int32_t LevelCollected[4];
int32_t HiScore;
int32_t PracticeUnlocked[4];
int32_t BossUnlocked[4];
int32_t BossRushUnlocked;
int32_t UnlockCheatUsed;
int32_t FastForward;
int32_t ResolutionIndex;
int32_t ResolutionWidths[6];
int32_t ResolutionHeights[6];
int32_t ScreenOrientation;
int32_t Windowed;
int32_t WindowX;
int32_t WindowY;
int32_t WatchingReplay;

void ResetGameVars() {
    GameMode = Mode::Menu;
    SpeedSetting = PlayType = BossRush = CurrentLevel = WeaponLevel = Lives = GameOverTimer = 0;
    Held = PeakHeld = HiScore = BossRushUnlocked = UnlockCheatUsed = FastForward = 0;
    std::memset(LevelCollected, 0, sizeof LevelCollected);
    std::memset(PracticeUnlocked, 0, sizeof PracticeUnlocked);
    std::memset(BossUnlocked, 0, sizeof BossUnlocked);
    ResolutionIndex = ScreenOrientation = Windowed = WindowX = WindowY = WatchingReplay = 0;
    std::memset(ResolutionWidths, 0, sizeof ResolutionWidths);
    std::memset(ResolutionHeights, 0, sizeof ResolutionHeights);
}
