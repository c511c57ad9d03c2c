// The player on a real SDL audio device: start and stop in any order, no device at all, the
// disk driver's output of a played sound, and playing and freeing while the device mixes.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "audio/AudioFixtures.h"
#include "audio/AudioPlayer.h"
#include "audio/Sound.h"
#include "audio/Voice.h"
#include "core/Buffer.h"
#include "support/Capture.h"
#include "support/TempDir.h"

using audiotest::bufferOf;
using audiotest::bytesOf;
using audiotest::EnvOverride;
using audiotest::riffWav;

namespace {

Sound* newSound(const std::vector<int16_t>& samples, int rate = 44100) {
    Buffer* wav = bufferOf(riffWav(1, rate, 16, bytesOf(samples)));
    Sound* sound = new Sound(wav);
    delete wav;
    return sound;
}

// Waits until the device's mixer has run past the end of every voice of `sound`.
bool waitUntilFinished(Sound* sound, int milliseconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (AudioPlayer::isPlaying(sound)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

TEST(AudioPlayerTest, StartsAndStopsInAnyOrder) {
    EXPECT_FALSE(AudioPlayer::isActive);
    EXPECT_EQ(captureStderr([] { AudioPlayer::release(); }), "Audio is not actived.\n");

    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(AudioPlayer::init(), 0) << "round " << round;
        EXPECT_TRUE(AudioPlayer::isActive);
        EXPECT_EQ(AudioPlayer::audiospec.freq, 44100);
        EXPECT_EQ(AudioPlayer::audiospec.format, AUDIO_S16SYS);
        EXPECT_EQ(AudioPlayer::audiospec.channels, 2);
        EXPECT_EQ(AudioPlayer::audiospec.samples, 1024);

        int second = 0;
        EXPECT_EQ(captureStderr([&] { second = AudioPlayer::init(); }), "Audio is already actived.\n");
        EXPECT_EQ(second, -1);
        EXPECT_TRUE(AudioPlayer::isActive);

        EXPECT_EQ(captureStderr([] { AudioPlayer::release(); }), "");
        EXPECT_FALSE(AudioPlayer::isActive);
        EXPECT_EQ(captureStderr([] { AudioPlayer::release(); }), "Audio is not actived.\n");
    }

    Sound* sound = newSound({1, 2, 3});
    EXPECT_EQ(captureStderr([&] { EXPECT_EQ(AudioPlayer::play(sound), nullptr); }),
              "Cannot play sound, audio is not actived.\n");
    EXPECT_EQ(AudioPlayer::voices.size(), 0);
    delete sound;
}

TEST(AudioPlayerTest, ReleaseDeletesEveryVoiceAndSound) {
    ASSERT_EQ(AudioPlayer::init(), 0);
    Sound* a = newSound(std::vector<int16_t>(44100, 1000));
    Sound* b = newSound(std::vector<int16_t>(44100, -1000));
    Sound* loadedBeforeFreeing = newSound({5});
    loadedBeforeFreeing->release();  // freed samples: stays registered until the player goes
    ASSERT_EQ(AudioPlayer::sounds.size(), 3);
    ASSERT_NE(AudioPlayer::play(a), nullptr);
    ASSERT_NE(AudioPlayer::play(b), nullptr);
    ASSERT_NE(AudioPlayer::play(a), nullptr);
    EXPECT_EQ(AudioPlayer::voices.size(), 3);
    EXPECT_TRUE(AudioPlayer::isPlaying(a));

    AudioPlayer::release();  // the sanitizer build reports a double or missing delete here
    EXPECT_EQ(AudioPlayer::voices.size(), 0);
    EXPECT_EQ(AudioPlayer::sounds.size(), 0);

    // A new session starts from nothing and works.
    ASSERT_EQ(AudioPlayer::init(), 0);
    Sound* c = newSound({1, 2, 3, 4});
    Voice* voice = AudioPlayer::play(c);
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(AudioPlayer::voices.size(), 1);
    EXPECT_TRUE(waitUntilFinished(c, 5000));
    AudioPlayer::release();
}

TEST(AudioPlayerTest, MachineWithoutAudioRunsSilently) {
    Sound* sound = nullptr;
    {
        EnvOverride driver("SDL_AUDIODRIVER", "no-such-audio-driver");
        int result = 0;
        std::string said = captureStderr([&] { result = AudioPlayer::init(); });
#ifdef QUANDRELS_TEST_FIXED_BUILD
        // SDL 1.2 starts its audio subsystem without a driver and fails only on opening.
        EXPECT_EQ(said, "Cannot open audio driver.\n");
        EXPECT_EQ(result, -3);
#else
        EXPECT_EQ(said, "Cannot init SDL audio.\n");
        EXPECT_EQ(result, -2);
#endif
        EXPECT_FALSE(AudioPlayer::isActive);

        // Sounds still load and register; playing them only prints.
        sound = newSound({10, 20});
        EXPECT_NE(sound->data, nullptr);
        EXPECT_EQ(AudioPlayer::sounds.size(), 1);
        EXPECT_EQ(captureStderr([&] { EXPECT_EQ(AudioPlayer::play(sound), nullptr); }),
                  "Cannot play sound, audio is not actived.\n");
        EXPECT_FALSE(AudioPlayer::isPlaying(sound));
        sound->release();  // no device: nothing to lock, nothing to wait for
        EXPECT_EQ(captureStderr([] { AudioPlayer::release(); }), "Audio is not actived.\n");
    }
    // Once a device exists, a later start succeeds.
    ASSERT_EQ(AudioPlayer::init(), 0);
    AudioPlayer::release();
    EXPECT_EQ(AudioPlayer::sounds.size(), 0);  // the earlier sound went with the player
}

TEST(AudioPlayerTest, DiskDriverReceivesThePlayedSoundAtHalfGain) {
    TempDir dir;
    const std::string output = dir / "mixed.raw";
    std::vector<int16_t> samples;
    for (int i = 0; i < 3000; ++i) {
        int value = ((i * 7919) % 60001) - 30000;
        if (value >= -1 && value <= 1) value = 5000;  // every frame audible after halving
        samples.push_back(static_cast<int16_t>(value));
    }
    {
        EnvOverride driver("SDL_AUDIODRIVER", "disk");
        EnvOverride file("SDL_DISKAUDIOFILE", output.c_str());
        EnvOverride delay("SDL_DISKAUDIODELAY", "5");
        ASSERT_EQ(AudioPlayer::init(), 0);
        Sound* sound = newSound(samples);
        ASSERT_NE(AudioPlayer::play(sound), nullptr);
        EXPECT_TRUE(waitUntilFinished(sound, 10000));
        AudioPlayer::release();
    }

    std::ifstream in(output, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> written(bytes.size() / 2);
    std::copy(bytes.begin(), bytes.begin() + static_cast<long>(written.size() * 2),
              reinterpret_cast<char*>(written.data()));
    ASSERT_GT(written.size(), samples.size() * 2);

    std::vector<int16_t> expected;
    for (int16_t s : samples) {
        expected.push_back(static_cast<int16_t>((s * 128) >> 8));
        expected.push_back(static_cast<int16_t>((s * 128) >> 8));
    }
    auto found = std::search(written.begin(), written.end(), expected.begin(), expected.end());
    ASSERT_NE(found, written.end()) << "the played sound is not in the device's output";
    // Only silence around it: nothing else was playing.
    EXPECT_TRUE(std::all_of(written.begin(), found, [](int16_t s) { return s == 0; }));
    EXPECT_TRUE(std::all_of(found + static_cast<long>(expected.size()), written.end(),
                            [](int16_t s) { return s == 0; }));
}

// One thread plays, frees, deletes and reloads sounds, and restarts the player, while the
// device's thread mixes; the sanitizer build reports any sample block or voice read after it
// went away.
void playAndFreeWhileTheDeviceMixes(int milliseconds) {
    ASSERT_EQ(AudioPlayer::init(), 0);
    std::vector<int16_t> shortSamples(64, 3000);
    std::vector<int16_t> longSamples(20000, -3000);
    std::vector<Sound*> live;
    unsigned seed = 12345;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    int rounds = 0;
    // At least the given time, and at least enough rounds to overlap the mixer many times
    // even on a loaded machine, where the time alone may allow only a few dozen.
    const int minimumRounds = 600;
    while (std::chrono::steady_clock::now() < end || rounds < minimumRounds) {
        ++rounds;
        Sound* sound = newSound(next(4) == 0 ? longSamples : shortSamples, next(2) ? 22050 : 44100);
        live.push_back(sound);
        for (unsigned k = 0, n = 1 + next(3); k < n; ++k) ASSERT_NE(AudioPlayer::play(sound), nullptr);
        AudioPlayer::isPlaying(live[next(static_cast<unsigned>(live.size()))]);
        switch (next(4)) {
            case 0: {  // free the samples of some sound, playing or not
                Sound* victim = live[next(static_cast<unsigned>(live.size()))];
                victim->release();
                break;
            }
            case 1: {  // delete some sound outright
                size_t at = next(static_cast<unsigned>(live.size()));
                delete live[at];
                live.erase(live.begin() + static_cast<long>(at));
                break;
            }
            case 2:  // reload a sound in place while it may play
                if (!live.empty()) {
                    Buffer* wav = bufferOf(riffWav(1, 11025, 16, bytesOf(shortSamples)));
                    live.back()->loadFromWav(wav);
                    delete wav;
                }
                break;
            default:
                break;
        }
        if (rounds % 300 == 0) {  // the player takes every remaining sound with it
            AudioPlayer::release();
            live.clear();
            ASSERT_EQ(AudioPlayer::init(), 0);
        }
        if (rounds % 16 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // The device really mixed: a short sound runs out on its own.
    Sound* last = newSound(shortSamples);
    ASSERT_NE(AudioPlayer::play(last), nullptr);
    EXPECT_TRUE(waitUntilFinished(last, 5000));
    AudioPlayer::release();
    EXPECT_EQ(AudioPlayer::voices.size(), 0);
    EXPECT_EQ(AudioPlayer::sounds.size(), 0);
}

TEST(AudioPlayerTest, PlayingAndFreeingWhileTheDummyDeviceMixes) {
    EnvOverride driver("SDL_AUDIODRIVER", "dummy");
    playAndFreeWhileTheDeviceMixes(1000);
}

// The disk driver without its delay mixes buffer after buffer with no pause, so the two
// threads overlap far more often than at the real-time pace.
TEST(AudioPlayerTest, PlayingAndFreeingWhileABusyDeviceMixes) {
    EnvOverride driver("SDL_AUDIODRIVER", "disk");
    EnvOverride file("SDL_DISKAUDIOFILE", "/dev/null");
    EnvOverride delay("SDL_DISKAUDIODELAY", "0");
    playAndFreeWhileTheDeviceMixes(1500);
}

}  // namespace
