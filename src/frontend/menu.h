#pragma once
// The in-game menu: one page at a time, built into a fixed table of items that the update steps
// through and the drawing reads.
#include <cstdint>

#include "game/records.h"
#include "world/world.h"

static_assert(std::tuple_size_v<decltype(W.Host.ReplayAvailable)> == kReplayFiles, "one entry per replay file");

// The page's title, from the page built (empty before any).
const char* MenuTitle();

void BuildMenu(int page);
// The requests the input step raised (W.Host), cleared once the menu has read them.
void ClearMenuRequests();
void UpdateMenu();  // once a frame in Menu

// Shows a setting changed outside the menu (Alt+Enter) on its item; the item under the cursor is applied
// every frame and would otherwise switch it back.
void RefreshMenuValues();

// The text of the resolution item for a value, or nullptr outside the table.
const char* ResolutionLabel(int value);

void ResetMenu();
