#pragma once
// The player's records, one set for each kind of game, kept in "records.cfg" (the full game's high score
// stays `HiScore` in "quivex.cfg"). A record is set when the game earns it: a level practice or a boss
// fight at its report, the boss rush on its completion screen, the full game on reaching a level. Nothing
// a replay or a game after the unlock combination does is kept.
#include <cstddef>
#include <cstdint>

#include "world/world.h"

constexpr int32_t kFullGameCleared = 5;  // `fullLevel` once the last boss of a full game is down

struct RecordsTable {
    int32_t fullLevel;             // furthest level of a full game, 1..4, or kFullGameCleared; 0 none
    int32_t levelCollected[kLevelCount];     // a level practice's best game: energy collected, -1 none
    int32_t levelHeld[kLevelCount];          // and held at its end
    int32_t bossFrames[kLevelCount];         // the fastest kill, boss arrival to destruction in game frames; 0 none
    int32_t boss30Hz[kLevelCount];           // 1 when that kill was played at 30 Hz
    int32_t rushFrames, rush30Hz;  // the fastest boss rush, from its start to the last boss's destruction
};
extern RecordsTable Records;

// The replays kept beside the records (index into `kRecordReplays`): the full game's best is "best.qxr".
enum RecordReplay : int32_t { ReplayLast = 0, ReplayBest = 1, ReplayLevel1 = 2, ReplayBoss1 = 6, ReplayRush = 10,
                              kReplayFiles = 11 };
constexpr char kRecordReplays[kReplayFiles][20] = {
    "replays/last.qxr",    "replays/best.qxr",   "replays/level-1.qxr", "replays/level-2.qxr",
    "replays/level-3.qxr", "replays/level-4.qxr", "replays/boss-1.qxr", "replays/boss-2.qxr",
    "replays/boss-3.qxr",  "replays/boss-4.qxr",  "replays/rush.qxr"};

// What this game set, for the report and for keeping its replay.
struct RecordNews {
    int32_t isNew;      // this game set its kind's record
    int32_t frames;     // the boss fight's or the rush's time, once known (0 before)
    int32_t replay;     // the RecordReplay file its game is kept in when it ends; -1 none
};
extern RecordNews News;

void LoadRecords();
void SaveRecords();
void LoadRecordsFromText(const char* text, size_t length);
int FormatRecords(char* out, size_t size);  // the length written, or -1 when `size` is too small

// A game started from the menu, of StartFromMenu's kind.
void BeginRecordGame(int kind);
// What a game has earned by the rules above, kept also for a game only judged (a replay played for its
// verdict), which sets no record. Taken when the game is over.
struct GameOutcome {
    int32_t kind;       // StartFromMenu's kind; -1 none
    int32_t fullLevel;  // a full game's furthest level, kFullGameCleared once it is won
    int32_t collected, held;  // a level practice's at its report; -1 when it never came
    int32_t frames;     // a boss fight's or the rush's time; 0 when the boss was never destroyed
};
void BeginCheckedGame(int kind);
GameOutcome CheckedOutcome();
// Each frame of play, after everything moved: counts the game's frames, notes a boss's arrival and end.
void TrackRecords();
// The report or the rush's completion screen has come up.
void RecordsAtReport();
// The game is over or left: saves what was set in it and not saved yet.
void RecordsAtGameEnd();
// A frames count as seconds to the hundredth, "12.34", or with `minutes` as "5:50.73".
void FormatRecordTime(char* out, size_t size, int32_t frames, bool minutes = false);

void ResetRecords();
// "clear all": every record forgotten, on disk too, with the replays kept for them.
void ClearRecords();
