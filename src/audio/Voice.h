// Voice: one playback of a Sound with its own read position and gains; free while `sound` is null.
#pragma once

class Sound;

class Voice {
public:
    Sound* sound = nullptr;  // null: the voice is free for the next play
    double position = 0.0;   // read position in samples of the sound
    int rate = 44100;        // the sound's sample rate when the voice started
    int volumeLeft = 128;    // gains in 1/256 units
    int volumeRight = 128;
    bool loop = false;
    bool paused = false;  // skipped by the mixer and not counted as playing
};
