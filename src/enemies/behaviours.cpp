#include "enemies/behaviours.h"

#include "enemies/enemy_pool.h"

// The behaviour scripts move enemies once they exist; for now enemies hold where they spawned.
void UpdateEnemies() {
    for (int slot = 0; slot < kEnemyPoolSize; ++slot)
        if (EnemyPool[slot].active) DrawEnemy(slot);
}
