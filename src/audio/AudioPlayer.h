// AudioPlayer: the software mixer on SDL's audio device. One stereo 16-bit stream at 44100 Hz;
// the device callback sums every playing Voice into it. The player owns its voices and sounds.
#pragma once

#include <SDL.h>

#include "core/List.h"

class Sound;
class Voice;

class AudioPlayer {
public:
    static bool isActive;            // between a successful init() and release()
    static List<Voice*> voices;      // every voice started, in creation order
    static List<Sound*> sounds;      // every sound that holds decoded samples, in load order
    static SDL_AudioSpec audiospec;  // the format the callback receives

    // 0 on success; -1 already active, -2 no audio subsystem, -3 no device, -4 wrong format.
    static int init();
    // Stops and closes the device, deletes every voice and every registered sound.
    static void release();
    // Starts `sound` from its beginning; null (with a message) when nothing was started.
    static Voice* play(Sound* sound);
    // True when some voice that is not paused plays `sound`.
    static bool isPlaying(Sound* sound);
    // The device callback: mixes the playing voices into `length` bytes of stereo S16 frames.
    static void callback(void* userdata, unsigned char* stream, int length);

    // Writes one message verbatim to standard error.
    static void message(char const* text);

    // Holds SDL's audio lock while the device is open, so the callback never sees a voice or
    // a sample block half changed. Without an open device there is no callback to exclude.
    class Lock {
    public:
        Lock();
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        bool held;
    };

    // Called by a Sound that is going away: frees its voices and drops it from `sounds`.
    static void forget(Sound* sound);
    // Adds `sound` to `sounds` unless it is already there.
    static void adopt(Sound* sound);

private:
    static bool deviceOpen;
};
