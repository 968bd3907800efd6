// Sound through emscripten's OpenAL, which plays on the page's Web Audio context; that context starts
// with the player's first key press, as browsers require. Music is decoded by stb_vorbis a little ahead
// of the player, on every animation frame.
#include <AL/al.h>
#include <AL/alc.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/real.h"
#include "platform/web/web_backends.h"

// Last: the decoder leaves short macros defined.
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>

extern "C" int quivex_audio_running();  // page.js

namespace plat {
namespace {

constexpr int kMusicVoice = 1000;  // as on the desktop: one music voice, numbered above the effects
constexpr int kMaxVoices = 32;
constexpr int kMusicBuffers = 4;
constexpr int kMusicFrames = 8192;  // per buffer: four of them hold about 0.7 s

uint32_t Le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// PCM WAV files (8 or 16 bits, mono or stereo), as the effects are made.
bool ParseWav(const unsigned char* d, size_t size, ALenum& format, const unsigned char*& pcm, ALsizei& bytes,
              ALsizei& rate) {
    if (size < 12 || std::memcmp(d, "RIFF", 4) != 0 || std::memcmp(d + 8, "WAVE", 4) != 0) return false;
    int channels = 0, bits = 0;
    pcm = nullptr;
    for (size_t at = 12; at + 8 <= size;) {
        uint32_t len = Le32(d + at + 4);
        const unsigned char* body = d + at + 8;
        if (len > size - at - 8) len = static_cast<uint32_t>(size - at - 8);
        if (std::memcmp(d + at, "fmt ", 4) == 0 && len >= 16) {
            if (Le16(body) != 1) return false;  // PCM only
            channels = Le16(body + 2);
            rate = static_cast<ALsizei>(Le32(body + 4));
            bits = Le16(body + 14);
        } else if (std::memcmp(d + at, "data", 4) == 0) {
            pcm = body;
            bytes = static_cast<ALsizei>(len);
        }
        at += 8 + len + (len & 1);
    }
    if (!pcm || rate <= 0) return false;
    if (channels == 1 && bits == 8) format = AL_FORMAT_MONO8;
    else if (channels == 1 && bits == 16) format = AL_FORMAT_MONO16;
    else if (channels == 2 && bits == 8) format = AL_FORMAT_STEREO8;
    else if (channels == 2 && bits == 16) format = AL_FORMAT_STEREO16;
    else return false;
    return true;
}

float Gain(int a, int b, int c) { return static_cast<float>(a) * b * c / (255.0f * 255.0f * 255.0f); }

class OpenAlSound : public SoundLib {
public:
    bool Init(int mixRate, int channels) override {
        device_ = alcOpenDevice(nullptr);
        if (!device_) return false;
        ALCint attrs[] = {ALC_FREQUENCY, mixRate, 0};
        context_ = alcCreateContext(device_, attrs);
        if (!context_ || !alcMakeContextCurrent(context_)) return false;
        voices_ = channels < kMaxVoices ? channels : kMaxVoices;
        alGenSources(voices_, sources_);
        alGenSources(1, &musicSource_);
        alGenBuffers(kMusicBuffers, musicBuffers_);
        for (int v = 0; v < voices_; ++v) voiceVolume_[v] = 255, voiceSample_[v] = -1;
        return alGetError() == AL_NO_ERROR;
    }

    void SetMasterEffectVolume(int volume) override {
        master_ = Clamp(volume);
        for (int v = 0; v < voices_; ++v) ApplyGain(v);
    }

    int LoadSample(const unsigned char* data, size_t size) override {
        if (!context_ || !data) return -1;
        ALenum format;
        const unsigned char* pcm;
        ALsizei bytes = 0, rate = 0;
        if (!ParseWav(data, size, format, pcm, bytes, rate)) return -1;
        Sample s;
        alGenBuffers(1, &s.buffer);
        alBufferData(s.buffer, format, pcm, bytes, rate);
        samples_.push_back(s);
        return static_cast<int>(samples_.size()) - 1;
    }

    void SetSampleDefaultVolume(int sample, int volume) override {
        if (ValidSample(sample)) samples_[sample].volume = Clamp(volume);
    }

    // The first voice not playing, as the desktop's mixer picks one. Before the page may sound, none.
    int PlaySample(int sample) override {
        if (!ValidSample(sample) || !quivex_audio_running()) return -1;
        for (int v = 0; v < voices_; ++v) {
            ALint state = 0;
            alGetSourcei(sources_[v], AL_SOURCE_STATE, &state);
            if (state == AL_PLAYING) continue;
            alSourceStop(sources_[v]);
            alSourcei(sources_[v], AL_BUFFER, static_cast<ALint>(samples_[sample].buffer));
            voiceSample_[v] = sample;
            ApplyGain(v);
            alSourcePlay(sources_[v]);
            return v;
        }
        return -1;
    }

    int OpenStream(const unsigned char* data, size_t size) override {
        if (!context_ || !data) return -1;
        streams_.push_back({data, size, false});
        return static_cast<int>(streams_.size()) - 1;
    }

