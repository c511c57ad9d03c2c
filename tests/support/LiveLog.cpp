#include "support/LiveLog.h"

#include <SDL.h>

#ifndef QUANDRELS_TEST_FIXED_BUILD

namespace {

void collect(void* userdata, int category, SDL_LogPriority, const char* message) {
    if (category != SDL_LOG_CATEGORY_APPLICATION) return;
    auto* log = static_cast<LiveLog*>(userdata);
    log->collected += message;
    log->collected += "\n";
}

}  // namespace

LiveLog::LiveLog() {
    SDL_LogOutputFunction previous;
    SDL_LogGetOutputFunction(&previous, &previousData);
    previousOutput = reinterpret_cast<void (*)()>(previous);
    SDL_LogSetOutputFunction(collect, this);
}

LiveLog::~LiveLog() {
    SDL_LogSetOutputFunction(reinterpret_cast<SDL_LogOutputFunction>(previousOutput), previousData);
}

std::string LiveLog::text() const { return collected; }

#else

LiveLog::LiveLog() : output(std::make_unique<LiveOutput>(1)) {}

LiveLog::~LiveLog() = default;

std::string LiveLog::text() const { return output->text(); }

#endif
