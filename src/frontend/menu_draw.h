#pragma once
// The menu's animation state; the drawing itself is DrawMenu (frontend.h).
#include <cstdint>

extern float ArrowWobble;     // 0..3, the resolution arrows' sway
extern int32_t MenuPulseAngle;  // 0..179
extern int32_t MenuPulse;     // 6..252, the highlight's grey level
extern float CreditsTargetA[3], CreditsTargetB[3];
extern float CreditsJitterA[3], CreditsJitterB[3];

// The credits' name lines: the first heads both "GAME DESIGN" and "CODING".
extern const char* const kCreditNames[3];

constexpr uint32_t kHiScoreColour = 0xFFAFAFAF, kPageTitleColour = 0xFF7F7F7F, kItemColour = 0xFF4F4F4F;
constexpr uint32_t kOtherValueColour = 0xFF2F2F2F, kCreditRoleColour = 0xFF5F5F7F;
constexpr uint32_t kCreditNameColour = 0xFF9F9FFF, kPromptColour = 0xFF7F7F7F;

uint32_t MenuHighlightColour();  // the item under the cursor
uint32_t LockedColour();         // "l o c k e d": dark red, pulsing against the highlight

void ResetMenuDraw();
