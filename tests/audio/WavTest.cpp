// WAV decoding: files written by sox (not by us) in every layout the loader meets, the
// sample-format table, byte swapping, and the messages of rejected files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "audio/AudioFixtures.h"
#include "audio/AudioPlayer.h"
#include "audio/Sound.h"
#include "core/Buffer.h"
#include "support/Capture.h"
#include "support/TempDir.h"

using audiotest::bufferOf;
using audiotest::bytesOf;
using audiotest::riffWav;

namespace {

const std::vector<int16_t> SIGNED_SAMPLES = {-32768, -12345, -256, -1, 0, 1, 255, 256, 12345, 32767};
const std::vector<unsigned char> UNSIGNED_BYTES = {0, 1, 64, 127, 128, 129, 200, 255};

std::vector<int16_t> widened(const std::vector<unsigned char>& bytes) {
    std::vector<int16_t> out;
    for (unsigned char b : bytes) out.push_back(static_cast<int16_t>((b - 128) * 256));
    return out;
}

std::vector<int16_t> samplesOf(const Sound& sound) {
    if (!sound.data) return {};
    return std::vector<int16_t>(sound.data, sound.data + sound.length);
}

bool isRegistered(const Sound* sound) {
    int found = 0;
    for (Sound* s : AudioPlayer::sounds) found += s == sound;
    return found == 1;
}

class WavTest : public testing::Test {
protected:
    TempDir dir;

