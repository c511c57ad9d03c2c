// Collects what the code under test writes through log() for as long as it lives, readable at
// any moment (captureLog gives it only when the action is over): the SDL log (application
// category) in the shader build, standard output in the fixed-function build. Each SDL log
// message gets its line end back, so both builds read the same.
#pragma once

#include <memory>
#include <string>

#include "support/LiveOutput.h"

class LiveLog {
public:
    LiveLog();
    ~LiveLog();
    LiveLog(const LiveLog&) = delete;
    LiveLog& operator=(const LiveLog&) = delete;

    // Everything logged since construction.
    std::string text() const;

    // Used by the SDL log hook.
    std::string collected;

private:
    void (*previousOutput)() = nullptr;  // the SDL log hook before ours
    void* previousData = nullptr;
    std::unique_ptr<LiveOutput> output;  // standard output, in the fixed-function build
};
