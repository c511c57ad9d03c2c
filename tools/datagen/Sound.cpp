// Additive and subtractive synthesis of the three effects, and their WAV encoding.
#include "Sound.h"

#include <algorithm>
#include <cmath>

#include "Random.h"

namespace datagen {
namespace {

const float TAU = 6.28318531f;

void putU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 255u));
}
void putU16(std::string& out, uint16_t v) {
    out.push_back(static_cast<char>(v & 255u));
    out.push_back(static_cast<char>(v >> 8));
}

// Raised-cosine ramp from 0 to 1 over `length` seconds.
float ramp(float t, float length) {
    if (t <= 0.0f) return 0.0f;
    if (t >= length) return 1.0f;
    return 0.5f - 0.5f * std::cos(3.14159265f * t / length);
}

// A struck or plucked tone: partials with their own amplitudes and exponential decays.
struct Partial {
    float ratio;
    float amplitude;
    float decay;  // seconds to fall to 1/e
};

void addTone(Samples& out, float start, float frequency, const std::vector<Partial>& partials, float gain,
             float attack, uint32_t seed, float detuneCents = 0.0f) {
    int begin = static_cast<int>(start * SAMPLE_RATE);
    float longest = 0.0f;
    for (const Partial& p : partials) longest = std::max(longest, p.decay);
    int length = static_cast<int>(longest * 7.0f * SAMPLE_RATE);
    if (begin + length > static_cast<int>(out.size())) length = static_cast<int>(out.size()) - begin;
    float detune = std::pow(2.0f, detuneCents / 1200.0f);
    for (size_t k = 0; k < partials.size(); ++k) {
        const Partial& p = partials[k];
        float phase = unitFloat(hash32(seed + static_cast<uint32_t>(k) * 977u)) * TAU;
        float step = TAU * frequency * p.ratio * detune / SAMPLE_RATE;
        if (frequency * p.ratio * detune > SAMPLE_RATE * 0.45f) continue;  // no aliasing partials
        for (int i = 0; i < length; ++i) {
            float t = static_cast<float>(i) / SAMPLE_RATE;
            float env = ramp(t, attack) * std::exp(-t / p.decay);
            out[static_cast<size_t>(begin + i)] += gain * p.amplitude * env * std::sin(phase + step * i);
        }
    }
}

// Fades the end of a dry signal so that no partial is cut off mid-swing when the buffer
// ends (that would click, even under the reverb tail).
void fadeTail(Samples& s, float seconds) {
    size_t n = std::min(s.size(), static_cast<size_t>(seconds * SAMPLE_RATE));
    for (size_t i = 0; i < n; ++i) s[s.size() - 1 - i] *= ramp(static_cast<float>(i) / SAMPLE_RATE, seconds);
}

}  // namespace

float BandPass::process(float input, float centreHz) {
    // Chamberlin state-variable filter, stable for centre frequencies below rate / 6.
    float f = 2.0f * std::sin(3.14159265f * std::min(centreHz, rate / 6.5f) / rate);
    low += f * band;
    float high = input - low - damping * band;
    band += f * high;
    return band;
}

std::string encodeWav(Samples samples, int rate, float peakDb, float fadeIn, float fadeOut) {
    size_t n = samples.size();
    for (size_t i = 0; i < n; ++i) {
        float t0 = static_cast<float>(i) / rate;
        float t1 = static_cast<float>(n - 1 - i) / rate;
        samples[i] *= ramp(t0, fadeIn) * ramp(t1, fadeOut);
    }
    float peak = 0.0f;
    for (float s : samples) peak = std::max(peak, std::fabs(s));
    float gain = peak > 0.0f ? std::pow(10.0f, peakDb / 20.0f) / peak : 0.0f;

    std::string out;
    uint32_t dataBytes = static_cast<uint32_t>(n * 2);
    out += "RIFF";
    putU32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    putU32(out, 16);
    putU16(out, 1);  // PCM
    putU16(out, 1);  // mono
    putU32(out, static_cast<uint32_t>(rate));
    putU32(out, static_cast<uint32_t>(rate * 2));
    putU16(out, 2);
    putU16(out, 16);
    out += "data";
    putU32(out, dataBytes);
    for (size_t i = 0; i < n; ++i) {
        float v = samples[i] * gain * 32767.0f;
        long q = std::lround(std::max(-32767.0f, std::min(32767.0f, v)));
        if (i == 0 || i == n - 1) q = 0;
        putU16(out, static_cast<uint16_t>(static_cast<int16_t>(q)));
    }
    return out;
}

