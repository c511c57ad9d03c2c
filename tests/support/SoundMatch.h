// Tells whether a sound was played, from SDL's disk audio output (the mix as the game's
// mixer wrote it: S16 stereo frames at 44100 Hz). A played WAV appears there as the mixer
// reads it (the sample under each voice's read position, its rate stepped to 44100 Hz) at
// some gain and possibly mixed with other voices, so it is looked for by its shape:
// the normalised correlation of its loudest stretch with the output.
//
//   size_t before = game.soundBytes();
//   ... click the icon ...
//   EXPECT_TRUE(game.waitFor([&] { return soundPlayedSince(game.soundFile(), "pau.wav", before); }, 5));
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sound_match {

constexpr int OUTPUT_RATE = 44100;

// Mono samples at `rate` as a voice of the mixer reads them: one value per output frame.
std::vector<float> asMixed(const std::vector<int16_t>& samples, int rate);
// The same for a mono PCM WAV file (8 or 16 bits); empty when it cannot be read.
std::vector<float> asMixed(const std::string& wavPath);
// The disk audio output from byte `fromByte` on (rounded up to a whole frame), each frame as
// left + right; a frame still being written at the end is left out.
std::vector<float> readOutput(const std::string& rawPath, size_t fromByte = 0);

// The output frame at which `sound` starts (0 when it started before the output), heard at
// any gain with its shape kept to at least `similarity`; -1 when it is not there. A sound cut
// short by the end of the output counts once its loudest stretch is in.
long find(const std::vector<float>& output, const std::vector<float>& sound, double similarity = 0.9);
// True when some frame of readOutput (left + right) goes beyond `level`; a channel's full
// scale is 32767.
bool audible(const std::vector<float>& output, float level = 64);

}  // namespace sound_match

// The data set's WAV `wavName` (as the build made it, build/data/<name>) is in the disk audio
// output `rawPath` after byte `fromByte`, its shape kept to `similarity` (lower it for a sound
// that other voices play over).
bool soundPlayedSince(const std::string& rawPath, const std::string& wavName, size_t fromByte = 0,
                      double similarity = 0.9);
// Anything louder than near silence is in the output after byte `fromByte`.
bool audibleSince(const std::string& rawPath, size_t fromByte = 0);
