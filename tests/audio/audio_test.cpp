#include <vector>

#include "audio/audio.h"
#include "world/world.h"
#include "app/main_loop.h"
#include "test_support.h"

namespace {

using Call = plat::SoundCall;

class AudioTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        InitSound();
        h().sound.calls.clear();
    }
    // What the device was asked, once the requests made so far are played.
    std::vector<Call> Calls(Call::Kind kind) {
        PlayRequestedSounds();
        std::vector<Call> out;
        for (const Call& c : h().sound.calls)
            if (c.kind == kind) out.push_back(c);
        return out;
    }
    // A frame's fade step, its requests played as the frame loop plays them.
    static void Frame() {
        UpdateMusicFade();
        PlayRequestedSounds();
    }
    // The sample numbers (1..13, in load order) played so far.
    std::vector<int> SamplesPlayed() {
        std::vector<int> out;
        for (const Call& c : Calls(Call::PlaySample)) out.push_back(c.a + 1);
        return out;
    }
};

TEST_F(AudioTest, InitLoadsEverythingInOrderWithDefaultVolumes) {
    h().sound.Reset();
    ResetAudio();
    InitSound();
    auto& calls = h().sound.calls;
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, Call::Init);
    EXPECT_EQ(calls[0].a, 44100);
    EXPECT_EQ(calls[0].b, 32);
    EXPECT_EQ(calls[1].kind, Call::MasterVolume);
    EXPECT_EQ(calls[1].a, 128);
    EXPECT_EQ(Calls(Call::LoadSample).size(), 13u);
    auto volumes = Calls(Call::SampleVolume);
    ASSERT_EQ(volumes.size(), 12u);  // sample 9 keeps the library's own
    const int expected[12] = {168, 71, 158, 254, 23, 254, 30, 234, 234, 234, 234, 234};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(volumes[i].b, expected[i]) << i;
    for (const Call& v : volumes) EXPECT_NE(v.a, 8);
    auto streams = Calls(Call::OpenStream);
    ASSERT_EQ(streams.size(), 2u);
    EXPECT_EQ(Calls(Call::StreamLoop).size(), 2u);
}

TEST_F(AudioTest, EffectsMapToTheirSamplesAndSomeNumbersAreSilent) {
    for (int effect : {4, 6, 0, 14, -1, 99}) PlaySound(static_cast<Sound>(effect));
    EXPECT_TRUE(SamplesPlayed().empty());
    for (int effect = 1; effect <= 13; ++effect) PlaySound(static_cast<Sound>(effect));
    PlayExplosionSound();
    PlayShotSound();
    PlayWarningSound();
    EXPECT_EQ(SamplesPlayed(), (std::vector<int>{6, 5, 1, 2, 3, 4, 9, 10, 11, 12, 13, 1, 7, 8}));
    EXPECT_EQ(W.SoundsPlayed.effect[3], 1u);
    EXPECT_EQ(W.SoundsPlayed.effect[4], 0u);
    EXPECT_EQ(W.SoundsPlayed.explosion, 1u);
}

TEST_F(AudioTest, StartMusicDuringAFadeEndsItAtFullVolume) {
    StartMusic(0);
    FadeMusic();
    Frame();
    Frame();
    EXPECT_EQ(W.MusicFadeLevel, 252);
    StartMusic(1);
    EXPECT_EQ(W.MusicFadeLevel, 255);
    EXPECT_EQ(W.MusicTrack, 1);
    PlayRequestedSounds();
    EXPECT_EQ(h().sound.playingStream, 1);
    size_t volumesBefore = Calls(Call::VoiceVolume).size();
    Frame();
    EXPECT_EQ(Calls(Call::VoiceVolume).size(), volumesBefore);  // nothing turns it down
}

TEST_F(AudioTest, AFadeRunsTwoHundredFiftyFourFramesInEveryModeThenStopsBothTracks) {
    StartMusic(0);
    StartMusic(1);
    FadeMusic();
    int modes[] = {Mode::Paused, Mode::Menu, Mode::Playing};
    for (int frame = 1; frame <= 253; ++frame) {
        W.Program.GameMode = modes[frame % 3];
        Frame();
    }
    EXPECT_EQ(W.MusicFadeLevel, 1);
    EXPECT_EQ(W.MusicTrack, 1);
    auto volumes = Calls(Call::VoiceVolume);
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front().b, 254);
    EXPECT_EQ(volumes.back().b, 2);
    size_t stops = Calls(Call::StopStream).size();
    Frame();  // the 254th frame applies 1 and stops
    EXPECT_EQ(Calls(Call::VoiceVolume).back().b, 1);
    EXPECT_EQ(Calls(Call::StopStream).size(), stops + 2);
    EXPECT_EQ(W.MusicFadeLevel, 255);
    EXPECT_EQ(W.MusicTrack, -1);
    EXPECT_EQ(h().sound.playingStream, -1);
}

TEST_F(AudioTest, FadingAgainRestartsFromTheTop) {
    StartMusic(0);
    FadeMusic();
    for (int i = 0; i < 100; ++i) Frame();
    FadeMusic();
    EXPECT_EQ(W.MusicFadeLevel, 254);
}

TEST_F(AudioTest, WithoutASoundDeviceEverythingIsSilentAndNothingFails) {
    h().sound.Reset();
    h().sound.failInit = true;
    ResetAudio();
    InitSound();
    PlaySound(Sound::EnergyCollected);
    StartMusic(0);
    FadeMusic();
    for (int i = 0; i < 300; ++i) Frame();
    EXPECT_EQ(h().sound.samplePlays[0], 0u);
    EXPECT_EQ(W.SoundsPlayed.effect[1], 1u);  // asked for, even if nothing could be heard
}

}  // namespace
