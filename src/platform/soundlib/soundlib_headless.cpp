#include "platform/headless.h"

namespace plat {

// Handles start at 0 for samples and streams alike; stream voices are numbered after the 32 effect voices.
static constexpr int kStreamVoiceBase = 32;

void HeadlessSound::Record(SoundCall::Kind kind, int a, int b) {
    if (calls.size() < kMaxRecordedCalls) calls.push_back({kind, a, b});
}

bool HeadlessSound::Init(int mixRate, int channels) {
    Record(SoundCall::Init, mixRate, channels);
    initialised = !failInit;
    return initialised;
}

void HeadlessSound::SetMasterEffectVolume(int volume) { Record(SoundCall::MasterVolume, volume, 0); }

int HeadlessSound::LoadSample(const unsigned char* data, size_t size) {
    Record(SoundCall::LoadSample, static_cast<int>(size), 0);
    if (!initialised || !data || size == 0) return -1;
    return samples++;
}

void HeadlessSound::SetSampleDefaultVolume(int sample, int volume) {
    Record(SoundCall::SampleVolume, sample, volume);
}

int HeadlessSound::PlaySample(int sample) {
    Record(SoundCall::PlaySample, sample, 0);
    if (sample < 0 || sample >= samples) return -1;
    if (static_cast<size_t>(sample) < samplePlays.size()) ++samplePlays[sample];
    return 0;
}

int HeadlessSound::OpenStream(const unsigned char* data, size_t size) {
    Record(SoundCall::OpenStream, static_cast<int>(size), 0);
    if (!initialised || !data || size == 0) return -1;
    return streams++;
}

void HeadlessSound::SetStreamLooping(int stream, bool loop) { Record(SoundCall::StreamLoop, stream, loop); }

int HeadlessSound::PlayStream(int stream) {
    Record(SoundCall::PlayStream, stream, 0);
    if (stream < 0 || stream >= streams) return -1;
    playingStream = stream;
    return kStreamVoiceBase + stream;
}

void HeadlessSound::SetVoiceVolume(int voice, int volume) { Record(SoundCall::VoiceVolume, voice, volume); }

void HeadlessSound::StopStream(int stream) {
    Record(SoundCall::StopStream, stream, 0);
    if (stream == playingStream) playingStream = -1;
}

void HeadlessSound::Reset() {
    *this = HeadlessSound();
    calls.reserve(kMaxRecordedCalls);
}

}  // namespace plat
