#pragma once
// Replays: a game kept as the controls it read on every frame, from a snapshot of the world on its
// first frame, with the hash of the state it ended in. The same build plays it back to the same hash.
#include <cstdint>
#include <string>
#include <vector>

#include "frontend/state_hash.h"
#include "input/controls.h"

// Recording. Begun on a game's first frame (before its input step), fed every frame's input, finished
// when the game is over.
void BeginRecording();
bool Recording();
void RecordFrameControls(const Controls& controls);  // this frame's, as the game reads them
void FinishRecording();   // takes the hash of the state now
bool SaveRecording(const char* path, std::string& error);
// The recording as a file's bytes.
void FormatRecording(std::vector<unsigned char>& file);
// Kept with a recording: how the game was played beyond its input (the runner's indestructible ship).
constexpr uint32_t kReplayIndestructible = 1;
void SetReplayFlags(uint32_t flags);
uint32_t ReplayFlags();

// Playing back. A loaded replay restores its snapshot, then gives each frame's input in turn.
bool LoadReplay(const char* path, std::string& error);
// The file's bytes, checked; false with a reason for anything but a whole replay of this version.
bool ReadReplay(const unsigned char* data, size_t size, std::string& error);
void StartPlayback();
// The world and the random generator put where the replay read last starts, and nothing else.
void PutReplayStart();
// The version of the game's rules this build plays and records (a replay plays only in its own).
uint32_t GameVersion();
// While playing back, the input step takes each frame's input from the replay instead of the devices.
bool PlaybackActive();
// This frame's controls from the file; false (and playing back ends) once all were given.
bool PlaybackControls(Controls& controls);
bool PlaybackDone();   // every recorded frame has been given
long long PlaybackPosition();  // frames given so far
// Where a playback is in its inputs: with the world and the random generator, all its next frames
// depend on.
struct PlaybackPlace {
    size_t readAt;
    uint32_t unchangedRun;
    unsigned char previous[kControlsBytes];
    bool pending;
    uint32_t changes;
    long long played;
};
PlaybackPlace TakePlaybackPlace();
void PutPlaybackPlace(const PlaybackPlace& place);
long long ReplayFrames();
uint64_t ReplayHash();

// Every game played from the menu is recorded; when it ends it is kept as "replays/last.qxr", and a
// full game that set a new high score as "replays/best.qxr" too (beside "quivex.cfg"), and one that set
// a practice, boss or boss rush record as that record's replay ("replays/boss-3.qxr").
// Makes room for a game's recording once, so recording and keeping it allocate nothing in a frame.
void PrepareReplays();
void RecordGamesBeforeFrame();
void RecordGamesAfterFrame();

// Watching from the menu: the player's own state is kept aside while the replay plays, and put back
// when it ends or the player presses Escape.
void PerformWatchRequest();  // after the menu's update: starts the replay the player chose, if any
void StopWatching();
// The input step while watching: the player's Escape, F1 and F2 act; everything else is the replay's.
void WatchInputStep(bool escape, bool fastForwardOff, bool fastForwardOn);
void AfterWatchedFrame();

void ResetReplay();
