// Sound: the decoded samples of one mono WAV file, signed 16-bit in host order at the file's
// own rate. A sound that holds samples is registered with (and owned by) the AudioPlayer.
#pragma once

class Buffer;

class Sound {
public:
    short* data = nullptr;  // malloc'd samples, or null when the sound holds nothing
    int length = 0;         // number of samples
    int frequency = 44100;  // sample rate in Hz

    Sound();
    // Decodes a WAV file held in memory; the caller keeps the buffer.
    explicit Sound(Buffer* wav);
    // Reads and decodes the WAV file at `path`.
    explicit Sound(char const* path);
    // Frees the samples, frees any voice still playing this sound and leaves the player's list.
    ~Sound();

    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // Replaces the samples with the decoded WAV. On failure the sound is left empty and the
    // reason is written to standard error.
    void loadFromWav(Buffer* wav);
    // Frees the samples (safe while the device runs: voices of this sound end at the next mix).
    void release();

    // Swaps the two bytes of every whole 16-bit pair in the first `length` bytes.
    static void flip_endian(unsigned char* bytes, int length);

    // Turns `count` decoded bytes in the platform sample format `format` (AUDIO_U8, ...) into
    // this sound's samples. Unaccepted formats write their message and return false, leaving
    // the sound empty.
    bool loadSamples(int format, unsigned char const* bytes, int count);
};
