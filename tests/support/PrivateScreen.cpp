#include "support/PrivateScreen.h"

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
// The window manager's script waits up to 30 s itself; this leaves it room to say so.
constexpr auto WINDOW_MANAGER_DEADLINE = std::chrono::seconds(40);

struct Streams {
    int in = -1;    // standard input; /dev/null when -1
    int out = -1;   // standard output; /dev/null when -1
    int keep = -1;  // stays open as itself
};

// Starts `argv` with standard error on /dev/null and the given streams.
pid_t spawn(const std::vector<std::string>& argv, const std::string& display, Streams streams) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        // A test that crashes must not leave its X server and window manager running.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        int null = open("/dev/null", O_RDWR);
        if (null < 0 || dup2(streams.in >= 0 ? streams.in : null, 0) < 0 ||
            dup2(streams.out >= 0 ? streams.out : null, 1) < 0 || dup2(null, 2) < 0)
            _exit(126);
        for (int fd = 3; fd < 1024; fd++) {
            if (fd != streams.keep) close(fd);
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

// Reads from `fd` until a line has come, the writer has gone or the deadline has passed;
// returns what came.
std::string readLine(int fd, std::chrono::seconds within) {
    std::string text;
    const auto deadline = Clock::now() + within;
    while (Clock::now() < deadline && text.find('\n') == std::string::npos) {
        pollfd wait = {fd, POLLIN, 0};
        if (poll(&wait, 1, 100) <= 0) continue;
        char c;
        if (read(fd, &c, 1) != 1) break;
        text += c;
    }
    return text;
}

}  // namespace

PrivateScreen::PrivateScreen(bool withWindowManager) {
    ready = startServer() && (!withWindowManager || startWindowManager());
}

PrivateScreen::~PrivateScreen() {
    if (holdWindowManager >= 0) close(holdWindowManager);
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
                   "", Streams{-1, -1, channel[1]});
    close(channel[1]);
    const std::string number = readLine(channel[0], START_DEADLINE);
    close(channel[0]);
    if (server < 0 || number.find('\n') == std::string::npos) {
        problem = "Xvfb did not start (is it installed? scripts/install-deps.sh)";
        return false;
    }
    name = ":" + number.substr(0, number.find('\n'));
    return true;
}

bool PrivateScreen::startWindowManager() {
    // The script's command says "up" once openbox manages the screen, and then reads the hold
    // pipe until it closes, when this screen goes (or the test process with it).
    // Close-on-exec: no other program the test starts may keep the hold pipe open.
    int ready[2], hold[2];
    if (pipe2(ready, O_CLOEXEC) != 0) {
        problem = "no pipe for the window manager";
        return false;
    }
    if (pipe2(hold, O_CLOEXEC) != 0) {
        close(ready[0]);
        close(ready[1]);
        problem = "no pipe for the window manager";
        return false;
    }
    windowManager = spawn({std::string(QUANDRELS_SOURCE_DIR) + "/scripts/with-desktop.sh", "sh", "-c",
                           "echo up && exec cat >/dev/null"},
                          name, Streams{hold[0], ready[1]});
    close(hold[0]);
    close(ready[1]);
    holdWindowManager = hold[1];
    const bool runs = readLine(ready[0], WINDOW_MANAGER_DEADLINE) == "up\n";
    close(ready[0]);
    if (!runs) problem = "openbox did not come up on " + name + " (is it installed? scripts/install-deps.sh)";
    return runs;
}
