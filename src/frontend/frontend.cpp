#include "frontend/frontend.h"

// The menus, the HUD and the boss bar draw here once the front end exists.
void DrawMenu() {}
void DrawHud() {}
void DrawBossBar() {}
