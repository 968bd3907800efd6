#pragma once
// Effects from in-memory WAV files and looping music streams from in-memory Ogg Vorbis.
// Volumes are on a 0..255 scale. Handles are small integers; -1 means none.
#include <cstddef>

namespace plat {

class SoundLib {
public:
    virtual ~SoundLib() = default;
    virtual bool Init(int mixRate, int channels) = 0;
    virtual void SetMasterEffectVolume(int volume) = 0;
    virtual int LoadSample(const unsigned char* data, size_t size) = 0;
    virtual void SetSampleDefaultVolume(int sample, int volume) = 0;
    virtual int PlaySample(int sample) = 0;  // the voice used, or -1
    virtual int OpenStream(const unsigned char* data, size_t size) = 0;
    virtual void SetStreamLooping(int stream, bool loop) = 0;
    virtual int PlayStream(int stream) = 0;  // the voice used, or -1
    virtual void SetVoiceVolume(int voice, int volume) = 0;
    virtual void StopStream(int stream) = 0;
};

}  // namespace plat
