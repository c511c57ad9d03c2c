// The test's side of the frame clock that a real program under test runs on (support/
// FrameClockFile.h): a shared page in a file of its own, created holding the program at its
// first frame. The program is started with environment() added to its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/FrameClockFile.h"
#include "support/TempDir.h"

class FrameClock {
public:
    FrameClock();
    ~FrameClock();
    FrameClock(const FrameClock&) = delete;
    FrameClock& operator=(const FrameClock&) = delete;

    // LD_PRELOAD and the page's path, as NAME=value.
    std::vector<std::string> environment() const;

    // Frames the program has shown so far.
    int shown() const;
    // Lets the program run until it has shown `frame`, where it waits (a frame already
    // shown holds it at the next one).
    void allow(int frame);
    // Lets it run on without waiting anywhere.
    void release();

private:
    TempDir folder;
    FrameClockFile* page = nullptr;
};
