// Collects what the process writes to one of its standard streams (1 or 2) for as long as it
// lives, readable at any moment: the stream goes to a file meanwhile and is read back as it
// grows. What was there before comes back at the end.
#pragma once

#include <string>

class LiveOutput {
public:
    explicit LiveOutput(int stream);
    ~LiveOutput();
    LiveOutput(const LiveOutput&) = delete;
    LiveOutput& operator=(const LiveOutput&) = delete;

    // Everything written since construction.
    std::string text() const;

private:
    int stream;
    int saved = -1;  // the stream's own file, while it is redirected
    std::string file;
};
