#include "frontend/frontend.h"

int32_t MenuPage;

// The menus, the HUD and the boss bar draw here once the front end exists.
void DrawMenu() {}
void DrawHud() {}
void DrawBossBar() {}
