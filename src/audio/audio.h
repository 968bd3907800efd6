#pragma once
// Effects by name, three more with functions of their own, and two music tracks with a fade.
#include <cstdint>

#include "world/world.h"


// Opens the sound device and loads every effect and both tracks; silent if any of it fails.
void InitSound();
// The effects by what they answer, numbered as the samples' table orders them (4 and 6 are silent).
enum class Sound : int32_t {
    EnergyCollected = 1,  // an energy pickup collected
    ShotHit = 2,          // a player shot hits an enemy
    ShipDestroyed = 3,
    MenuPulse = 5,        // the menu's title glow at its low point
    WeaponCollected = 7,
    ExtraLife = 8,
    ShieldRaised = 9,
    ReportCount = 10,     // each count-up step of the mission report
    ShieldAbsorbs = 11,   // the shield takes a bullet
    Bonus = 12,           // every sixth bullet one shield takes, and the unlock combination
    StudioFlash = 13,     // the studio logo flashing on a warm-up frame
};
void PlaySound(Sound effect);  // anything outside the table plays nothing
void PlayExplosionSound();
void PlayShotSound();
void PlayWarningSound();
void StartMusic(int track);  // 0 level music, 1 boss music
void FadeMusic();
// The player's music and effect volumes, applied now to what plays.
void ApplyVolumes();
void StopMusic();
void UpdateMusicFade();
// While on, effects are counted but not heard and music is neither started nor stopped, though what
// plays is still kept (MusicTrack): for frames a replay plays unseen, or shows again.
void QuietSound(bool on);
// The track MusicTrack names from its start, at the fade in force: what plays matches the state again
// after a replay moved.
void RestartMusic();


void ResetAudio();
