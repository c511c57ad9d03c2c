// The sound matcher of the play tests on output made by the game's own mixer: a sound is
// found where a voice played it, at any rate, gain and with another voice over it, and
// neither a different sound nor the same sound at the wrong speed is taken for it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/AudioPlayer.h"
#include "audio/Sound.h"
#include "audio/Voice.h"
#include "support/SoundMatch.h"
#include "support/TempDir.h"

namespace {

using sound_match::asMixed;
using sound_match::find;

// A struck noise: seeded random samples under a decaying envelope, `seconds` long.
std::vector<int16_t> strike(uint32_t seed, int rate, double seconds) {
    std::vector<int16_t> samples;
    uint32_t state = seed;
    const int count = static_cast<int>(rate * seconds);
    for (int i = 0; i < count; i++) {
        state = state * 1664525u + 1013904223u;
        double noise = static_cast<double>(state >> 8) / (1u << 24) * 2 - 1;
        double envelope = std::exp(-6.0 * i / count) * std::min(1.0, i / 40.0);
        samples.push_back(static_cast<int16_t>(std::lround(20000 * envelope * noise)));
    }
    return samples;
}

struct Played {
    const std::vector<int16_t>* samples;
    int rate;       // the sound's own rate
    int voiceRate;  // what the voice steps with (the sound's rate unless it is played wrong)
    int gain;       // both sides, 1/256 units
    int startFrame;
};

// What the mixer writes while the voices start at their frames: the left + right frames, as
// sound_match::readOutput gives them from the disk output.
std::vector<float> mixerOutput(const std::vector<Played>& voices, int totalFrames) {
    AudioPlayer::isActive = true;
    std::vector<std::unique_ptr<Sound>> sounds;
    std::vector<float> out;
    const int chunk = 512;
    for (int at = 0; at < totalFrames; at += chunk) {
        for (const Played& p : voices) {
            if (p.startFrame < at || p.startFrame >= at + chunk) continue;
            // Voices start at a callback's first frame, as they do when the game plays them.
            EXPECT_EQ(p.startFrame % chunk, 0);
            auto sound = std::make_unique<Sound>();
            std::vector<unsigned char> bytes(p.samples->size() * 2);
            memcpy(bytes.data(), p.samples->data(), bytes.size());
            EXPECT_TRUE(sound->loadSamples(AUDIO_S16SYS, bytes.data(), static_cast<int>(bytes.size())));
            sound->frequency = p.rate;
            Voice* voice = new Voice();
            voice->sound = sound.get();
            voice->rate = p.voiceRate;
            voice->volumeLeft = voice->volumeRight = p.gain;
            AudioPlayer::voices.add(voice);
            sounds.push_back(std::move(sound));
        }
        std::vector<unsigned char> stream(chunk * 4);
        AudioPlayer::callback(nullptr, stream.data(), static_cast<int>(stream.size()));
        for (int f = 0; f < chunk; f++) {
            int16_t left, right;
            memcpy(&left, &stream[f * 4], 2);
            memcpy(&right, &stream[f * 4 + 2], 2);
            out.push_back(static_cast<float>(left) + right);
        }
    }
    for (Voice* voice : AudioPlayer::voices) delete voice;
    AudioPlayer::voices.clear();
    AudioPlayer::isActive = false;
    return out;
}

TEST(SoundMatchTest, FindsASoundWhereTheMixerPlayedIt) {
    const std::vector<int16_t> pluck22 = strike(7, 22050, 0.4);
    const std::vector<int16_t> pluck44 = strike(7, 44100, 0.4);
    const std::vector<int16_t> pluck11 = strike(7, 11025, 0.4);
    const std::vector<int16_t> other = strike(99, 22050, 0.6);
    struct Case {
        const char* label;
        std::vector<Played> voices;
        const std::vector<int16_t>* looked;  // the sound looked for, at 22050 Hz unless said
        int lookedRate;
        long expected;  // frame, or -1
    };
    const std::vector<Case> cases = {
        {"alone at the player's gain", {{&pluck22, 22050, 22050, 128, 10240}}, &pluck22, 22050, 10240},
        {"at the output rate", {{&pluck44, 44100, 44100, 128, 4096}}, &pluck44, 44100, 4096},
        {"at a quarter of the output rate", {{&pluck11, 11025, 11025, 128, 4096}}, &pluck11, 11025, 4096},
        {"quiet", {{&pluck22, 22050, 22050, 20, 8192}}, &pluck22, 22050, 8192},
        {"loud enough to clip now and then", {{&pluck22, 22050, 22050, 600, 8192}}, &pluck22, 22050, 8192},
        {"with a softer sound over it",
         {{&other, 22050, 22050, 40, 2048}, {&pluck22, 22050, 22050, 128, 8192}},
         &pluck22,
         22050,
         8192},
        {"another sound is not it", {{&other, 22050, 22050, 128, 8192}}, &pluck22, 22050, -1},
        {"played at the wrong speed is not it", {{&pluck22, 22050, 44100, 128, 8192}}, &pluck22, 22050, -1},
        {"silence holds nothing", {}, &pluck22, 22050, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<float> output = mixerOutput(c.voices, 44100);
        EXPECT_EQ(find(output, asMixed(*c.looked, c.lookedRate)), c.expected);
    }
}

TEST(SoundMatchTest, ASoundCutShortCountsOnceItsLoudestStretchIsIn) {
    const std::vector<int16_t> pluck = strike(3, 22050, 0.5);
    std::vector<float> output = mixerOutput({{&pluck, 22050, 22050, 128, 4096}}, 16384);
    // The strike is loudest from about its 40th sample on; 4096 frames of it are enough.
    std::vector<float> sound = asMixed(pluck, 22050);
    EXPECT_EQ(find(std::vector<float>(output.begin(), output.begin() + 4096 + 4200), sound), 4096);
    EXPECT_EQ(find(std::vector<float>(output.begin(), output.begin() + 4096 + 2000), sound), -1);
    // Output that starts in the middle of the sound: it began before.
    EXPECT_EQ(find(std::vector<float>(output.begin() + 4096 + 10, output.end()), sound), 0);
}

TEST(SoundMatchTest, AudibleOnlyAboveNearSilence) {
    EXPECT_FALSE(sound_match::audible(std::vector<float>(1000, 0.0f)));
    EXPECT_FALSE(sound_match::audible(std::vector<float>(1000, 30.0f)));
    std::vector<float> click(1000, 0.0f);
    click[500] = -2000;
    EXPECT_TRUE(sound_match::audible(click));
}

TEST(SoundMatchTest, ReadsWholeFramesFromAByteOn) {
    TempDir dir;
    // Frames (1, 2), (3, 4), (-5, 6), then half a frame still being written.
    const int16_t values[] = {1, 2, 3, 4, -5, 6, 7};
    dir.writeFile("sound.raw", std::string(reinterpret_cast<const char*>(values), sizeof values));
    EXPECT_EQ(sound_match::readOutput(dir / "sound.raw"), (std::vector<float>{3, 7, 1}));
    // A byte inside a frame starts at the next whole one.
    EXPECT_EQ(sound_match::readOutput(dir / "sound.raw", 2), (std::vector<float>{7, 1}));
    EXPECT_EQ(sound_match::readOutput(dir / "sound.raw", 8), (std::vector<float>{1}));
    EXPECT_TRUE(sound_match::readOutput(dir / "missing.raw").empty());
}

TEST(SoundMatchTest, ResamplesAsAVoiceReads) {
    // At half the output rate every sample is heard for two frames; at the output rate once.
    EXPECT_EQ(asMixed({10, -20, 30}, 22050), (std::vector<float>{10, 10, -20, -20, 30, 30}));
    EXPECT_EQ(asMixed({10, -20, 30}, 44100), (std::vector<float>{10, -20, 30}));
    EXPECT_TRUE(asMixed({10, 20}, 0).empty());
}

}  // namespace
