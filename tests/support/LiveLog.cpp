#include "support/LiveLog.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

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

// Standard output goes to a file for the time being; it is read back as it grows.
LiveLog::LiveLog() {
    char path[] = "/tmp/quandrels-log-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return;
    file = path;
    fflush(stdout);
    savedStdout = dup(1);
    dup2(fd, 1);
    close(fd);
}

LiveLog::~LiveLog() {
    if (savedStdout < 0) return;
    fflush(stdout);
    dup2(savedStdout, 1);
    close(savedStdout);
    unlink(file.c_str());
}

std::string LiveLog::text() const {
    fflush(stdout);
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

#endif
