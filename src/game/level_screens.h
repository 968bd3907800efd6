#pragma once
// The screens shown at fixed moments of a level belong to the front end; the level flow calls them
// through this table, which the program's top layer fills in, so the game never reaches up for them.
#include <cstdint>

// The screen over the playfield this frame (`Level.ScreenShown`), drawn with the frame's picture.
enum LevelScreen : int32_t { NoScreen = 0, BossWarningScreen, MissionReportScreen, PilotStatusScreen };

// Each frame a screen shows, it is moved on (its throb, pulse, fireworks) here.
struct LevelScreens {
    void (*bossWarning)();
    void (*pilotStatus)();
    // At every game start; a full game from level 1 also resets the pilot's rank.
    void (*reset)(bool fullGameFromStart);
};

extern const LevelScreens Screens;
