#pragma once
// The sound device: the effects and the two music tracks loaded, and the update's requests played.
#include <cstdint>

#include "world/sounds.h"
#include "world/world.h"

// Opens the sound device and loads every effect and both tracks; silent if any of it fails.
void InitSound();
// Hands the requests the frame's update made (world/sounds.h) to the device, and clears them.
void PlayRequestedSounds();
// While on, requests are dropped unheard, though what plays is still kept in the world (MusicTrack):
// for frames a replay plays unseen, or shows again.
void QuietSound(bool on);
// The track MusicTrack names from its start, at the fade in force: what plays matches the state again
// after a replay moved.
void RestartMusic();

void ResetAudio();
