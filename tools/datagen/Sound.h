// Sound synthesis helpers and the WAV writer for the game's effects.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

using Samples = std::vector<float>;

// Mono 16-bit PCM WAV bytes. The samples are scaled so that the peak sits at peakDb (dBFS),
// faded in over fadeIn seconds and out over fadeOut seconds; the first and last samples are 0.
std::string encodeWav(Samples samples, int rate, float peakDb, float fadeIn, float fadeOut);

// A small Schroeder reverb (parallel combs into series all-passes); returns the wet signal
// mixed with the dry one, longer by tail seconds.
Samples reverb(const Samples& dry, int rate, float wet, float roomSeconds, float tail);

// Two-pole resonant band-pass (state-variable filter) with a per-sample centre frequency.
class BandPass {
public:
    explicit BandPass(int rate, float q) : rate(rate), damping(1.0f / q) {}
    float process(float input, float centreHz);

private:
    int rate;
    float damping;
    float low = 0.0f, band = 0.0f;
};

// The three effects the game plays.
std::string makePluck();    // "pau.wav"
std::string makeImpulse();  // "impulse.wav"
std::string makeVictory();  // "victory.wav"

const int SAMPLE_RATE = 44100;

}  // namespace datagen
