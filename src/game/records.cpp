#include "game/records.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "game/game_flow.h"
#include "game/level_state.h"
#include "game/mission_report.h"
#include "shell/data_dir.h"
#include "world/world.h"
#include "shell/name_value_file.h"

RecordsTable Records;
RecordNews News;


namespace {

const char* kRecordsName = "records.cfg";
const char* kRecordsTemp = "records.cfg.tmp";
constexpr int32_t kMaxFrames = 60 * 60 * 60;  // an hour: anything longer is not a time we kept

#define LEVEL_RECORDS(n)                                                                             \
    {"level_" #n "_collected", &Records.levelCollected[n - 1], -1, kLevelEnergy[n - 1], -1, nullptr}, \
    {"level_" #n "_held", &Records.levelHeld[n - 1], -1, kLevelEnergy[n - 1], -1, nullptr}
#define BOSS_RECORDS(n)                                                                 \
    {"boss_" #n "_frames", &Records.bossFrames[n - 1], 0, kMaxFrames, 0, nullptr}, \
    {"boss_" #n "_30hz", &Records.boss30Hz[n - 1], 0, 1, 0, nullptr}

const NamedValue kRecordValues[] = {
    {"full_level", &Records.fullLevel, 0, kFullGameCleared, 0, nullptr},
    LEVEL_RECORDS(1), LEVEL_RECORDS(2), LEVEL_RECORDS(3), LEVEL_RECORDS(4),
    BOSS_RECORDS(1), BOSS_RECORDS(2), BOSS_RECORDS(3), BOSS_RECORDS(4),
    {"rush_frames", &Records.rushFrames, 0, kMaxFrames, 0, nullptr},
    {"rush_30hz", &Records.rush30Hz, 0, 1, 0, nullptr},
};
constexpr size_t kRecordCount = sizeof kRecordValues / sizeof kRecordValues[0];

// The game being played: what it is, its frames so far, and when the boss came.
struct Tracked {
    int kind = -1;
    int32_t frames = 0, arrival = -1, kill = 0;
    int32_t reached = 0;                  // a full game's furthest level
    int32_t collected = -1, held = -1;    // a level practice's at its report
    bool reported = false;
    bool unsaved = false;  // a record set in memory, saved when the game ends
    bool checked = false;  // only judged: a replay played for its verdict keeps nothing
};
Tracked game;

bool Tracks() { return game.kind >= 0 && (game.checked || !W.Host.WatchingReplay); }
bool Keeps() { return Tracks() && !game.checked && !W.Program.UnlockCheatUsed; }

void Set(int replay) {
    News.isNew = 1;
    News.replay = replay;
    SaveRecords();
}

}  // namespace

void LoadRecordsFromText(const char* text, size_t length) {
    LoadNamedValuesFromText(kRecordValues, kRecordCount, text, length);
}
void LoadRecords() { LoadNamedValueFile(kRecordsName, kRecordValues, kRecordCount); }
int FormatRecords(char* out, size_t size) { return FormatNamedValues(kRecordValues, kRecordCount, true, out, size); }
void SaveRecords() { SaveNamedValueFile(kRecordsName, kRecordsTemp, kRecordValues, kRecordCount, true); }

void BeginRecordGame(int kind) {
    game = Tracked{};
    game.kind = kind;
    News = {0, 0, -1};
}

void BeginCheckedGame(int kind) {
    BeginRecordGame(kind);
    game.checked = true;
}

// A time counts once its report came, as a record would.
GameOutcome CheckedOutcome() {
    return {game.kind, game.reached, game.collected, game.held, game.reported ? game.kill : 0};
}

void TrackRecords() {
    if (!Tracks()) return;
    ++game.frames;
    const int level = W.Game.CurrentLevel;
    switch (game.kind) {
        case StartFullGame: {
            const int32_t reached = PilotRatingReached() ? kFullGameCleared : level + 1;
            game.reached = std::max(game.reached, reached);
            if (Keeps() && reached > Records.fullLevel) {
                Records.fullLevel = reached;
                // Level 1 is reached by starting: its save waits for the game's end, with its replay's,
                // rather than costing the first frame of play.
                game.unsaved = reached == 1;
                if (!game.unsaved) SaveRecords();
            }
            break;
        }
        case StartBossPractice:
            if (game.arrival < 0 && W.Level.BossSlot[level] >= 0) game.arrival = game.frames;
            if (game.kill == 0 && game.arrival >= 0 && W.Level.BossDefeated == 1) game.kill = game.frames - game.arrival;
            break;
        case StartBossRush:
            if (game.kill == 0 && level == kLastLevel && W.Level.BossDefeated == 1) game.kill = game.frames;
            break;
        default:
            break;
    }
}

void RecordsAtReport() {
    if (!Tracks() || game.reported) return;
    game.reported = true;
    const int level = W.Game.CurrentLevel;
    const int32_t hz30 = W.Program.SpeedSetting == 1 ? 1 : 0;
    if (game.kind == StartLevelPractice) {
        game.collected = W.Game.LevelCollected[level];
        game.held = W.Game.Held;
    }
    if (!Keeps()) return;
    switch (game.kind) {
        case StartLevelPractice: {
            const int32_t collected = game.collected, held = game.held;
            // The better game collected more, or as much and held more at the end.
            if (collected > Records.levelCollected[level] ||
                (collected == Records.levelCollected[level] && held > Records.levelHeld[level])) {
                Records.levelCollected[level] = collected;
                Records.levelHeld[level] = held;
                Set(ReplayLevel1 + level);
            }
            break;
        }
        case StartBossPractice:
            News.frames = game.kill;
            if (game.kill > 0 && (Records.bossFrames[level] == 0 || game.kill < Records.bossFrames[level])) {
                Records.bossFrames[level] = game.kill;
                Records.boss30Hz[level] = hz30;
                Set(ReplayBoss1 + level);
            }
            break;
        case StartBossRush:
            News.frames = game.kill;
            if (game.kill > 0 && (Records.rushFrames == 0 || game.kill < Records.rushFrames)) {
                Records.rushFrames = game.kill;
                Records.rush30Hz = hz30;
                Set(ReplayRush);
            }
            break;
        default:
            break;
    }
}

void RecordsAtGameEnd() {
    if (!game.unsaved) return;
    game.unsaved = false;
    SaveRecords();
}

void FormatRecordTime(char* out, size_t size, int32_t frames, bool minutes) {
    const int hundredths = static_cast<int>((static_cast<int64_t>(frames) * 100 + 30) / 60);
    if (minutes) std::snprintf(out, size, "%d:%02d.%02d", hundredths / 6000, hundredths / 100 % 60, hundredths % 100);
    else std::snprintf(out, size, "%d.%02d", hundredths / 100, hundredths % 100);
}

void ResetRecords() {
    ResetNamedValues(kRecordValues, kRecordCount);
    game = Tracked{};
    News = {0, 0, -1};
}

void ClearRecords() {
    ResetRecords();
    std::remove(DataPath(kRecordsName));
    // A record's replay would outlive the record it showed; the last game is no record and stays.
    for (int i = ReplayBest; i < kReplayFiles; ++i) std::remove(DataPath(kRecordReplays[i]));
}