    void SetStreamLooping(int stream, bool loop) override {
        if (stream >= 0 && stream < static_cast<int>(streams_.size())) streams_[stream].loop = loop;
    }

    int PlayStream(int stream) override {
        if (stream < 0 || stream >= static_cast<int>(streams_.size())) return -1;
        StopMusic();
        int error = 0;
        const Stream& s = streams_[stream];
        vorbis_ = stb_vorbis_open_memory(s.data, static_cast<int>(s.size), &error, nullptr);
        if (!vorbis_) return -1;
        stb_vorbis_info info = stb_vorbis_get_info(vorbis_);
        musicChannels_ = info.channels > 1 ? 2 : 1;
        musicRate_ = static_cast<ALsizei>(info.sample_rate);
        playing_ = stream;
        musicVolume_ = 255;  // a newly started stream plays at full volume
        alSourcef(musicSource_, AL_GAIN, 1.0f);
        for (ALuint b : musicBuffers_)
            if (Fill(b)) alSourceQueueBuffers(musicSource_, 1, &b);
        alSourcePlay(musicSource_);
        return kMusicVoice;
    }

    void SetVoiceVolume(int voice, int volume) override {
        if (!context_) return;
        if (voice == kMusicVoice) {
            musicVolume_ = Clamp(volume);
            alSourcef(musicSource_, AL_GAIN, musicVolume_ / 255.0f);
        } else if (voice >= 0 && voice < voices_) {
            voiceVolume_[voice] = Clamp(volume);
            ApplyGain(voice);
        }
    }

    void StopStream(int stream) override {
        if (context_ && stream >= 0 && stream == playing_) StopMusic();
    }

    // Played buffers are filled again and queued behind the rest.
    void Pump() {
        if (!vorbis_) return;
        ALint done = 0;
        alGetSourcei(musicSource_, AL_BUFFERS_PROCESSED, &done);
        while (done-- > 0) {
            ALuint b = 0;
            alSourceUnqueueBuffers(musicSource_, 1, &b);
            if (Fill(b)) alSourceQueueBuffers(musicSource_, 1, &b);
        }
        ALint state = 0, queued = 0;
        alGetSourcei(musicSource_, AL_SOURCE_STATE, &state);
        alGetSourcei(musicSource_, AL_BUFFERS_QUEUED, &queued);
        if (queued == 0) StopMusic();
        else if (state != AL_PLAYING) alSourcePlay(musicSource_);  // ran dry while the page was away
    }

private:
    struct Sample {
        ALuint buffer = 0;
        int volume = 255;
    };
    struct Stream {
        const unsigned char* data;
        size_t size;
        bool loop;
    };

    static int Clamp(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }
    bool ValidSample(int s) const { return context_ && s >= 0 && s < static_cast<int>(samples_.size()); }

    void ApplyGain(int v) {
        int sampleVolume = voiceSample_[v] >= 0 ? samples_[voiceSample_[v]].volume : 255;
        alSourcef(sources_[v], AL_GAIN, Gain(sampleVolume, voiceVolume_[v], master_));
    }

    // False at the end of a stream that does not loop.
    bool Fill(ALuint buffer) {
        int frames = 0;
        while (frames < kMusicFrames) {
            int got = stb_vorbis_get_samples_short_interleaved(vorbis_, musicChannels_, pcm_ + frames * musicChannels_,
                                                               (kMusicFrames - frames) * musicChannels_);
            if (got > 0) {
                frames += got;
                continue;
            }
            if (!streams_[playing_].loop || !stb_vorbis_seek_start(vorbis_)) break;
        }
        if (frames == 0) return false;
        alBufferData(buffer, musicChannels_ == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, pcm_,
                     frames * musicChannels_ * static_cast<ALsizei>(sizeof(int16_t)), musicRate_);
        return true;
    }

    void StopMusic() {
        if (!context_) return;
        alSourceStop(musicSource_);
        alSourcei(musicSource_, AL_BUFFER, 0);
        if (vorbis_) stb_vorbis_close(vorbis_);
        vorbis_ = nullptr;
        playing_ = -1;
    }

    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    int voices_ = 0;
    ALuint sources_[kMaxVoices] = {};
    int voiceVolume_[kMaxVoices] = {};
    int voiceSample_[kMaxVoices] = {};
    int master_ = 255;
    std::vector<Sample> samples_;
    std::vector<Stream> streams_;
    ALuint musicSource_ = 0;
    ALuint musicBuffers_[kMusicBuffers] = {};
    stb_vorbis* vorbis_ = nullptr;
    int musicChannels_ = 2;
    ALsizei musicRate_ = 44100;
    int musicVolume_ = 255;
    int playing_ = -1;
    int16_t pcm_[kMusicFrames * 2];
};

OpenAlSound& Instance() {
    static OpenAlSound s;
    return s;
}

}  // namespace

void PumpSound() { Instance().Pump(); }

SoundLib& RealSound() { return Instance(); }

}  // namespace plat
