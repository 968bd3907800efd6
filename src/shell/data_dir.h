#pragma once
#include <cstddef>

// Where "quivex.cfg" and "err.log" live: the working directory, or, when that cannot be written,
// $XDG_CONFIG_HOME/quiv-ex (default ~/.config/quiv-ex).

// Decides once at start-up, before the log is created.
void ChooseDataDir();
// Uses the working directory (or `dir` when given) without probing; for tests.
void SetDataDir(const char* dir);
// The path of a data file, in a buffer that stays valid until the next call with the same slot.
const char* DataPath(const char* fileName);
const char* DataDir();  // "" for the working directory

// Writes a data file whole or not at all: into `tempName` beside it, synced, then renamed over it, so a
// crash or a full disk never leaves it cut short. False, with a line in "err.log", when it could not be
// written; the old file is then as it was. With `ownerOnly` only the player may read it.
bool WriteDataFileAtomically(const char* fileName, const char* tempName, const void* data, size_t size,
                             bool ownerOnly = false);
// How many saves have been asked for since start-up, done or failed: a frame that made one spent its time
// on the disk.
unsigned long long DataFileSaves();
// Makes a folder among the data files (e.g. "replays"); false when it is not there afterwards.
bool MakeDataFolder(const char* name);
