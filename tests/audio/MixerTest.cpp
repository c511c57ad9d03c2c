// The mixer driven directly through its callback: resampling, gains, voice life cycle and
// saturation. The player is marked active without a device, so nothing else calls back.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "audio/AudioFixtures.h"
#include "audio/AudioPlayer.h"
#include "audio/Sound.h"
#include "audio/Voice.h"
#include "support/Capture.h"

using audiotest::bufferOf;
using audiotest::riffWav;
using audiotest::samplesOf;

namespace {

class MixerTest : public testing::Test {
protected:
    void SetUp() override { AudioPlayer::isActive = true; }

    void TearDown() override {
        for (Voice* voice : AudioPlayer::voices) delete voice;
        AudioPlayer::voices.clear();
        AudioPlayer::isActive = false;
    }

    static std::unique_ptr<Sound> makeSound(const std::vector<int16_t>& samples, int frequency = 44100) {
        auto sound = std::make_unique<Sound>();
        std::vector<unsigned char> bytes = audiotest::bytesOf(samples);
        EXPECT_TRUE(sound->loadSamples(AUDIO_S16LSB, bytes.data(), static_cast<int>(bytes.size())));
        sound->frequency = frequency;
        return sound;
    }

    // One callback of `frames` stereo frames into a stream that starts out as garbage.
    static std::vector<int16_t> mix(int frames, int extraBytes = 0) {
        std::vector<unsigned char> stream(static_cast<size_t>(frames) * 4 + extraBytes, 0xAB);
        AudioPlayer::callback(nullptr, stream.data(), static_cast<int>(stream.size()));
        if (extraBytes > 0) {
            for (int i = 0; i < extraBytes; ++i) EXPECT_EQ(stream[stream.size() - 1 - i], 0);
        }
        return samplesOf(stream);
    }

    static int16_t left(const std::vector<int16_t>& out, int frame) { return out[2 * frame]; }
    static int16_t right(const std::vector<int16_t>& out, int frame) { return out[2 * frame + 1]; }
};

TEST_F(MixerTest, NothingPlayingGivesSilence) {
    std::vector<int16_t> out = mix(64);
    for (int16_t s : out) ASSERT_EQ(s, 0);
}

TEST_F(MixerTest, EightBitMonoWavAt22050UsesEachSampleForTwoFrames) {
    // Unsigned 8-bit bytes become (b - 128) * 256; the default gain halves them.
    Buffer* wav = bufferOf(riffWav(1, 22050, 8, {132, 120, 140, 255, 0}));
    Sound sound(wav);
    delete wav;
    ASSERT_EQ(sound.frequency, 22050);
    ASSERT_EQ(sound.length, 5);

    Voice* voice = AudioPlayer::play(&sound);
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(voice->rate, 22050);
    std::vector<int16_t> out = mix(16);
    const int16_t expected[] = {512, -1024, 1536, 16256, -16384};
    for (int f = 0; f < 10; ++f) {
        EXPECT_EQ(left(out, f), expected[f / 2]) << "frame " << f;
        EXPECT_EQ(right(out, f), expected[f / 2]) << "frame " << f;
    }
    for (int f = 10; f < 16; ++f) EXPECT_EQ(left(out, f), 0) << "frame " << f;
    EXPECT_EQ(voice->sound, nullptr);
}

TEST_F(MixerTest, ResamplingTakesTheNearestLowerSample) {
    struct Case {
        int rate;
        std::vector<int> sourceOfFrame;  // which source sample each output frame uses
    };
    const Case cases[] = {
        {44100, {0, 1, 2, 3, 4, 5, 6, 7}},
        {11025, {0, 0, 0, 0, 1, 1, 1, 1}},
        {88200, {0, 2, 4, 6, 8, 10, 12, 14}},
        {48000, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13}},  // 12 is skipped: 12 * 1.088 = 13.06
    };
    std::vector<int16_t> samples;
    for (int i = 0; i < 40; ++i) samples.push_back(static_cast<int16_t>(100 * (i + 1)));
    for (const Case& c : cases) {
        std::unique_ptr<Sound> sound = makeSound(samples, c.rate);
        ASSERT_NE(AudioPlayer::play(sound.get()), nullptr);
        const int frames = static_cast<int>(c.sourceOfFrame.size());
        std::vector<int16_t> out = mix(frames);
        for (int f = 0; f < frames; ++f) {
            EXPECT_EQ(left(out, f), samples[c.sourceOfFrame[f]] / 2) << "rate " << c.rate << " frame " << f;
        }
    }
}

