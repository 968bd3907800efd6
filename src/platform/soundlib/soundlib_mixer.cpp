#include <SDL.h>
#include <SDL_mixer.h>

#include <vector>

#include "platform/real.h"

namespace plat {
namespace {

int MixerVolume(int v) {  // 0..255 to the mixer's 0..128
    if (v < 0) v = 0;
    if (v > 255) v = 255;
    return v * MIX_MAX_VOLUME / 255;
}

// Music has a single voice in the mixer; it is given a number above the effect voices.
constexpr int kMusicVoice = 1000;

class MixerSound : public SoundLib {
public:
    bool Init(int mixRate, int channels) override {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        if (Mix_OpenAudio(mixRate, AUDIO_S16SYS, 2, 1024) != 0) return false;
        Mix_Init(MIX_INIT_OGG);
        Mix_AllocateChannels(channels);
        open_ = true;
        return true;
    }

    void SetMasterEffectVolume(int volume) override {
        if (open_) Mix_MasterVolume(MixerVolume(volume));
    }

    int LoadSample(const unsigned char* data, size_t size) override {
        if (!open_ || !data) return -1;
        Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1);
        if (!chunk) return -1;
        samples_.push_back(chunk);
        return static_cast<int>(samples_.size()) - 1;
    }

    void SetSampleDefaultVolume(int sample, int volume) override {
        if (Valid(sample)) Mix_VolumeChunk(samples_[sample], MixerVolume(volume));
    }

    int PlaySample(int sample) override {
        if (!Valid(sample)) return -1;
        return Mix_PlayChannel(-1, samples_[sample], 0);
    }

    int OpenStream(const unsigned char* data, size_t size) override {
        if (!open_ || !data) return -1;
        Mix_Music* music = Mix_LoadMUS_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1);
        if (!music) return -1;
        streams_.push_back({music, false});
        return static_cast<int>(streams_.size()) - 1;
    }

    void SetStreamLooping(int stream, bool loop) override {
        if (stream >= 0 && stream < static_cast<int>(streams_.size())) streams_[stream].loop = loop;
    }

    int PlayStream(int stream) override {
        if (stream < 0 || stream >= static_cast<int>(streams_.size())) return -1;
        if (Mix_PlayMusic(streams_[stream].music, streams_[stream].loop ? -1 : 1) != 0) return -1;
        Mix_VolumeMusic(MIX_MAX_VOLUME);  // a newly started stream plays at full volume
        playing_ = stream;
        return kMusicVoice;
    }

    void SetVoiceVolume(int voice, int volume) override {
        if (!open_) return;
        if (voice == kMusicVoice) Mix_VolumeMusic(MixerVolume(volume));
        else if (voice >= 0) Mix_Volume(voice, MixerVolume(volume));
    }

    void StopStream(int stream) override {
        if (open_ && stream >= 0 && stream == playing_) {
            Mix_HaltMusic();
            playing_ = -1;
        }
    }

private:
    bool Valid(int sample) const { return sample >= 0 && sample < static_cast<int>(samples_.size()); }

    struct Stream {
        Mix_Music* music;
        bool loop;
    };
    bool open_ = false;
    std::vector<Mix_Chunk*> samples_;
    std::vector<Stream> streams_;
    int playing_ = -1;
};

}  // namespace

SoundLib& RealSound() {
    static MixerSound s;
    return s;
}

}  // namespace plat
