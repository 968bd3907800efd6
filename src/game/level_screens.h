#pragma once
// The screens shown at fixed moments of a level belong to the front end; the level flow calls them
// through this table, which the program's top layer fills in, so the game never reaches up for them.

// Each screen is moved on a frame and drawn.
struct LevelScreens {
    void (*bossWarning)();
    void (*missionReport)();
    void (*pilotStatus)();
    // At every game start; a full game from level 1 also resets the pilot's rank.
    void (*reset)(bool fullGameFromStart);
};

extern const LevelScreens Screens;
