// Helpers to capture what code under test writes to standard output or standard error.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

inline std::string captureStdout(const std::function<void()>& action) {
    fflush(stdout);
    testing::internal::CaptureStdout();
    action();
    fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

inline std::string captureStderr(const std::function<void()>& action) {
    fflush(stderr);
    testing::internal::CaptureStderr();
    action();
    fflush(stderr);
    return testing::internal::GetCapturedStderr();
}