Samples reverb(const Samples& dry, int rate, float wet, float roomSeconds, float tail) {
    size_t n = dry.size() + static_cast<size_t>(tail * rate);
    Samples out(n, 0.0f);
    const float combTimes[4] = {0.0297f, 0.0371f, 0.0411f, 0.0437f};
    const float decayTime = std::max(0.1f, tail);
    for (float baseTime : combTimes) {
        int delay = std::max(1, static_cast<int>(baseTime * roomSeconds / 0.04f * rate));
        // Feedback that decays by 60 dB over the tail.
        float g = std::pow(10.0f, -3.0f * (static_cast<float>(delay) / rate) / decayTime);
        std::vector<float> line(static_cast<size_t>(delay), 0.0f);
        float damp = 0.0f;
        for (size_t i = 0; i < n; ++i) {
            size_t slot = i % static_cast<size_t>(delay);
            float delayed = line[slot];
            damp = delayed * 0.7f + damp * 0.3f;  // high frequencies die sooner
            float input = i < dry.size() ? dry[i] : 0.0f;
            line[slot] = input + damp * g;
            out[i] += delayed * 0.25f;
        }
    }
    const float allpassTimes[2] = {0.005f, 0.0017f};
    for (float time : allpassTimes) {
        int delay = std::max(1, static_cast<int>(time * rate));
        std::vector<float> line(static_cast<size_t>(delay), 0.0f);
        for (size_t i = 0; i < n; ++i) {
            size_t slot = i % static_cast<size_t>(delay);
            float delayed = line[slot];
            float input = out[i];
            float v = input + delayed * 0.7f;
            line[slot] = v;
            out[i] = delayed - 0.7f * v;
        }
    }
    for (size_t i = 0; i < n; ++i) out[i] = out[i] * wet + (i < dry.size() ? dry[i] : 0.0f);
    return out;
}

std::string makePluck() {
    // A soft wooden-glass pluck on D5: few partials, the upper ones dying fast.
    Samples s(static_cast<size_t>(0.42f * SAMPLE_RATE), 0.0f);
    std::vector<Partial> partials = {{1.0f, 1.0f, 0.085f},
                                     {2.0f, 0.32f, 0.045f},
                                     {3.0f, 0.12f, 0.028f},
                                     {4.13f, 0.05f, 0.016f},
                                     {0.5f, 0.18f, 0.06f}};
    addTone(s, 0.0f, 587.33f, partials, 1.0f, 0.004f, 11u);
    addTone(s, 0.0f, 587.33f, partials, 0.35f, 0.004f, 12u, 7.0f);
    fadeTail(s, 0.12f);
    Samples wetted = reverb(s, SAMPLE_RATE, 0.10f, 0.02f, 0.12f);
    return encodeWav(wetted, SAMPLE_RATE, -6.0f, 0.003f, 0.05f);
}

std::string makeImpulse() {
    // A rising swoosh of filtered noise, a chord of shimmering high partials, a scatter of
    // tiny sparkles and a soft low thump: a magical burst that stays light in the low end.
    const float length = 0.9f;
    Samples s(static_cast<size_t>(length * SAMPLE_RATE), 0.0f);
    Random random(0x1234abcdULL);

    BandPass sweep(SAMPLE_RATE, 3.5f);
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE;
        float centre = 900.0f * std::pow(7.5f, std::min(t / 0.32f, 1.0f));
        float noise = static_cast<float>(random.uniform() * 2.0 - 1.0);
        float env = ramp(t, 0.012f) * std::exp(-t / 0.13f);
        s[i] += 0.55f * env * sweep.process(noise, centre);
    }

    const float chord[5] = {1318.5f, 1975.5f, 2637.0f, 3322.4f, 3951.1f};
    for (int k = 0; k < 5; ++k) {
        float phase = random.range(0.0f, TAU);
        float tremolo = random.range(17.0f, 29.0f);
        float amplitude = 0.22f / std::sqrt(static_cast<float>(k + 1));
        for (size_t i = 0; i < s.size(); ++i) {
            float t = static_cast<float>(i) / SAMPLE_RATE;
            float env = ramp(t, 0.02f) * std::exp(-t / 0.24f) * (0.65f + 0.35f * std::sin(TAU * tremolo * t));
            float glide = 1.0f + 0.015f * (1.0f - std::exp(-t / 0.05f));
            s[i] += amplitude * env * std::sin(phase + TAU * chord[k] * glide * t);
        }
    }

    for (int g = 0; g < 70; ++g) {
        float start = std::min(0.62f, -std::log(1.0f - random.range(0.0f, 0.97f)) * 0.14f);
        float frequency = random.range(2600.0f, 8200.0f);
        float duration = random.range(0.006f, 0.02f);
        float amplitude = 0.16f * std::exp(-start / 0.3f);
        int begin = static_cast<int>(start * SAMPLE_RATE);
        int count = static_cast<int>(duration * SAMPLE_RATE);
        for (int i = 0; i < count && begin + i < static_cast<int>(s.size()); ++i) {
            float window = 0.5f - 0.5f * std::cos(TAU * i / count);
            s[static_cast<size_t>(begin + i)] +=
                amplitude * window * std::sin(TAU * frequency * static_cast<float>(i) / SAMPLE_RATE);
        }
    }

    double phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE;
        float frequency = 90.0f + 170.0f * std::exp(-t / 0.05f);
        phase += TAU * frequency / SAMPLE_RATE;
        s[i] += 0.45f * ramp(t, 0.006f) * std::exp(-t / 0.07f) * static_cast<float>(std::sin(phase));
    }

    fadeTail(s, 0.25f);
    Samples wetted = reverb(s, SAMPLE_RATE, 0.28f, 0.045f, 0.35f);
    // Quiet on purpose: the mixer sums voices without clipping protection, and a win starts
    // several bursts in the same frame on top of the victory chime.
    return encodeWav(wetted, SAMPLE_RATE, -12.0f, 0.003f, 0.12f);
}

