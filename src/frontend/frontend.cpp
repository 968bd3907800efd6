#include "frontend/frontend.h"

#include "frontend/hud.h"
#include "frontend/menu.h"
#include "game/level_screens.h"
#include "game/mission_report.h"

void ResetFrontEnd() {
    ResetMenu();
    ResetHud();
    ResetMissionReport();
    ResetInterstitials(true);
}
