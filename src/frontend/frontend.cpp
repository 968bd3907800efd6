#include "frontend/frontend.h"

#include "frontend/front_text.h"
#include "frontend/hud.h"
#include "frontend/interstitials.h"
#include "game/level_screens.h"
#include "game/mission_report.h"
#include "frontend/menu.h"
#include "frontend/menu_draw.h"

void ResetFrontEnd() {
    ResetMenu();
    ResetHud();
    ResetMissionReport();
    ResetInterstitials(true);
    ClearFrontTextLog();
}
