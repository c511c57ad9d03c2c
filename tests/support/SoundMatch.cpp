#include "support/SoundMatch.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace sound_match {

namespace {

// The stretch of the sound that is compared whole, and its head, compared first everywhere.
constexpr size_t STRETCH = 4096;
constexpr size_t HEAD = 256;

double dot(const float* a, const float* b, size_t n) {
    double sum = 0;
    for (size_t i = 0; i < n; i++) sum += static_cast<double>(a[i]) * b[i];
    return sum;
}

}  // namespace

std::vector<float> asMixed(const std::vector<int16_t>& samples, int rate) {
    std::vector<float> out;
    if (rate <= 0) return out;
    // As the mixer steps a voice: position += rate / 44100, reading the sample under it.
    const double step = rate / static_cast<double>(OUTPUT_RATE);
    for (double position = 0; position < samples.size(); position += step) {
        out.push_back(samples[static_cast<size_t>(position)]);
    }
    return out;
}

std::vector<float> asMixed(const std::string& wavPath) {
    SDL_AudioSpec spec;
    Uint8* bytes = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(wavPath.c_str(), &spec, &bytes, &length)) return {};
    std::vector<int16_t> samples;
    if (spec.channels == 1 && (spec.format == AUDIO_S16LSB || spec.format == AUDIO_S16MSB)) {
        for (Uint32 i = 0; i + 1 < length; i += 2) {
            int value =
                spec.format == AUDIO_S16LSB ? bytes[i] | (bytes[i + 1] << 8) : bytes[i + 1] | (bytes[i] << 8);
            samples.push_back(static_cast<int16_t>(value));
        }
    } else if (spec.channels == 1 && spec.format == AUDIO_U8) {
        for (Uint32 i = 0; i < length; i++) samples.push_back(static_cast<int16_t>((bytes[i] - 128) * 256));
    }
    SDL_FreeWAV(bytes);
    return asMixed(samples, spec.freq);
}

std::vector<float> readOutput(const std::string& rawPath, size_t fromByte) {
    std::ifstream in(rawPath, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> out;
    for (size_t i = (fromByte + 3) / 4 * 4; i + 4 <= bytes.size(); i += 4) {
        int16_t left, right;
        std::memcpy(&left, &bytes[i], 2);
        std::memcpy(&right, &bytes[i + 2], 2);
        out.push_back(static_cast<float>(left) + static_cast<float>(right));
    }
    return out;
}

long find(const std::vector<float>& output, const std::vector<float>& sound, double similarity) {
    // The sound's loudest stretch carries its shape best.
    const size_t stretch = std::min(STRETCH, sound.size());
    if (stretch == 0 || output.size() < stretch) return -1;
    size_t from = 0;
    double energy = dot(sound.data(), sound.data(), stretch), best = energy;
    for (size_t i = 1; i + stretch <= sound.size(); i++) {
        energy += static_cast<double>(sound[i + stretch - 1]) * sound[i + stretch - 1] -
                  static_cast<double>(sound[i - 1]) * sound[i - 1];
        if (energy > best) {
            best = energy;
            from = i;
        }
    }
    const float* pattern = sound.data() + from;
    const size_t head = std::min(HEAD, stretch);
    const double patternNorm = std::sqrt(dot(pattern, pattern, stretch));
    const double headNorm = std::sqrt(dot(pattern, pattern, head));
    if (patternNorm == 0) return -1;

    // Energies of every output window of `head` frames, as running sums.
    std::vector<double> squares(output.size() + 1, 0.0);
    for (size_t i = 0; i < output.size(); i++)
        squares[i + 1] = squares[i] + static_cast<double>(output[i]) * output[i];
    auto norm = [&](size_t at, size_t n) { return std::sqrt(std::max(0.0, squares[at + n] - squares[at])); };

    // Where the pattern's own silence is near-silent output, no shape can be compared.
    const double quiet = 1e-3 * headNorm;
    for (size_t at = 0; at + stretch <= output.size(); at++) {
        double outHead = norm(at, head);
        if (outHead <= quiet) continue;
        // The head first (cheap), with room for the other voices; then the whole stretch.
        if (dot(pattern, &output[at], head) / (headNorm * outHead) < similarity - 0.1) continue;
        double whole = dot(pattern, &output[at], stretch) / (patternNorm * norm(at, stretch));
        if (whole >= similarity) return std::max(0L, static_cast<long>(at) - static_cast<long>(from));
    }
    return -1;
}

bool audible(const std::vector<float>& output, float level) {
    return std::any_of(output.begin(), output.end(), [&](float v) { return std::fabs(v) > level; });
}

}  // namespace sound_match

bool soundPlayedSince(const std::string& rawPath, const std::string& wavName, size_t fromByte,
                      double similarity) {
    std::vector<float> sound = sound_match::asMixed(std::string(QUANDRELS_BINARY_DIR) + "/data/" + wavName);
    return !sound.empty() &&
           sound_match::find(sound_match::readOutput(rawPath, fromByte), sound, similarity) >= 0;
}

bool audibleSince(const std::string& rawPath, size_t fromByte) {
    return sound_match::audible(sound_match::readOutput(rawPath, fromByte));
}
