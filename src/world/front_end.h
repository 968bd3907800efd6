#pragma once
// The front end's state: the menu's page of items and the mission report's count-up.
#include <array>
#include <cstdint>

enum MenuAction : int32_t {
    ActionStartGame = 2,
    ActionGoToPage = 3,
    ActionQuit = 4,
    ActionSpeed = 5,
    ActionPracticeLevel = 6,
    ActionPracticeBoss = 7,
    ActionDisplay = 8,
    ActionWindowed = 9,
    ActionResolution = 10,
    ActionRedefine = 11,
    ActionSaveBindings = 12,
    ActionBossRush = 13,
    ActionMusicVolume = 14,
    ActionEffectsVolume = 15,
    ActionWatchReplay = 16,
    ActionEffects = 17,
    ActionWatchRecord = 18,  // a row of the records page: its value is the record's replay
    ActionSmoothing = 19,
};

enum MenuPageId : int32_t { PageMain = 0, PagePractice = 1, PageOptions = 2, PageCredits = 3, PageRedefine = 4,
                           PageReplays = 5, PageRecords = 6 };

struct MenuItem {
    int32_t action;
    int32_t value;  // the current value, or the page to go to
    int32_t count;  // values left/right can choose from; 0 = fixed
    std::array<char, 52> text;
};

constexpr int kMenuItems = 20;
constexpr int kMenuTextBytes = 52;

// The count-up and the unlock flashes (frames each message has left to flash).
struct MissionReportState {
    int32_t collected, held, best;
    int32_t tick;  // 0..3
    int32_t practiceFlash, bossFlash, bossRushFlash;
};
