#include "app/verify.h"

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "app/replay.h"
#include "frontend/state_hash.h"
#include "game/game_flow.h"
#include "shell/random.h"
#include "world/fields.h"
#include "world/world.h"

namespace {

struct VerifyState {
    std::vector<unsigned char> aside;
    std::unique_ptr<World> brought;
};
VerifyState V;

template <typename T>
std::vector<unsigned char> Numbers(const T& part) {
    std::vector<unsigned char> out;
    ForEachNumber(part, [&out](const auto& v) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&v);
        out.insert(out.end(), bytes, bytes + sizeof v);
    });
    return out;
}

// The first part of the world that differs, named for the message.
const char* FirstDifference(const World& a, const World& b) {
    const char* found = nullptr;
    auto name = [](const void* field, const World& w) -> const char* {
        if (field == &w.Game) return "the game (lives, level, weapon, energy)";
        if (field == &w.Level) return "the level (its clock, the bosses)";
        if (field == &w.EnemyPool) return "the enemies";
        if (field == &w.EnemyBullets) return "the enemies' bullets";
        if (field == &w.PlayerShip) return "the ship";
        if (field == &w.Program) return "the game's mode or speed";
        return "the world";
    };
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        ((found = found ? found
                        : (Numbers(boost::pfr::get<I>(a)) == Numbers(boost::pfr::get<I>(b)) ? nullptr
                                                                                      : name(&boost::pfr::get<I>(a), a))),
         ...);
    }(std::make_index_sequence<boost::pfr::tuple_size_v<World>>{});
    return found;
}

}  // namespace

const char* UnmadeStart(RunKind& run) {
    if (!V.brought) V.brought = std::make_unique<World>();
    TakeSnapshot(V.aside);
    const HostVars host = W.Host;

    PutReplayStart();
    *V.brought = W;
    const GameVars& game = V.brought->Game;
    run.level = game.CurrentLevel;
    run.hz30 = V.brought->Program.SpeedSetting == 1;
    if (game.PlayType == Play::FullGame) run.kind = StartFullGame, run.level = 0;
    else if (game.PlayType == Play::LevelPractice) run.kind = StartLevelPractice;
    else if (game.BossRush) run.kind = StartBossRush, run.level = 0;
    else run.kind = StartBossPractice;
    // The runner's indestructible ship is kept so from the first frame: judged as ineligible instead.
    StartFromMenu(run.kind, run.level);
    if (ReplayFlags() & kReplayIndestructible) W.Invulnerable = V.brought->Invulnerable;
    const char* differs = FirstDifference(W, *V.brought);

    PutSnapshot(V.aside);
    W.Host = host;
    return differs;
}

long long LongestGame(int kind) {
    constexpr long long kHour = 60 * 60 * 60;
    return kind == StartFullGame ? 4 * kHour : kind == StartBossRush ? 2 * kHour : kHour;
}

std::string BoardName(const RunKind& run) {
    std::string name = run.kind == StartFullGame       ? "full"
                       : run.kind == StartBossRush     ? "rush"
                       : run.kind == StartLevelPractice ? "level-" + std::to_string(run.level + 1)
                                                        : "boss-" + std::to_string(run.level + 1);
    return run.hz30 ? name + "-30hz" : name;
}
