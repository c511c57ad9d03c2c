// Fuzz target: arbitrary bytes as a WAV file (RIFF or big-endian RIFX), then one mix of
// whatever sound came out of it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/AudioPlayer.h"
#include "audio/Sound.h"
#include "audio/Voice.h"
#include "core/Buffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    Buffer wav;
    wav.write(data, static_cast<int>(size));
    Sound sound(&wav);
    if (sound.data) {
        AudioPlayer::isActive = true;  // no device: this thread is the only mixer
        Voice* voice = AudioPlayer::play(&sound);
        if (voice && size > 0) voice->loop = (data[size - 1] & 1) != 0;
        std::vector<unsigned char> stream(4 * 700);
        AudioPlayer::callback(nullptr, stream.data(), static_cast<int>(stream.size()));
        for (Voice* v : AudioPlayer::voices) delete v;
        AudioPlayer::voices.clear();
        AudioPlayer::isActive = false;
    }
    return 0;
}
