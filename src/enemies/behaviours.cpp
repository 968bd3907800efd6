#include "enemies/behaviours.h"

#include "enemies/behaviour_ops.h"
#include "enemies/enemy_pool.h"
#include "world/world.h"

FireWatcher BehaviourFireWatcher = nullptr;

namespace {

using Script = void (*)(int32_t slot);

// Indexed by behaviour number; 1 has no script.
const Script kScripts[kBehaviourCount] = {
    MidBossLevel1, nullptr, StraightBurster, StraightBurster, CurlingCraft, CurlingCraft,     // 0..5
    RapidFireCraft, SCurveCraft, SCurveCraft, ConvergingCraft, BobbingCraft, BossLevel1,     // 6..11
    WeavingCraft, WeavingCraft, WeavingCraftLong, WeavingCraftLong, MidBossLevel2,           // 12..16
    BreathingCraft, SpinCycleCraft, BossLevel2,                                              // 17..19
    FormationCraft, FormationCraft, FormationCraft, FormationCraft,                          // 20..23
    DiagonalPass, DiagonalPass, DiagonalPass, DiagonalPass,                                  // 24..27
    DiagonalPass, DiagonalPass, DiagonalPass, DiagonalPass,                                  // 28..31
    TurningStream, TurningStream, TurningStream, TurningStream, TurningStream, TurningStream,  // 32..37
    Ring, Ring, MidBossLevel3,                                                               // 38..40
    BottomPair, BottomPair, BottomPair, BottomPair, BottomPair, BottomPair, BottomPair,      // 41..47
    TurningPair, TurningPair, TurningPair, TurningPair, BossLevel3,                          // 48..52
    TopEdgeCraft, TopEdgeCraft, HeavyCraft, SwayingStream, SwayingStream,                    // 53..57
    SideEntryCraft, SideEntryCraft, SideEntryCraft, SideEntryCraft, MidBossLevel4,           // 58..62
    QueueMember, QueueMember, QueueMember, QueueMember, QueueMember, QueueMember, QueueMember,  // 63..69
    QueueMember, QueueMember, QueueMember, QueueMember, QueueMember, QueueMember, QueueMember,  // 70..76
    ColumnMember, ColumnMember, ColumnMember, ColumnMember, ColumnMember, ColumnMember,        // 77..82
    ColumnMember, ColumnMember, ColumnMember, ColumnMember, ColumnMember, ColumnMember,        // 83..88
    ColumnMember, ColumnMember, Ring, Ring, BossLevel4,                                      // 89..93
};

}  // namespace

void RunBehaviour(int32_t slot) {
    if (W.Program.GameMode != Mode::Playing || slot < 0 || slot >= kEnemyPoolSize) return;
    const int32_t behaviour = W.EnemyPool[slot].behaviour;
    if (behaviour < 0 || behaviour >= kBehaviourCount || kScripts[behaviour] == nullptr) return;
    kScripts[behaviour](slot);
}

void UpdateEnemies() {
    for (int slot = 0; slot < kEnemyPoolSize; ++slot) {
        if (W.EnemyPool[slot].active != 1) continue;
        RunBehaviour(slot);
        AnimateEnemy(slot);
        StepEnemyFlash(slot);  // a hit flashes in the picture of the frame it landed in
    }
}
