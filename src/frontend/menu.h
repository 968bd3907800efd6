#pragma once
// The in-game menu: one page at a time, built into a fixed table of items that the update steps
// through and the drawing reads.
#include <cstdint>

#include "game/records.h"
#include "world/world.h"


extern char MenuTitle[kMenuTextBytes];

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
