#pragma once
// The game variables every subsystem reads and writes, grouped by how long they live: what the settings
// file keeps, what lasts the whole run of the program, and what lasts one game. Each group is cleared
// by assigning it a fresh value.
#include <array>
#include <cstdint>

#include "world/sounds.h"

namespace Mode {
enum : int32_t { Menu = 0, Playing = 1, Paused = 2, Quitting = 4, CaptureBinding = 5 };  // 3 is never entered
}

// PlayType's values: a boss practice and the boss rush are both boss fights.
namespace Play {
enum : int32_t { FullGame = 0, LevelPractice = 1, BossFight = 2 };
}

constexpr int kResolutionCount = 6;
constexpr int kLevelCount = 4;  // levels, each with its practice, mid-boss and boss
constexpr int kLastLevel = kLevelCount - 1;

// Control bindings: one InputCode per slot.
enum BindingSlot : int {
    SlotKeyUp = 0, SlotKeyDown, SlotKeyLeft, SlotKeyRight, SlotKeyFire, SlotKeyShield,
    SlotPadUp = 6, SlotPadDown, SlotPadLeft, SlotPadRight, SlotPadFire, SlotPadShield,
    SlotPause = 12,
    SlotJoypadEnabled = 13,  // 0/1, not an input
    kBindingSlots = 14
};

// Kept in quivex.cfg (with the bindings).
struct SavedVars {
    std::array<int32_t, kBindingSlots> Bindings;
    int32_t HiScore;
    std::array<int32_t, kLevelCount> PracticeUnlocked;
    std::array<int32_t, kLevelCount> BossUnlocked;
    int32_t BossRushUnlocked;
    int32_t ResolutionIndex;    // 0..5
    int32_t ScreenOrientation;  // 0 normal, 1 horizontal, 2 rotated ('tate)
    int32_t Windowed;
    int32_t WindowX;
    int32_t WindowY;
};

// From start-up to the end of the program.
struct ProgramVars {
    int32_t GameMode;      // a Mode:: value
    int32_t SpeedSetting;  // 0 = 60 Hz, 1 = 30 Hz
    int32_t UnlockCheatUsed;
};

// Where a record stands on the online boards, for its row of the records page.
namespace BoardRow {
enum : int32_t { None = 0, Sending, Checking, Ranked, Refused, NameUnknown };
}
struct BoardRowInfo {
    int32_t state;        // a BoardRow:: value
    int32_t rank, of;     // once ranked
    std::array<char, 64> reason;  // once refused, as the server said it
};

// This run of the program and not any game in it: copied with the world, never hashed or recorded.
struct ReplayHudInfo {
    int32_t position, length;  // frames
    int32_t speed;
};

struct HostVars {
    int32_t FastForward;
    int32_t WatchingReplay;  // 1 while a replay is being watched: nothing it does is saved
    ReplayHudInfo ReplayHud;  // where the watched replay is, for its HUD

    // The replays and records pages: which replay files there are (by RecordReplay: what is on this
    // disk), the one the player chose to watch (-1 none; the frame loop starts it), and frames left to
    // show that it could not be read.
    std::array<int32_t, 11> ReplayAvailable;
    int32_t WatchReplayRequest = -1;
    int32_t ReplayUnreadableTimer;

    SoundRequests Sounds;
    // The menu changed the window mode or resolution (the device is made again), or the smoothing.
    int32_t DisplayResetRequest, SmoothingRequest;  // what the frame's update asked of the sound device, not yet played

    // What the input step raised for the menu this frame (one press, one request); the menu clears them.
    int32_t MenuUpRequest, MenuDownRequest, MenuLeftRequest, MenuRightRequest, MenuSelectRequest;

    // Each record's standing on the online boards, by RecordReplay.
    std::array<BoardRowInfo, 11> BoardRows;
};

// The window sizes the resolution setting chooses from.
constexpr int32_t ResolutionWidths[kResolutionCount] = {640, 800, 1024, 1280, 1280, 1600};
constexpr int32_t ResolutionHeights[kResolutionCount] = {480, 600, 768, 720, 1024, 1200};

// One game, from its start on the menu to its end.
struct GameVars {
    int32_t PlayType;  // a Play:: value
    int32_t BossRush;
    int32_t CurrentLevel;  // 0..kLastLevel
    int32_t WeaponLevel;   // 0..7
    int32_t Lives;
    int32_t GameOverTimer;
    int32_t Held;
    int32_t PeakHeld;
    std::array<int32_t, kLevelCount> LevelCollected;
};

// Where the running level stands: its clock, its intro, the boss fight and the report. Each level's
// start sets what it needs.
struct LevelVars {
    int32_t LevelClock;       // frame within the level script; -1 before the first
    int32_t LevelTitleTimer;  // 0..200, the level intro
    int32_t BossActive;
    int32_t MidBossActive;
    int32_t BossDefeated;
    int32_t BossDeathTimer;
    float BossBar;  // 0 down to -180
    int32_t BossAlert;
    int32_t BossDownClock;
    int32_t ReportShowing;
    int32_t ScreenShown;  // a LevelScreen, set by each frame of play
    std::array<int32_t, kLevelCount> BossSlot;  // pool slots; -1 when there is none
    std::array<int32_t, kLevelCount> MidBossSlot;
};