TEST_F(MixerTest, GainsScaleEachChannelWithAnArithmeticShift) {
    struct Case {
        int16_t sample;
        int volumeLeft, volumeRight;
        int16_t left, right;
    };
    const Case cases[] = {
        {1000, 128, 128, 500, 500},  // the default: half in both channels
        {-3, 64, 64, -1, -1},        // -192 >> 8 rounds towards minus infinity
        {32767, 256, 0, 32767, 0},   // full gain left, silent right
        {-32768, 256, 255, -32768, -32640},
        {-1, 1, 128, -1, -1},
        {255, 1, 2, 0, 1},
    };
    for (const Case& c : cases) {
        std::unique_ptr<Sound> sound = makeSound({c.sample});
        Voice* voice = AudioPlayer::play(sound.get());
        ASSERT_NE(voice, nullptr);
        EXPECT_EQ(voice->volumeLeft, 128);
        EXPECT_EQ(voice->volumeRight, 128);
        voice->volumeLeft = c.volumeLeft;
        voice->volumeRight = c.volumeRight;
        std::vector<int16_t> out = mix(1);
        EXPECT_EQ(left(out, 0), c.left) << c.sample << " x " << c.volumeLeft;
        EXPECT_EQ(right(out, 0), c.right) << c.sample << " x " << c.volumeRight;
    }
}

TEST_F(MixerTest, AFinishedVoiceBecomesFreeAndIsNotPlaying) {
    std::unique_ptr<Sound> sound = makeSound({2000, 4000, 6000});
    Voice* voice = AudioPlayer::play(sound.get());
    ASSERT_NE(voice, nullptr);
    EXPECT_TRUE(AudioPlayer::isPlaying(sound.get()));

    std::vector<int16_t> out = mix(3);  // exactly the sound: still owned until the mixer runs past it
    EXPECT_EQ(left(out, 2), 3000);
    EXPECT_EQ(voice->sound, sound.get());
    EXPECT_DOUBLE_EQ(voice->position, 3.0);

    out = mix(4);
    for (int16_t s : out) EXPECT_EQ(s, 0);
    EXPECT_EQ(voice->sound, nullptr);
    EXPECT_FALSE(AudioPlayer::isPlaying(sound.get()));
    EXPECT_EQ(AudioPlayer::voices.size(), 1);
}

TEST_F(MixerTest, FreeVoicesAreReusedInListOrder) {
    std::unique_ptr<Sound> shortSound = makeSound({100, 200});
    std::unique_ptr<Sound> longSound = makeSound(std::vector<int16_t>(1000, 50));

    // The same sound twice while the first plays takes two voices.
    Voice* first = AudioPlayer::play(shortSound.get());
    Voice* second = AudioPlayer::play(shortSound.get());
    ASSERT_NE(first, second);
    std::vector<int16_t> out = mix(1);
    EXPECT_EQ(left(out, 0), 100);  // both voices: 50 + 50
    mix(8);
    EXPECT_EQ(first->sound, nullptr);
    EXPECT_EQ(second->sound, nullptr);
    EXPECT_EQ(AudioPlayer::play(shortSound.get()), first);

    // With the first voice busy, the next play takes the second, not a new one.
    first->sound = longSound.get();
    EXPECT_EQ(AudioPlayer::play(shortSound.get()), second);
    Voice* third = AudioPlayer::play(shortSound.get());
    EXPECT_NE(third, first);
    EXPECT_NE(third, second);
    ASSERT_EQ(AudioPlayer::voices.size(), 3);
    EXPECT_EQ(AudioPlayer::voices.get(2), third);
}

TEST_F(MixerTest, PlayRestartsEveryFieldOfAReusedVoice) {
    std::unique_ptr<Sound> a = makeSound({1, 2, 3}, 22050);
    std::unique_ptr<Sound> b = makeSound({4, 5}, 32000);
    Voice* voice = AudioPlayer::play(a.get());
    voice->volumeLeft = 7;
    voice->volumeRight = 9;
    voice->loop = true;
    voice->paused = true;
    voice->position = 2.5;
    voice->sound = nullptr;  // as the mixer leaves a finished voice

    ASSERT_EQ(AudioPlayer::play(b.get()), voice);
    EXPECT_EQ(voice->sound, b.get());
    EXPECT_DOUBLE_EQ(voice->position, 0.0);
    EXPECT_EQ(voice->rate, 32000);
    EXPECT_EQ(voice->volumeLeft, 128);
    EXPECT_EQ(voice->volumeRight, 128);
    EXPECT_FALSE(voice->loop);
    EXPECT_FALSE(voice->paused);
}

TEST_F(MixerTest, LoopingVoiceWrapsToTheStart) {
    std::unique_ptr<Sound> sound = makeSound({200, 400, 600});
    Voice* voice = AudioPlayer::play(sound.get());
    voice->loop = true;
    std::vector<int16_t> out = mix(8);
    const int16_t expected[] = {100, 200, 300, 100, 200, 300, 100, 200};
    for (int f = 0; f < 8; ++f) EXPECT_EQ(left(out, f), expected[f]) << "frame " << f;
    EXPECT_EQ(voice->sound, sound.get());
    EXPECT_TRUE(AudioPlayer::isPlaying(sound.get()));
}