    // Writes `raw` as headerless input and lets sox turn it into a WAV with the given options.
    std::string sox(const std::vector<unsigned char>& raw, const std::string& inputFormat,
                    const std::string& outputOptions, const std::string& name) {
        const std::string input = dir / (name + ".raw");
        std::ofstream(input, std::ios::binary)
            .write(reinterpret_cast<const char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
        const std::string output = dir / name;
        const std::string command = "sox -t raw " + inputFormat + " '" + input + "' " + outputOptions +
                                    " -t wav '" + output + "' 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        std::string said;
        char chunk[256];
        while (pipe && fgets(chunk, sizeof chunk, pipe)) said += chunk;
        const int status = pipe ? pclose(pipe) : -1;
        EXPECT_EQ(status, 0) << command << "\n" << said;
        return output;
    }

    static std::string load(Sound& sound, const std::string& path) {
        return captureStderr([&] {
            std::ifstream in(path, std::ios::binary);
            std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                             std::istreambuf_iterator<char>());
            Buffer* wav = bufferOf(bytes);
            sound.loadFromWav(wav);
            delete wav;
        });
    }
};

TEST_F(WavTest, MonoFilesFromSoxDecodeToHostOrderSamples) {
    struct Case {
        const char* name;
        std::vector<unsigned char> raw;
        std::string inputFormat;
        std::string outputOptions;
        int rate;
        std::vector<int16_t> expected;
    };
    const Case cases[] = {
        {"u8.wav", UNSIGNED_BYTES, "-r 22050 -e unsigned -b 8 -c 1", "", 22050, widened(UNSIGNED_BYTES)},
        {"s16-22050.wav", bytesOf(SIGNED_SAMPLES), "-r 22050 -e signed -b 16 -c 1 -L", "", 22050,
         SIGNED_SAMPLES},
        {"s16-44100.wav", bytesOf(SIGNED_SAMPLES), "-r 44100 -e signed -b 16 -c 1 -L", "", 44100,
         SIGNED_SAMPLES},
        // -B makes sox write the big-endian RIFX layout.
        {"s16-be.wav", bytesOf(SIGNED_SAMPLES), "-r 22050 -e signed -b 16 -c 1 -L", "-B", 22050,
         SIGNED_SAMPLES},
        {"u8-be.wav", UNSIGNED_BYTES, "-r 11025 -e unsigned -b 8 -c 1", "-B", 11025, widened(UNSIGNED_BYTES)},
    };
    for (const Case& c : cases) {
        const std::string path = sox(c.raw, c.inputFormat, c.outputOptions, c.name);
        Sound sound;
        EXPECT_EQ(load(sound, path), "") << c.name;
        EXPECT_EQ(sound.frequency, c.rate) << c.name;
        EXPECT_EQ(sound.length, static_cast<int>(c.expected.size())) << c.name;
        EXPECT_EQ(samplesOf(sound), c.expected) << c.name;
        EXPECT_TRUE(isRegistered(&sound)) << c.name;
    }
    EXPECT_EQ(AudioPlayer::sounds.size(), 0);  // each sound left the list when it was destroyed
}

TEST_F(WavTest, BigEndianFileIsSwappedIntoHostOrder) {
    // Hand-checked against the bytes sox wrote: the file holds 0x30 0x39 for 12345.
    const std::string path = sox(bytesOf({12345, -2}), "-r 8000 -e signed -b 16 -c 1 -L", "-B", "be.wav");
    std::ifstream in(path, std::ios::binary);
    std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(file.substr(0, 4), "RIFX");
    ASSERT_NE(file.find(std::string("\x30\x39\xff\xfe", 4)), std::string::npos);

    Sound sound;
    EXPECT_EQ(load(sound, path), "");
    EXPECT_EQ(samplesOf(sound), (std::vector<int16_t>{12345, -2}));
    EXPECT_EQ(sound.frequency, 8000);
}

TEST_F(WavTest, StereoFilesAreRejected) {
    struct Case {
        const char* name;
        std::string inputFormat;
        std::vector<unsigned char> raw;
    };
    const Case cases[] = {
        {"stereo-s16.wav", "-r 22050 -e signed -b 16 -c 2 -L", bytesOf({100, -100, 200, -200})},
        {"stereo-u8.wav", "-r 22050 -e unsigned -b 8 -c 2", {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        const std::string path = sox(c.raw, c.inputFormat, "", c.name);
        Sound sound;
        EXPECT_EQ(load(sound, path), "Only mono sounds are supported!\nERROR: Data cannot be loaded.\n")
            << c.name;
        EXPECT_EQ(sound.data, nullptr);
        EXPECT_EQ(sound.length, 0);
        EXPECT_FALSE(isRegistered(&sound));
    }
}

TEST_F(WavTest, FloatSamplesAreNotAccepted) {
    const std::string path = sox(bytesOf({1000, -1000}), "-r 22050 -e signed -b 16 -c 1 -L",
                                 "-e floating-point -b 32", "float.wav");
    Sound sound;
#ifdef QUANDRELS_TEST_FIXED_BUILD
    // SDL 1.2 does not decode floating-point WAV files at all.
    EXPECT_EQ(load(sound, path), "ERROR: Wav cannot be loaded.\n");
#else
    EXPECT_EQ(load(sound, path), "Unsupported sample format!\nERROR: Data cannot be loaded.\n");
#endif
    EXPECT_EQ(sound.data, nullptr);
    EXPECT_FALSE(isRegistered(&sound));
}

TEST_F(WavTest, BytesThatAreNotAWavCannotBeLoaded) {
    std::vector<unsigned char> good = riffWav(1, 22050, 16, bytesOf({1, 2, 3}));
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
    };
    const Case cases[] = {
        {"text", audiotest::bytesOfString("this is not a sound, only words\n")},
        {"empty", {}},
        {"header cut short", std::vector<unsigned char>(good.begin(), good.begin() + 20)},
        {"RIFX cut short",
         audiotest::bytesOfString(std::string("RIFX\0\0\0\x20WAVEfmt \0\0\0\x10\0\x01", 22))},
        {"RIFX of IEEE floats",
         [] {
             std::vector<unsigned char> f =
                 audiotest::bytesOfString(std::string("RIFX\0\0\0\x2cWAVEfmt \0\0\0\x10", 20));
             const unsigned char fields[] = {0, 3, 0, 1, 0, 0, 0x56, 0x22, 0, 1, 0x58, 0x88, 0, 4, 0, 32};
             f.insert(f.end(), fields, fields + 16);
             f.insert(f.end(), {'d', 'a', 't', 'a', 0, 0, 0, 4, 0, 0, 0, 0});
             return f;
         }()},
    };
    for (const Case& c : cases) {
        Sound sound;
        Buffer* wav = bufferOf(c.bytes);
        EXPECT_EQ(captureStderr([&] { sound.loadFromWav(wav); }), "ERROR: Wav cannot be loaded.\n") << c.what;
        delete wav;
        EXPECT_EQ(sound.data, nullptr) << c.what;
        EXPECT_EQ(sound.frequency, 44100) << c.what;
        EXPECT_FALSE(isRegistered(&sound)) << c.what;
    }
    Sound sound;
    EXPECT_EQ(captureStderr([&] { sound.loadFromWav(nullptr); }), "ERROR: Wav cannot be loaded.\n");
}

TEST_F(WavTest, OtherChunksBeforeTheSamplesAreSkipped) {
    using audiotest::chunk;
    using audiotest::pcmFormat;
    using audiotest::riffOf;
    const std::vector<unsigned char> samples = bytesOf({300, -300, 7});
    const std::vector<std::vector<unsigned char>> layouts = {
        riffOf({chunk("LIST", {'a', 'b', 'c', 'd'}), chunk("fmt ", pcmFormat(1, 8000, 16)),
                chunk("data", samples)}),
        riffOf({chunk("fmt ", pcmFormat(1, 8000, 16)), chunk("junk", {1, 2}), chunk("data", samples),
                chunk("LIST", {1, 2, 3})}),
#ifndef QUANDRELS_TEST_FIXED_BUILD
        // An odd chunk is followed by a pad byte (SDL 1.2 does not skip it and finds no samples).
        riffOf(
            {chunk("LIST", {'a', 'b', 'c'}), chunk("fmt ", pcmFormat(1, 8000, 16)), chunk("data", samples)}),
#endif
    };
    for (const std::vector<unsigned char>& bytes : layouts) {
        Sound sound;
        Buffer* wav = bufferOf(bytes);
        EXPECT_EQ(captureStderr([&] { sound.loadFromWav(wav); }), "");
        delete wav;
        EXPECT_EQ(samplesOf(sound), (std::vector<int16_t>{300, -300, 7}));
        EXPECT_EQ(sound.frequency, 8000);
    }
}

TEST_F(WavTest, ChunksThatOverrunTheFileAreRefused) {
    using audiotest::chunk;
    using audiotest::pcmFormat;
    using audiotest::riffOf;
    std::vector<unsigned char> truncated = riffWav(1, 22050, 16, bytesOf({1, 2, 3, 4}));
    truncated.resize(truncated.size() - 3);  // the data chunk declares 8 bytes, 5 are left
    std::vector<unsigned char> huge = riffWav(1, 22050, 16, bytesOf({1, 2}));
    const unsigned char gigabytes[] = {0x08, 0x00, 0x65, 0xe3};  // a data chunk of 3.8 GB
    std::copy(gigabytes, gigabytes + 4, huge.end() - 8);
    std::vector<unsigned char> hugeFormat = riffOf({chunk("fmt ", pcmFormat(1, 22050, 16))});
    hugeFormat[16] = 0xff;
    hugeFormat[19] = 0x7f;
    const std::vector<unsigned char> noData = riffOf({chunk("fmt ", pcmFormat(1, 22050, 16))});
    for (const std::vector<unsigned char>& bytes : {truncated, huge, hugeFormat, noData}) {
        Sound sound;
        Buffer* wav = bufferOf(bytes);
        EXPECT_EQ(captureStderr([&] { sound.loadFromWav(wav); }), "ERROR: Wav cannot be loaded.\n");
        delete wav;
        EXPECT_EQ(sound.data, nullptr);
    }
}

TEST_F(WavTest, SampleFormatTable) {
    struct Case {
        int format;
        std::vector<unsigned char> bytes;
        const char* message;
        std::vector<int16_t> expected;
    };
    const Case cases[] = {
        {AUDIO_U8, {0, 128, 255}, "", {-32768, 0, 32512}},
        {AUDIO_S16LSB, {0x39, 0x30, 0xfe, 0xff}, "", {12345, -2}},
        {AUDIO_S16MSB, {0x30, 0x39, 0xff, 0xfe}, "", {12345, -2}},
        {AUDIO_S16LSB, {0x39, 0x30, 0x7f}, "", {12345}},  // a trailing odd byte is no sample
        {AUDIO_S8, {1, 2}, "AUDIO_S8 is unsupported format!\n", {}},
        {AUDIO_U16LSB, {1, 2}, "AUDIO_U16LSB is unsupported format!\n", {}},
        {AUDIO_U16MSB, {1, 2}, "AUDIO_U16MSB is unsupported format!\n", {}},
        {0x8020, {1, 2, 3, 4}, "Unsupported sample format!\n", {}},  // 32-bit integers
        {0x8120, {1, 2, 3, 4}, "Unsupported sample format!\n", {}},  // 32-bit floats
    };
    for (const Case& c : cases) {
        Sound sound;
        bool accepted = false;
        std::string said = captureStderr([&] {
            accepted = sound.loadSamples(c.format, c.bytes.data(), static_cast<int>(c.bytes.size()));
        });
        EXPECT_EQ(said, c.message) << std::hex << c.format;
        EXPECT_EQ(accepted, c.expected.size() > 0) << std::hex << c.format;
        EXPECT_EQ(samplesOf(sound), c.expected) << std::hex << c.format;
        EXPECT_EQ(sound.length, static_cast<int>(c.expected.size()));
    }
}

TEST(FlipEndianTest, SwapsWholePairsOnly) {
    struct Case {
        std::vector<unsigned char> bytes;
        int length;
        std::vector<unsigned char> expected;
    };
    const Case cases[] = {
        {{1, 2, 3, 4}, 4, {2, 1, 4, 3}},
        {{1, 2, 3, 4, 5}, 5, {2, 1, 4, 3, 5}},  // the odd last byte stays
        {{1, 2, 3, 4}, 2, {2, 1, 3, 4}},        // only the first `length` bytes
        {{1, 2}, 0, {1, 2}},
        {{1, 2}, -4, {1, 2}},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> bytes = c.bytes;
        Sound::flip_endian(bytes.data(), c.length);
        EXPECT_EQ(bytes, c.expected) << "length " << c.length;
    }
    Sound::flip_endian(nullptr, 4);  // nothing to swap, nothing touched
}

TEST_F(WavTest, ReloadingReplacesTheSamplesAndRegistersOnce) {
    Sound sound;
    Buffer* first = bufferOf(riffWav(1, 22050, 16, bytesOf({1, 2, 3})));
    Buffer* second = bufferOf(riffWav(1, 11025, 8, {128, 129}));
    sound.loadFromWav(first);
    sound.loadFromWav(second);
    delete first;
    delete second;
    EXPECT_EQ(samplesOf(sound), (std::vector<int16_t>{0, 256}));
    EXPECT_EQ(sound.frequency, 11025);
    EXPECT_TRUE(isRegistered(&sound));
    EXPECT_EQ(AudioPlayer::sounds.size(), 1);
}

TEST_F(WavTest, SoundFromAPath) {
    const std::string path = sox(bytesOf({7, -7}), "-r 16000 -e signed -b 16 -c 1 -L", "", "path.wav");
    Sound sound(path.c_str());
    EXPECT_EQ(samplesOf(sound), (std::vector<int16_t>{7, -7}));
    EXPECT_EQ(sound.frequency, 16000);
    EXPECT_TRUE(isRegistered(&sound));

    const std::string missing = dir / "missing.wav";
    std::string said = captureStderr([&] {
        Sound empty(missing.c_str());
        EXPECT_EQ(empty.data, nullptr);
        EXPECT_EQ(empty.length, 0);
        EXPECT_FALSE(isRegistered(&empty));
    });
    EXPECT_EQ(said, "Cannot read sound file " + missing + "\n");
}

TEST_F(WavTest, RejectedSoundCannotBePlayed) {
    ASSERT_EQ(AudioPlayer::init(), 0);
    const std::string path = sox(bytesOf({100, -100}), "-r 22050 -e signed -b 16 -c 2 -L", "", "stereo.wav");
    Sound* sound = new Sound();
    load(*sound, path);
    EXPECT_EQ(captureStderr([&] { EXPECT_EQ(AudioPlayer::play(sound), nullptr); }),
              "Cannot play sound, no data\n");
    EXPECT_EQ(AudioPlayer::voices.size(), 0);
    delete sound;
    AudioPlayer::release();
}

}  // namespace
