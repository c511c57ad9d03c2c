// Mixing cost: the device callback summing 32 playing voices into one 1024-frame buffer,
// shown as a share of the 23.2 ms that buffer lasts at 44100 Hz.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>
#include <memory>
#include <vector>

#include "audio/AudioPlayer.h"
#include "audio/Sound.h"
#include "audio/Voice.h"

namespace {

constexpr int FRAMES = 1024;
constexpr double PERIOD_SECONDS = FRAMES / 44100.0;

// CPU time of this thread: the share must not count time the machine gave to others.
double threadSeconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void BM_MixVoices(benchmark::State& state) {
    const int voiceCount = static_cast<int>(state.range(0));
    // Sounds of a few seconds at the rates the game's files use; no device is opened, the
    // benchmark is the only caller of the callback.
    std::vector<std::unique_ptr<Sound>> sounds;
    const int rates[] = {44100, 22050, 11025, 48000};
    for (int i = 0; i < 4; ++i) {
        std::vector<unsigned char> bytes(2 * 100000);
        for (size_t k = 0; k < bytes.size(); ++k)
            bytes[k] = static_cast<unsigned char>((k * 131 + i * 17) & 0xFF);
        auto sound = std::make_unique<Sound>();
        sound->loadSamples(AUDIO_S16LSB, bytes.data(), static_cast<int>(bytes.size()));
        sound->frequency = rates[i];
        sounds.push_back(std::move(sound));
    }
    AudioPlayer::isActive = true;
    for (int v = 0; v < voiceCount; ++v) {
        Voice* voice = AudioPlayer::play(sounds[static_cast<size_t>(v) % sounds.size()].get());
        voice->loop = true;  // every voice keeps playing for the whole run
        voice->position = v * 997.0;
    }
    std::vector<unsigned char> stream(FRAMES * 4);
    const double started = threadSeconds();
    for (auto _ : state) {
        AudioPlayer::callback(nullptr, stream.data(), static_cast<int>(stream.size()));
        benchmark::DoNotOptimize(stream.data());
        benchmark::ClobberMemory();
    }
    // CPU time per buffer over the buffer's playing time, in percent.
    const double perBuffer = (threadSeconds() - started) / static_cast<double>(state.iterations());
    state.counters["share_of_period_%"] = perBuffer / PERIOD_SECONDS * 100.0;
    state.counters["voices"] = voiceCount;

    for (Voice* voice : AudioPlayer::voices) delete voice;
    AudioPlayer::voices.clear();
    AudioPlayer::isActive = false;
}
BENCHMARK(BM_MixVoices)->Arg(1)->Arg(8)->Arg(32)->Unit(benchmark::kMicrosecond);

}  // namespace
