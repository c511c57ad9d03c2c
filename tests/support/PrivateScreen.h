// An X server of the test's own: Xvfb on a free display number with a 1920 x 1080 screen and,
// unless asked not to, openbox as its window manager, started as the scripts start it
// (scripts/with-desktop.sh), so that full screen and window placement behave as on a desktop
// and no other test's window can cover ours. Both are ended when it goes.
#pragma once

#include <sys/types.h>

#include <string>

class PrivateScreen {
public:
    static constexpr int WIDTH = 1920;
    static constexpr int HEIGHT = 1080;

    // Waits up to 30 s for the server and the window manager to answer.
    explicit PrivateScreen(bool windowManager = true);
    ~PrivateScreen();
    PrivateScreen(const PrivateScreen&) = delete;
    PrivateScreen& operator=(const PrivateScreen&) = delete;

    // True when the server (and the window manager, when asked for) answered in time;
    // `problem` says what went wrong otherwise.
    bool up() const { return ready; }
    // The display name for $DISPLAY and XOpenDisplay, e.g. ":7".
    const char* display() const { return name.c_str(); }

    std::string problem;

private:
    bool startServer();
    bool startWindowManager();

    std::string name;
    pid_t server = -1;
    pid_t windowManager = -1;    // scripts/with-desktop.sh, which ends openbox when it ends
    int holdWindowManager = -1;  // its command runs until this pipe closes
    bool ready = false;
};
