// AudioPlayer: device set-up and tear-down, voice allocation and the mixing callback.
#include "audio/AudioPlayer.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "audio/Sound.h"
#include "audio/Voice.h"

bool AudioPlayer::isActive = false;
List<Voice*> AudioPlayer::voices;
List<Sound*> AudioPlayer::sounds;
SDL_AudioSpec AudioPlayer::audiospec;
bool AudioPlayer::deviceOpen = false;

namespace {

constexpr int OUTPUT_RATE = 44100;
// Frames summed per pass of the callback; the device asks for 1024 at a time.
constexpr int MIX_FRAMES = 1024;
// Gains beyond this could overflow sample x gain in 32 bits; nothing sets them that high.
constexpr int MAX_GAIN = 32767;

int clampGain(int gain) {
    if (gain > MAX_GAIN) return MAX_GAIN;
    if (gain < -MAX_GAIN) return -MAX_GAIN;
    return gain;
}

// Adds `frames` frames of `voice` into the stereo accumulator; true when it contributed.
bool mixVoice(Voice* voice, int32_t* mix, int frames) {
    if (!voice || !voice->sound || voice->paused) return false;
    Sound* sound = voice->sound;
    const short* samples = sound->data;
    if (!samples) {
        voice->sound = nullptr;  // its samples were released
        return false;
    }
    const int length = sound->length;
    const double step = voice->rate / static_cast<double>(OUTPUT_RATE);
    const int left = clampGain(voice->volumeLeft);
    const int right = clampGain(voice->volumeRight);
    double position = voice->position;
    for (int f = 0; f < frames; ++f) {
        // Range test on the double first: the truncation is only defined inside int range.
        if (!(position > -1.0 && position < length)) {
            if (!voice->loop || length <= 0) {
                voice->sound = nullptr;
                break;
            }
            position = 0.0;
        }
        const int32_t s = samples[static_cast<int>(position)];
        position += step;
        mix[2 * f] += (s * left) >> 8;
        mix[2 * f + 1] += (s * right) >> 8;
    }
    voice->position = position;
    return true;
}

int16_t saturate(int32_t value) {
    if (value > INT16_MAX) return INT16_MAX;
    if (value < INT16_MIN) return INT16_MIN;
    return static_cast<int16_t>(value);
}

}  // namespace

void AudioPlayer::message(char const* text) { fwrite(text, 1, strlen(text), stderr); }

AudioPlayer::Lock::Lock() : held(deviceOpen) {
    if (held) SDL_LockAudio();
}

AudioPlayer::Lock::~Lock() {
    if (held) SDL_UnlockAudio();
}

int AudioPlayer::init() {
    if (isActive) {
        message("Audio is already actived.\n");
        return -1;
    }
    // Voices only live while the player is active; anything left here is stale.
    for (Voice* voice : voices) delete voice;
    voices.clear();

    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
        message("Cannot init SDL audio.\n");
        return -2;
    }
    SDL_AudioSpec desired;
    memset(&desired, 0, sizeof desired);
    desired.freq = OUTPUT_RATE;
    desired.format = AUDIO_S16SYS;
    desired.channels = 2;
    desired.samples = 1024;
    desired.callback = callback;
    desired.userdata = nullptr;
    // Without an "obtained" record SDL converts to exactly the requested format, so the mixer's
    // fixed 44100 Hz stereo assumption holds on any hardware.
    if (SDL_OpenAudio(&desired, nullptr) < 0) {
        message("Cannot open audio driver.\n");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return -3;
    }
    deviceOpen = true;
    audiospec = desired;
    if (audiospec.format != AUDIO_S16SYS) {
        message("Format is not S16SYS\n");
        SDL_CloseAudio();
        deviceOpen = false;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return -4;
    }
    SDL_PauseAudio(0);
    isActive = true;
    return 0;
}

void AudioPlayer::release() {
    if (!isActive) {
        message("Audio is not actived.\n");
        return;
    }
    SDL_PauseAudio(1);
    List<Voice*> oldVoices;
    List<Sound*> oldSounds;
    {
        Lock lock;
        for (Voice* voice : voices) oldVoices.add(voice);
        for (Sound* sound : sounds) oldSounds.add(sound);
        voices.clear();
        sounds.clear();
    }
    // Closing waits for the audio thread; after it nothing reads the voices or samples.
    SDL_CloseAudio();
    deviceOpen = false;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    isActive = false;

    for (Voice* voice : oldVoices) delete voice;
    for (Sound* sound : oldSounds) delete sound;
}

Voice* AudioPlayer::play(Sound* sound) {
    if (!isActive) {
        message("Cannot play sound, audio is not actived.\n");
        return nullptr;
    }
    if (!sound || !sound->data) {
        message("Cannot play sound, no data\n");
        return nullptr;
    }
    Lock lock;
    Voice* voice = nullptr;
    for (Voice* candidate : voices) {
        if (!candidate->sound) {
            voice = candidate;
            break;
        }
    }
    if (!voice) {
        voice = new Voice();
        voices.add(voice);
    }
    voice->position = 0.0;
    voice->volumeLeft = 128;
    voice->volumeRight = 128;
    voice->rate = sound->frequency;
    voice->loop = false;
    voice->paused = false;
    voice->sound = sound;
    return voice;
}

bool AudioPlayer::isPlaying(Sound* sound) {
    if (!sound) return false;
    Lock lock;
    for (Voice* voice : voices) {
        if (voice->sound == sound && !voice->paused) return true;
    }
    return false;
}

void AudioPlayer::callback(void* userdata, unsigned char* stream, int length) {
    (void)userdata;
    if (!stream || length <= 0) return;
    memset(stream, 0, static_cast<size_t>(length));
    const int frames = length / 4;
    // Each output sample is summed in 32 bits and saturated once when written, so loud
    // voices together clip instead of wrapping around into full-scale clicks.
    int32_t mix[2 * MIX_FRAMES];
    for (int start = 0; start < frames; start += MIX_FRAMES) {
        const int count = frames - start < MIX_FRAMES ? frames - start : MIX_FRAMES;
        memset(mix, 0, sizeof(int32_t) * 2 * static_cast<size_t>(count));
        bool heard = false;
        const int voiceCount = voices.size();
        for (int v = 0; v < voiceCount; ++v) {
            if (mixVoice(voices.at(v), mix, count)) heard = true;
        }
        if (!heard) continue;  // the stream already holds silence
        unsigned char* out = stream + static_cast<size_t>(start) * 4;
        for (int i = 0; i < 2 * count; ++i) {
            const int16_t value = saturate(mix[i]);
            memcpy(out + 2 * i, &value, sizeof value);
        }
    }
}

void AudioPlayer::forget(Sound* sound) {
    if (!sound) return;
    Lock lock;
    for (Voice* voice : voices) {
        if (voice->sound == sound) voice->sound = nullptr;
    }
    for (int i = sounds.size() - 1; i >= 0; --i) {
        if (sounds.at(i) == sound) sounds.remove(i);
    }
}

void AudioPlayer::adopt(Sound* sound) {
    for (Sound* known : sounds) {
        if (known == sound) return;
    }
    sounds.add(sound);
}
