#include "audio/audio.h"

#include <cstring>

#include "music/music.h"
#include "platform/platform.h"
#include "shell/options.h"
#include "sound/sound.h"
#include "world/world.h"

namespace {

constexpr int kSamples = 13;
// The library's handles for what was loaded, the two music voices, and whether sound is muted.
struct AudioState {
    int sampleHandle[kSamples + 1] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int streamHandle[2] = {-1, -1};
    int streamVoice[2] = {-1, -1};
    bool quiet;
};
AudioState A;

constexpr int kFullEffectVolume = 128;

// The player's music volume applied to a level on the library's 0..255 scale.
int MusicLevel(int level) { return level * Options.MusicVolume / kVolumeSteps; }

void PlaySample(int sample) {
    if (sample >= 1 && sample <= kSamples && A.sampleHandle[sample] >= 0) plat::sound().PlaySample(A.sampleHandle[sample]);
}

void StopStreams() {
    plat::SoundLib& sound = plat::sound();
    for (int track = 0; track < 2; ++track)
        if (A.streamHandle[track] >= 0) sound.StopStream(A.streamHandle[track]);
}

void StartStream(int track) {
    StopStreams();
    if ((track != 0 && track != 1) || A.streamHandle[track] < 0) return;
    plat::SoundLib& sound = plat::sound();
    A.streamVoice[track] = sound.PlayStream(A.streamHandle[track]);
    // A stream starts at full volume: turned down at once when the player has it lower.
    if (Options.MusicVolume < kVolumeSteps && A.streamVoice[track] >= 0) sound.SetVoiceVolume(A.streamVoice[track], MusicLevel(255));
}

void SetStreamVolume(int level) {
    plat::SoundLib& sound = plat::sound();
    for (int track = 0; track < 2; ++track)
        if (A.streamVoice[track] >= 0) sound.SetVoiceVolume(A.streamVoice[track], MusicLevel(level));
}

void ApplyVolumesNow() {
    plat::SoundLib& sound = plat::sound();
    sound.SetMasterEffectVolume(kFullEffectVolume * Options.EffectsVolume / kVolumeSteps);
    if (W.MusicTrack >= 0 && A.streamVoice[W.MusicTrack] >= 0)
        sound.SetVoiceVolume(A.streamVoice[W.MusicTrack], MusicLevel(W.MusicFadeLevel < 255 ? W.MusicFadeLevel : 255));
}

}  // namespace

void InitSound() {
    plat::SoundLib& sound = plat::sound();
    sound.Init(44100, 32);
    sound.SetMasterEffectVolume(kFullEffectVolume * Options.EffectsVolume / kVolumeSteps);
    const EmbeddedFile files[kSamples + 1] = {
        {}, Sample01WavFile(), Sample02WavFile(), Sample03WavFile(), Sample04WavFile(), Sample05WavFile(),
        Sample06WavFile(), Sample07WavFile(), Sample08WavFile(), Sample09WavFile(), Sample10WavFile(),
        Sample11WavFile(), Sample12WavFile(), Sample13WavFile()};
    for (int s = 1; s <= kSamples; ++s) A.sampleHandle[s] = sound.LoadSample(files[s].data, files[s].size);
    // Sample 9 keeps the library's own default volume.
    static const int kDefaultVolume[kSamples + 1] = {0, 168, 71, 158, 254, 23, 254, 30, 234, -1, 234, 234, 234, 234};
    for (int s = 1; s <= kSamples; ++s)
        if (kDefaultVolume[s] >= 0 && A.sampleHandle[s] >= 0) sound.SetSampleDefaultVolume(A.sampleHandle[s], kDefaultVolume[s]);
    const EmbeddedFile tracks[2] = {Track0OggFile(), Track1OggFile()};
    for (int t = 0; t < 2; ++t) {
        A.streamHandle[t] = sound.OpenStream(tracks[t].data, tracks[t].size);
        if (A.streamHandle[t] >= 0) sound.SetStreamLooping(A.streamHandle[t], true);
    }
}

void PlayRequestedSounds() {
    SoundRequests& queue = W.Host.Sounds;
    for (int i = 0; i < queue.count && !A.quiet; ++i) {
        const SoundRequest& r = queue.items[i];
        switch (r.kind) {
            case SoundRequestKind::Sample: PlaySample(r.value); break;
            case SoundRequestKind::StartStream: StartStream(r.value); break;
            case SoundRequestKind::StopStreams: StopStreams(); break;
            case SoundRequestKind::StreamVolume: SetStreamVolume(r.value); break;
            case SoundRequestKind::ApplyVolumes: ApplyVolumesNow(); break;
        }
    }
    queue.count = 0;
}

void QuietSound(bool on) { A.quiet = on; }

void RestartMusic() {
    StopStreams();
    if (W.MusicTrack >= 0) StartStream(W.MusicTrack);
    ApplyVolumesNow();
}

void ResetAudio() {
    W.MusicFadeLevel = 255;
    W.MusicTrack = -1;
    A.quiet = false;
    W.Host.Sounds.count = 0;
    std::memset(&W.SoundsPlayed, 0, sizeof W.SoundsPlayed);
    for (int& h : A.sampleHandle) h = -1;
    A.streamHandle[0] = A.streamHandle[1] = -1;
    A.streamVoice[0] = A.streamVoice[1] = -1;
}
