// The generated sounds: mono WAV in a format the mixer accepts, free of clicks at their ends,
// and quiet enough that the mixer, which adds voices without clipping, does not wrap.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "audio/Sound.h"
#include "data/DataFiles.h"
#include "support/Capture.h"

namespace {

struct Wave {
    SDL_AudioSpec spec{};
    std::vector<int> samples;  // scaled to signed 16-bit
};

// Decodes a WAV file the way the mixer does (SDL_LoadWAV), as 16-bit samples.
bool loadWave(const std::string& name, Wave& wave) {
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(datatest::dataPath(name).c_str(), &wave.spec, &data, &length)) return false;
    switch (wave.spec.format) {
        case AUDIO_U8:
            for (Uint32 i = 0; i < length; ++i) wave.samples.push_back((data[i] - 128) * 256);
            break;
        case AUDIO_S16LSB:
            for (Uint32 i = 0; i + 1 < length; i += 2)
                wave.samples.push_back(static_cast<Sint16>(data[i] | (data[i + 1] << 8)));
            break;
        case AUDIO_S16MSB:
            for (Uint32 i = 0; i + 1 < length; i += 2)
                wave.samples.push_back(static_cast<Sint16>((data[i] << 8) | data[i + 1]));
            break;
        default:
            break;
    }
    SDL_FreeWAV(data);
    return true;
}

const char* const SOUNDS[] = {"pau.wav", "impulse.wav", "victory.wav"};

}  // namespace

TEST(SoundData, MonoInAFormatAndRateTheMixerPlays) {
    for (const char* name : SOUNDS) {
        Wave wave;
        ASSERT_TRUE(loadWave(name, wave)) << name << ": " << SDL_GetError();
        EXPECT_EQ(wave.spec.channels, 1) << name;
        EXPECT_TRUE(wave.spec.format == AUDIO_U8 || wave.spec.format == AUDIO_S16LSB ||
                    wave.spec.format == AUDIO_S16MSB)
            << name << " format " << wave.spec.format;
        EXPECT_TRUE(wave.spec.freq == 22050 || wave.spec.freq == 44100) << name << " at " << wave.spec.freq;
        EXPECT_FALSE(wave.samples.empty()) << name;
    }
}

TEST(SoundData, StartAndEndSilentlyWithoutClicks) {
    for (const char* name : SOUNDS) {
        Wave wave;
        ASSERT_TRUE(loadWave(name, wave)) << name;
        ASSERT_GT(wave.samples.size(), 2000u) << name;
        EXPECT_LE(std::abs(wave.samples.front()), 64) << name;
        EXPECT_LE(std::abs(wave.samples.back()), 64) << name;
        // No jump at either end: the first and last millisecond rise from and fall to zero.
        size_t ms = static_cast<size_t>(wave.spec.freq / 1000);
        for (size_t i = 0; i < ms; ++i) {
            int limit = static_cast<int>(32767.0 * 0.25 * (i + 1) / ms);
            EXPECT_LE(std::abs(wave.samples[i]), limit) << name << " at start sample " << i;
            EXPECT_LE(std::abs(wave.samples[wave.samples.size() - 1 - i]), limit)
                << name << " at end sample " << i;
        }
        // And none between: no sample steps more than a quarter of full scale from the last.
        int largestStep = 0;
        for (size_t i = 1; i < wave.samples.size(); ++i)
            largestStep = std::max(largestStep, std::abs(wave.samples[i] - wave.samples[i - 1]));
        EXPECT_LT(largestStep, 8192) << name;
    }
}

TEST(SoundData, PeaksStayBelowThreeDecibelsUnderFullScaleAndLengthsStayShort) {
    struct Case {
        const char* name;
        double longestSeconds;
    };
    const Case cases[] = {{"pau.wav", 0.8}, {"impulse.wav", 1.6}, {"victory.wav", 3.5}};
    for (const Case& c : cases) {
        Wave wave;
        ASSERT_TRUE(loadWave(c.name, wave)) << c.name;
        int peak = 0;
        for (int s : wave.samples) peak = std::max(peak, std::abs(s));
        EXPECT_LT(peak, static_cast<int>(32767 * std::pow(10.0, -3.0 / 20.0))) << c.name;
        EXPECT_GT(peak, 32767 / 16) << c.name << " is nearly silent";
        EXPECT_LE(wave.samples.size() / static_cast<double>(wave.spec.freq), c.longestSeconds) << c.name;
    }
}

TEST(SoundData, AWinsBurstsAndChimeSumWithoutWrappingInTheMixer) {
    // The mixer adds every voice at half gain into 16 bits without clipping, so loud overlaps
    // wrap around into noise. A win at level 4 starts up to four bursts and the chime in one
    // frame, then three bursts at each of the nova timer's first points (0.2 s, 0.5 s).
    Wave impulse, victory;
    ASSERT_TRUE(loadWave("impulse.wav", impulse));
    ASSERT_TRUE(loadWave("victory.wav", victory));
    ASSERT_EQ(impulse.spec.freq, 44100);
    ASSERT_EQ(victory.spec.freq, 44100);
    std::vector<long> mix(static_cast<size_t>(44100 * 3), 0);
    auto play = [&](const Wave& w, double at) {
        size_t start = static_cast<size_t>(at * 44100);
        for (size_t i = 0; i < w.samples.size() && start + i < mix.size(); ++i)
            mix[start + i] += (w.samples[i] * 128) >> 8;
    };
    for (int k = 0; k < 4; ++k) play(impulse, 0.0);
    play(victory, 0.0);
    for (double at : {0.2, 0.5}) {
        for (int k = 0; k < 3; ++k) play(impulse, at);
    }
    long worst = 0;
    for (long v : mix) worst = std::max(worst, std::labs(v));
    EXPECT_LE(worst, 32767);
}

TEST(SoundData, TheGamesSoundLoaderAcceptsEverySound) {
    for (const char* name : SOUNDS) {
        Wave wave;
        ASSERT_TRUE(loadWave(name, wave)) << name;
        Sound* sound = nullptr;
        std::string complaints = captureStderr([&] { sound = new Sound(datatest::dataPath(name).c_str()); });
        EXPECT_EQ(complaints, "") << name;
        ASSERT_NE(sound->data, nullptr) << name;
        EXPECT_EQ(sound->length, static_cast<int>(wave.samples.size())) << name;
        EXPECT_EQ(sound->frequency, wave.spec.freq) << name;
        delete sound;
    }
}
