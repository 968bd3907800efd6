#include "world/sounds.h"

#include "world/world.h"

namespace {

// Effect number to sample number; 0 = silent.
constexpr int kEffectSample[14] = {0, 6, 5, 1, 0, 2, 0, 3, 4, 9, 10, 11, 12, 13};

void Request(SoundRequestKind kind, int32_t value = 0) {
    SoundRequests& queue = W.Host.Sounds;
    if (queue.count < kSoundRequestLimit) queue.items[queue.count++] = {kind, value};
}

}  // namespace

void PlaySound(Sound sound) {
    const int effect = static_cast<int>(sound);
    if (effect < 1 || effect > 13 || kEffectSample[effect] == 0) return;
    ++W.SoundsPlayed.effect[effect];
    Request(SoundRequestKind::Sample, kEffectSample[effect]);
}

void PlayExplosionSound() {
    ++W.SoundsPlayed.explosion;
    Request(SoundRequestKind::Sample, 1);
}

void PlayShotSound() {
    ++W.SoundsPlayed.shot;
    Request(SoundRequestKind::Sample, 7);
}

void PlayWarningSound() {
    ++W.SoundsPlayed.warning;
    Request(SoundRequestKind::Sample, 8);
}

void StartMusic(int track) {
    W.MusicFadeLevel = 255;
    StopMusic();
    if (track != 0 && track != 1) return;
    W.MusicTrack = track;
    Request(SoundRequestKind::StartStream, track);
}

void FadeMusic() { W.MusicFadeLevel = 254; }

void StopMusic() {
    Request(SoundRequestKind::StopStreams);
    W.MusicTrack = -1;
}

void UpdateMusicFade() {
    if (W.MusicFadeLevel < 255) {
        Request(SoundRequestKind::StreamVolume, W.MusicFadeLevel);
        --W.MusicFadeLevel;
    }
    if (W.MusicFadeLevel == 0) {
        StopMusic();
        W.MusicFadeLevel = 255;
    }
}

void ApplyVolumes() { Request(SoundRequestKind::ApplyVolumes); }
