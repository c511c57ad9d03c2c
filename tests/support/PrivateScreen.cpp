#include "support/PrivateScreen.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto START_DEADLINE = std::chrono::seconds(30);

// Starts `argv` with standard input and output on /dev/null; `keepFd` stays open in the child.
pid_t spawn(const std::vector<std::string>& argv, const std::string& display = "", int keepFd = -1) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        // A test that crashes must not leave its X server and window manager running.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        int null = open("/dev/null", O_RDWR);
        if (null < 0 || dup2(null, 0) < 0 || dup2(null, 1) < 0 || dup2(null, 2) < 0) _exit(126);
        for (int fd = 3; fd < 1024; fd++) {
            if (fd != keepFd) close(fd);
        }
        if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

void end(pid_t& pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 250; i++) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            pid = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

// The window a window manager names on the root window (EWMH), when it names one that
// names itself back: then it is running.
bool windowManagerRuns(::Display* display) {
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    auto named = [&](Window on) -> Window {
        Atom type;
        int format;
        unsigned long items, after;
        unsigned char* data = nullptr;
        Window found = 0;
        if (XGetWindowProperty(display, on, check, 0, 1, False, XA_WINDOW, &type, &format, &items, &after,
                               &data) == Success &&
            data) {
            if (items == 1 && format == 32)
                found = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
            XFree(data);
        }
        return found;
    };
    XErrorHandler previous = XSetErrorHandler([](::Display*, XErrorEvent*) { return 0; });
    Window child = named(DefaultRootWindow(display));
    bool runs = child != 0 && named(child) == child;
    XSync(display, False);
    XSetErrorHandler(previous);
    return runs;
}

}  // namespace

PrivateScreen::PrivateScreen(bool withWindowManager) {
    ready = startServer() && (!withWindowManager || startWindowManager());
}

PrivateScreen::~PrivateScreen() {
    end(windowManager);
    end(server);
}

bool PrivateScreen::startServer() {
    // Xvfb picks a free display number itself and writes it to the pipe once it accepts
    // connections, so no number is guessed and no wait is blind.
    int channel[2];
    if (pipe(channel) != 0) {
        problem = "no pipe for Xvfb";
        return false;
    }
    std::string size = std::to_string(WIDTH) + "x" + std::to_string(HEIGHT) + "x24";
    server = spawn({"Xvfb", "-displayfd", std::to_string(channel[1]), "-screen", "0", size, "-nolisten",
                    "tcp", "-noreset"},
                   "", channel[1]);
    close(channel[1]);
    std::string number;
    const auto deadline = Clock::now() + START_DEADLINE;
    while (Clock::now() < deadline && number.find('\n') == std::string::npos) {
        pollfd wait = {channel[0], POLLIN, 0};
        if (poll(&wait, 1, 100) <= 0) continue;
        char c;
        if (read(channel[0], &c, 1) != 1) break;
        number += c;
    }
    close(channel[0]);
    if (server < 0 || number.find('\n') == std::string::npos) {
        problem = "Xvfb did not start (is it installed? scripts/install-deps.sh)";
        return false;
    }
    name = ":" + number.substr(0, number.find('\n'));
    return true;
}

bool PrivateScreen::startWindowManager() {
    ::Display* display = XOpenDisplay(name.c_str());
    if (!display) {
        problem = "cannot open " + name;
        return false;
    }
    windowManager = spawn({"openbox", "--sm-disable"}, name);
    bool runs = false;
    const auto deadline = Clock::now() + START_DEADLINE;
    while (!(runs = windowManagerRuns(display)) && Clock::now() < deadline) {
        if (waitpid(windowManager, nullptr, WNOHANG) == windowManager) {
            windowManager = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    XCloseDisplay(display);
    if (!runs) problem = "openbox did not come up on " + name + " (is it installed? scripts/install-deps.sh)";
    return runs;
}
