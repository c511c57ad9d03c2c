// Sound: WAV decoding through SDL into signed 16-bit host-order samples, and sample release
// that stays safe while the mixer runs.
#include "audio/Sound.h"

#include <SDL.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "audio/AudioPlayer.h"
#include "audio/WavHeader.h"
#include "core/Buffer.h"
#include "storage/File.h"

Sound::Sound() = default;

Sound::Sound(Buffer* wav) { loadFromWav(wav); }

Sound::Sound(char const* path) {
    Buffer* wav = path ? File(path).read() : nullptr;
    if (!wav) {
        std::string text = std::string("Cannot read sound file ") + (path ? path : "(null)") + "\n";
        AudioPlayer::message(text.c_str());
        return;
    }
    loadFromWav(wav);
    delete wav;
}

Sound::~Sound() {
    release();
    AudioPlayer::forget(this);
}

void Sound::release() {
    AudioPlayer::Lock lock;
    free(data);
    data = nullptr;
    length = 0;
}

void Sound::flip_endian(unsigned char* bytes, int length) {
    if (!bytes) return;
    for (int i = 0; i + 1 < length; i += 2) {
        unsigned char t = bytes[i];
        bytes[i] = bytes[i + 1];
        bytes[i + 1] = t;
    }
}

bool Sound::loadSamples(int format, unsigned char const* bytes, int count) {
    release();
    if (count < 0 || (count > 0 && !bytes)) count = 0;
    short* samples = nullptr;
    int samplesCount = 0;
    switch (format) {
        case AUDIO_U8:
            // (count + 1) keeps malloc from answering null for an empty file.
            samples = static_cast<short*>(malloc(sizeof(short) * (static_cast<size_t>(count) + 1)));
            for (int i = 0; i < count; ++i) samples[i] = static_cast<short>((bytes[i] - 128) * 256);
            samplesCount = count;
            break;
        case AUDIO_S16LSB:
        case AUDIO_S16MSB: {
            samples = static_cast<short*>(malloc(static_cast<size_t>(count) + 2));
            if (count > 0) memcpy(samples, bytes, static_cast<size_t>(count));
            // Samples are kept in the host's byte order, whatever the file's.
            if (format != AUDIO_S16SYS) flip_endian(reinterpret_cast<unsigned char*>(samples), count);
            samplesCount = count / 2;
            break;
        }
        case AUDIO_S8:
            AudioPlayer::message("AUDIO_S8 is unsupported format!\n");
            return false;
        case AUDIO_U16LSB:
            AudioPlayer::message("AUDIO_U16LSB is unsupported format!\n");
            return false;
        case AUDIO_U16MSB:
            AudioPlayer::message("AUDIO_U16MSB is unsupported format!\n");
            return false;
        default:
            AudioPlayer::message("Unsupported sample format!\n");
            return false;
    }
    AudioPlayer::Lock lock;
    data = samples;
    length = samplesCount;
    return true;
}

void Sound::loadFromWav(Buffer* wav) {
    release();
    frequency = 44100;

    unsigned char* bytes = wav ? wav->data : nullptr;
    const int size = wav ? wav->size : 0;
    // A big-endian file is decoded from a copy whose header is rewritten for SDL; its
    // 16-bit samples then come back as SDL's little-endian format but are big-endian.
    const bool bigEndian = isRifxWav(bytes, size);
    unsigned char* rewritten = nullptr;
    if (bigEndian) {
        rewritten = static_cast<unsigned char*>(malloc(static_cast<size_t>(size)));
        memcpy(rewritten, bytes, static_cast<size_t>(size));
        bytes = rewritten;
    }
    const bool wellFormed = (!bigEndian || rewriteRifxAsRiff(bytes, size)) && wavChunksFit(bytes, size);

    SDL_AudioSpec spec;
    memset(&spec, 0, sizeof spec);
    Uint8* decoded = nullptr;
    Uint32 decodedLength = 0;
    bool loaded = false;
    if (wellFormed) {
        SDL_RWops* stream = SDL_RWFromMem(bytes, size);
        loaded = stream && SDL_LoadWAV_RW(stream, 0, &spec, &decoded, &decodedLength) != nullptr;
        if (stream) SDL_RWclose(stream);
    }
    free(rewritten);
    if (!loaded) {
        AudioPlayer::message("ERROR: Wav cannot be loaded.\n");
        return;
    }
    frequency = spec.freq;

    const bool mono = spec.channels == 1;
    if (!mono) AudioPlayer::message("Only mono sounds are supported!\n");
    int format = spec.format;
    if (bigEndian && format == AUDIO_S16LSB) format = AUDIO_S16MSB;

    // A rate the mixer cannot step through, or more bytes than a sample count can hold, is
    // not a sound this program can play.
    const bool usable = spec.freq > 0 && decodedLength <= static_cast<Uint32>(INT_MAX / 2);
    const bool accepted = usable && loadSamples(format, decoded, static_cast<int>(decodedLength));
    SDL_FreeWAV(decoded);
    if (!accepted || !mono) {
        release();
        AudioPlayer::message("ERROR: Data cannot be loaded.\n");
        return;
    }
    AudioPlayer::adopt(this);
}