std::string makeVictory() {
    // An ascending A-major arpeggio of celesta-like chimes over a soft low fifth, ending on a
    // ringing high chord with a few sparkles.
    const float length = 2.0f;
    Samples s(static_cast<size_t>(length * SAMPLE_RATE), 0.0f);
    std::vector<Partial> chime = {{1.0f, 1.0f, 0.75f},
                                  {2.0f, 0.28f, 0.32f},
                                  {3.0f, 0.11f, 0.18f},
                                  {4.2f, 0.07f, 0.1f},
                                  {5.43f, 0.035f, 0.06f}};
    const float notes[6] = {659.26f, 880.0f, 1108.73f, 1318.51f, 1760.0f, 2217.46f};
    for (int k = 0; k < 6; ++k) {
        float start = 0.085f * k;
        float gain = 0.55f + 0.09f * k;
        addTone(s, start, notes[k], chime, gain, 0.003f, 100u + static_cast<uint32_t>(k));
        addTone(s, start, notes[k], chime, gain * 0.4f, 0.003f, 200u + static_cast<uint32_t>(k), 4.0f);
    }
    // Final chord: the top three notes struck together again.
    for (int k = 3; k < 6; ++k)
        addTone(s, 0.62f, notes[k], chime, 0.55f, 0.004f, 300u + static_cast<uint32_t>(k));

    // A low pad (A3 and E4) that swells in under the chimes.
    const float pad[2] = {220.0f, 329.63f};
    for (float f : pad) {
        for (size_t i = 0; i < s.size(); ++i) {
            float t = static_cast<float>(i) / SAMPLE_RATE;
            float env = ramp(t, 0.35f) * std::exp(-std::max(0.0f, t - 0.35f) / 0.9f);
            s[i] += 0.16f * env * (std::sin(TAU * f * t) + 0.25f * std::sin(TAU * 2.0f * f * t + 0.7f));
        }
    }

    Random random(0x51c3b00fULL);
    for (int g = 0; g < 40; ++g) {
        float start = 0.55f + random.range(0.0f, 0.9f);
        float frequency = random.range(3000.0f, 7500.0f);
        float duration = random.range(0.01f, 0.03f);
        float amplitude = 0.05f * std::exp(-(start - 0.55f) / 0.5f);
        int begin = static_cast<int>(start * SAMPLE_RATE);
        int count = static_cast<int>(duration * SAMPLE_RATE);
        for (int i = 0; i < count && begin + i < static_cast<int>(s.size()); ++i) {
            float window = 0.5f - 0.5f * std::cos(TAU * i / count);
            s[static_cast<size_t>(begin + i)] +=
                amplitude * window * std::sin(TAU * frequency * static_cast<float>(i) / SAMPLE_RATE);
        }
    }
    fadeTail(s, 0.7f);
    Samples wetted = reverb(s, SAMPLE_RATE, 0.3f, 0.06f, 0.5f);
    return encodeWav(wetted, SAMPLE_RATE, -6.0f, 0.003f, 0.35f);
}

}  // namespace datagen
