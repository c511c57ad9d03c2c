#include "support/LogCapture.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>

#ifndef QUANDRELS_TEST_FIXED_BUILD

namespace {

void collect(void* userdata, int category, SDL_LogPriority, const char* message) {
    if (category != SDL_LOG_CATEGORY_APPLICATION) return;
    auto* text = static_cast<std::string*>(userdata);
    *text += message;
    *text += "\n";
}

}  // namespace

std::string captureLog(const std::function<void()>& action) {
    SDL_LogOutputFunction previous;
    void* previousData;
    SDL_LogGetOutputFunction(&previous, &previousData);
    std::string text;
    SDL_LogSetOutputFunction(collect, &text);
    try {
        action();
    } catch (...) {
        SDL_LogSetOutputFunction(previous, previousData);
        throw;
    }
    SDL_LogSetOutputFunction(previous, previousData);
    return text;
}

#else

std::string captureLog(const std::function<void()>& action) {
    fflush(stdout);
    testing::internal::CaptureStdout();
    try {
        action();
    } catch (...) {
        fflush(stdout);
        testing::internal::GetCapturedStdout();
        throw;
    }
    fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

#endif
