// The message of a failure thrown as const char*, for tests of the fatal-error paths.
#pragma once

#include <functional>
#include <string>

// Returns the thrown text, or "" when the action completes without throwing.
inline std::string thrownMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const char* message) {
        return message;
    }
    return "";
}
