// log goes to the SDL log at information priority in the shader build, to standard output
// in the fixed-function build.
#include <gtest/gtest.h>

#include <string>

#include "core/Log.h"
#include "support/Capture.h"

#ifndef QUANDRELS_TEST_FIXED_BUILD
#include <SDL.h>

namespace {

struct LogRecord {
    int category = -1;
    SDL_LogPriority priority = SDL_NUM_LOG_PRIORITIES;
    std::string message;
};

void recordLog(void* userdata, int category, SDL_LogPriority priority, const char* message) {
    auto* record = static_cast<LogRecord*>(userdata);
    record->category = category;
    record->priority = priority;
    record->message = message;
}

TEST(LogTest, WritesToTheSdlLogAtInformationPriority) {
    SDL_LogOutputFunction previous;
    void* previousData;
    SDL_LogGetOutputFunction(&previous, &previousData);
    LogRecord record;
    SDL_LogSetOutputFunction(recordLog, &record);
    std::string out = captureStdout([] { log("Width = %d, Height = %d.\n", 854, 480); });
    SDL_LogSetOutputFunction(previous, previousData);

    EXPECT_EQ(record.category, SDL_LOG_CATEGORY_APPLICATION);
    EXPECT_EQ(record.priority, SDL_LOG_PRIORITY_INFO);
    // SDL drops the trailing newline; its own output adds one per message.
    EXPECT_EQ(record.message, "Width = 854, Height = 480.");
    EXPECT_EQ(out, "");
}

}  // namespace

#else

namespace {

TEST(LogTest, WritesToStandardOutput) {
    std::string out = captureStdout([] { log("Cannot open file %s\n", "pau.wav"); });
    EXPECT_EQ(out, "Cannot open file pau.wav\n");
}

}  // namespace

#endif