TEST_F(MixerTest, PausedVoiceIsSkippedAndKeepsItsPlace) {
    std::unique_ptr<Sound> sound = makeSound({200, 400, 600, 800});
    Voice* voice = AudioPlayer::play(sound.get());
    mix(1);
    voice->paused = true;
    EXPECT_FALSE(AudioPlayer::isPlaying(sound.get()));
    std::vector<int16_t> out = mix(4);
    for (int16_t s : out) EXPECT_EQ(s, 0);
    EXPECT_DOUBLE_EQ(voice->position, 1.0);
    EXPECT_EQ(voice->sound, sound.get());  // paused is not finished: the voice stays taken
    EXPECT_NE(AudioPlayer::play(sound.get()), voice);

    voice->paused = false;
    out = mix(1);
    EXPECT_EQ(left(out, 0), 200 + 100);  // resumes at sample 1, plus the new voice's sample 0
}

TEST_F(MixerTest, LoudVoicesSaturateInsteadOfWrapping) {
    struct Case {
        int voices;
        int16_t sample;
        int gain;
        int16_t expected;
    };
    const Case cases[] = {
        {2, 32767, 128, 32766},  // two halves still fit
        {3, 32767, 128, 32767},  // 49149 clips (it used to wrap to a negative value)
        {2, 32767, 256, 32767},   {3, -32768, 128, -32768},  // -49152 clips
        {2, -32768, 256, -32768}, {10, 16000, 128, 32767},
        {3, 20000, 128, 30000},  // below full scale nothing is touched
    };
    for (const Case& c : cases) {
        std::unique_ptr<Sound> sound = makeSound(std::vector<int16_t>(4, c.sample));
        for (int v = 0; v < c.voices; ++v) {
            Voice* voice = AudioPlayer::play(sound.get());
            voice->volumeLeft = c.gain;
            voice->volumeRight = c.gain;
        }
        std::vector<int16_t> out = mix(4);
        for (int16_t s : out) {
            EXPECT_EQ(s, c.expected) << c.voices << " voices of " << c.sample << " at gain " << c.gain;
        }
    }

    // A sum that overshoots and comes back is saturated only once, at the end.
    std::unique_ptr<Sound> loud = makeSound({32767});
    std::unique_ptr<Sound> quiet = makeSound({-32768});
    for (Sound* s : {loud.get(), loud.get(), quiet.get()}) {
        Voice* voice = AudioPlayer::play(s);
        voice->volumeLeft = 256;
        voice->volumeRight = 256;
    }
    std::vector<int16_t> out = mix(1);
    EXPECT_EQ(left(out, 0), 32766);
    EXPECT_EQ(right(out, 0), 32766);
}

TEST_F(MixerTest, VoiceWhoseSoundLostItsSamplesBecomesFree) {
    std::unique_ptr<Sound> sound = makeSound({1000, 1000, 1000, 1000});
    Voice* voice = AudioPlayer::play(sound.get());
    mix(1);
    sound->release();
    EXPECT_EQ(sound->data, nullptr);
    EXPECT_EQ(sound->length, 0);
    std::vector<int16_t> out = mix(4);
    for (int16_t s : out) EXPECT_EQ(s, 0);
    EXPECT_EQ(voice->sound, nullptr);
    EXPECT_EQ(std::string(captureStderr([&] { EXPECT_EQ(AudioPlayer::play(sound.get()), nullptr); })),
              "Cannot play sound, no data\n");
}

TEST_F(MixerTest, DeletingASoundFreesItsVoicesAtOnce) {
    auto sound = makeSound({1000, 1000, 1000, 1000});
    Voice* voice = AudioPlayer::play(sound.get());
    sound.reset();
    EXPECT_EQ(voice->sound, nullptr);
    std::vector<int16_t> out = mix(4);
    for (int16_t s : out) EXPECT_EQ(s, 0);
}

TEST_F(MixerTest, LongBuffersStayContinuousAndOddBytesStaySilent) {
    std::vector<int16_t> ramp;
    for (int i = 0; i < 2500; ++i) ramp.push_back(static_cast<int16_t>(i * 10 - 12000));
    std::unique_ptr<Sound> sound = makeSound(ramp);
    AudioPlayer::play(sound.get());
    std::vector<int16_t> out = mix(3000, 2);
    for (int f = 0; f < 2500; ++f) {
        ASSERT_EQ(left(out, f), ramp[f] >> 1) << "frame " << f;
        ASSERT_EQ(right(out, f), ramp[f] >> 1) << "frame " << f;
    }
    for (int f = 2500; f < 3000; ++f) ASSERT_EQ(left(out, f), 0) << "frame " << f;
}

TEST_F(MixerTest, EmptySoundFinishesEvenWhenLooping) {
    Sound sound;
    ASSERT_TRUE(sound.loadSamples(AUDIO_U8, nullptr, 0));
    ASSERT_NE(sound.data, nullptr);
    Voice* voice = AudioPlayer::play(&sound);
    ASSERT_NE(voice, nullptr);
    voice->loop = true;
    std::vector<int16_t> out = mix(4);
    for (int16_t s : out) EXPECT_EQ(s, 0);
    EXPECT_EQ(voice->sound, nullptr);
}

}  // namespace
