#include "game/level_screens.h"

#include "frontend/interstitials.h"

const LevelScreens Screens = {AdvanceBossWarning, AdvancePilotStatus, ResetInterstitials};
