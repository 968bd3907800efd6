#pragma once
// The sounds the update asks for. Asking counts the sound and keeps what music plays in the world
// (W.MusicTrack, W.MusicFadeLevel); what the sound device should do is queued as requests that the frame
// hands to the audio layer after the update (PlayRequestedSounds), so the update never touches a device.
#include <array>
#include <cstdint>

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

enum class SoundRequestKind : int32_t {
    Sample,        // value: the sample to play, 1..13
    StartStream,   // value: the track, 0 level music, 1 boss music
    StopStreams,
    StreamVolume,  // value: the fade level, 1..254, scaled by the player's music volume
    ApplyVolumes,  // the player's volumes changed
};
struct SoundRequest {
    SoundRequestKind kind;
    int32_t value;
};
// A frame asks for a handful; more than this in one frame are dropped (still counted).
constexpr int kSoundRequestLimit = 64;
struct SoundRequests {
    std::array<SoundRequest, kSoundRequestLimit> items;
    int32_t count;
};

void PlaySound(Sound effect);  // anything outside the table plays nothing
void PlayExplosionSound();
void PlayShotSound();
void PlayWarningSound();
void StartMusic(int track);  // 0 level music, 1 boss music
void FadeMusic();
void StopMusic();
// Once a frame: a fade in progress turns the music down a step, and stops it at the end.
void UpdateMusicFade();
// The player's music and effect volumes, applied to what plays.
void ApplyVolumes();
