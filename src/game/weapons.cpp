#include "game/weapons.h"

int32_t FireLatch;
int32_t MainGunTimer, SideGunTimer, RearGunTimer;

// Until the player shots exist a volley fires nothing and completes at once.
int FireWeapon() { return 1; }

void ResetWeapons() { FireLatch = MainGunTimer = SideGunTimer = RearGunTimer = 0; }
