#pragma once
// The menu's look: its colours and the credits' names; DrawMenu is in front_end.h.
#include <cstdint>

#include "world/world.h"

// The credits' name lines: the first heads both "GAME DESIGN" and "CODING".
constexpr char kCreditNames[3][23] = {"the quiv-ex team", "quiv-ex engine crew", "quiv-ex sound workshop"};

constexpr uint32_t kHiScoreColour = 0xFFAFAFAF, kPageTitleColour = 0xFF7F7F7F, kItemColour = 0xFF4F4F4F;
constexpr uint32_t kOtherValueColour = 0xFF2F2F2F, kCreditRoleColour = 0xFF5F5F7F;
constexpr uint32_t kCreditNameColour = 0xFF9F9FFF, kPromptColour = 0xFF7F7F7F;

uint32_t MenuHighlightColour(const World& w);  // the item under the cursor
uint32_t LockedColour(const World& w);         // "l o c k e d": dark red, pulsing against the highlight

