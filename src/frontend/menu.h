#pragma once
// The in-game menu: one page at a time, built into a fixed table of items that the update steps
// through and the drawing reads.
#include <cstdint>

#include "game/records.h"

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
    char text[52];
};

constexpr int kMenuItems = 20;
constexpr int kMenuTextBytes = 52;

extern int32_t MenuPage;
extern char MenuTitle[kMenuTextBytes];
extern MenuItem MenuItems[kMenuItems];
extern int32_t MenuItemCount;
extern int32_t MenuCursor;

// The replays and records pages: which replay files there are (by RecordReplay), the one the player
// chose to watch (-1 none; the frame loop starts it), and frames left to show that it could not be read.
extern int32_t ReplayAvailable[kReplayFiles];
extern int32_t WatchReplayRequest;
extern int32_t ReplayUnreadableTimer;

void BuildMenu(int page);
void UpdateMenu();  // once a frame in Menu

// Shows a setting changed outside the menu (Alt+Enter) on its item; the item under the cursor is applied
// every frame and would otherwise switch it back.
void RefreshMenuValues();

// The text of the resolution item for a value, or nullptr outside the table.
const char* ResolutionLabel(int value);

void ResetMenu();
