#pragma once
// The heads-up display's own state; it is drawn by draw/front_end.h.
#include <cstdint>

#include "world/world.h"


// What the HUD shows of a replay being watched, filled in by the viewer: the frame on show out of the
// replay's frames, and the speed (a ReplaySpeed).
enum ReplaySpeed : int32_t { SpeedPaused, SpeedHalf, SpeedOne, SpeedTwo, SpeedFour };

constexpr char kLevelTitles[kLevelCount][12] = {"LEVEL ONE", "LEVEL TWO", "LEVEL THREE", "LEVEL FOUR"};
constexpr char kLevelSubtitles[kLevelCount][24] = {"they can't buy backbone", "like a record... baby",
                                        "the good stuff tovan", "I am your density"};

// The screen orientation the HUD is laid out for: normal, horiz or 'tate.
inline int HudOrientation(const World& w) {
    return w.Saved.ScreenOrientation >= 0 && w.Saved.ScreenOrientation <= 2 ? w.Saved.ScreenOrientation : 0;
}
float BossBarHiddenOffset();  // for the current orientation

void ResetHud();
