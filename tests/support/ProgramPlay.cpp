#include "support/ProgramPlay.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>
#include <vector>

#include "support/RunProcess.h"
#include "support/XScreen.h"

namespace {

std::string output(const TempDir& folder) { return folder / "output.txt"; }

// How long a frame may take before the program counts as hung: far longer than a software
// renderer on a loaded machine takes for a full-screen frame.
constexpr double HANG_SECONDS = 30;
constexpr double SECONDS_PER_FRAME_AT_WORST = 0.5;

}  // namespace

ProgramPlay::ProgramPlay(const std::string& program, const std::string& pack) {
    std::filesystem::copy_file(pack.empty() ? std::string(QUANDRELS_BINARY_DIR) + "/Quandrels.dat" : pack,
                               folder / "Quandrels.dat");
    if (!screen.up()) return;
    const std::string path = std::string(QUANDRELS_BINARY_DIR) + "/" + program;
    const std::string log = output(folder);
    const std::vector<std::string> clockEnvironment = clock.environment();
    fflush(stdout);
    fflush(stderr);
    pid = fork();
    if (pid == 0) {
        // Nor the program, when the test dies before its destructor runs.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        int in = open("/dev/null", O_RDONLY);
        int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0 ||
            chdir(folder.path().c_str()) != 0)
            _exit(126);
        setenv("DISPLAY", screen.display(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", soundFile().c_str(), 1);
        // SDL 1.2 waits 150 ms between two 1024-frame writes unless told otherwise; this is
        // the buffer's own length, so the file fills in real time in both programs.
        setenv("SDL_DISKAUDIODELAY", "23", 1);
        for (const std::string& variable : clockEnvironment) putenv(const_cast<char*>(variable.c_str()));
        // The fixed-function program logs to standard output, which a file would hold back
        // in a block buffer until the end.
        execlp("stdbuf", "stdbuf", "-oL", "-eL", path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

ProgramPlay::~ProgramPlay() {
    if (pid > 0 && !exited()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

bool ProgramPlay::runTo(int target) {
    if (frame() >= target) return !exited();
    clock.allow(target);
    const double seconds = HANG_SECONDS + SECONDS_PER_FRAME_AT_WORST * (target - frame());
    return waitFor([&] { return frame() >= target || exited(); }, seconds) && frame() >= target;
}

bool ProgramPlay::runUntil(const std::function<bool()>& condition, int maxFrames) {
    for (int i = 0; i <= maxFrames; i++) {
        if (condition()) {
            // What the server did for it (a window resized) reaches the program by the next frame.
            settleServer(screen.display());
            return true;
        }
        if (i == maxFrames || !runFrames(1)) return false;
    }
    return false;
}

bool ProgramPlay::waitFor(const std::function<bool()>& condition, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

bool ProgramPlay::waitForWindow(double seconds) {
    return waitFor([&] { return windowArea()[2] > 0; }, seconds);
}

bool ProgramPlay::waitForSize(int width, int height, double seconds) {
    return waitFor([&] { return hasSize(width, height); }, seconds);
}

bool ProgramPlay::waitForExit(double seconds) {
    runFreely();
    return waitFor([&] { return exited(); }, seconds);
}

bool ProgramPlay::exited() {
    if (done) return true;
    if (pid <= 0) return false;
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) != pid) return false;
    done = true;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return true;
}

int ProgramPlay::exitStatus() { return exited() ? status : -1; }

std::string ProgramPlay::log() const { return folder.readFile("output.txt"); }

unsigned long ProgramPlay::window() {
    if (pid <= 0 || exited()) return 0;
    return windowOfProcess(pid, screen.display());
}

std::array<int, 4> ProgramPlay::windowArea() {
    unsigned long w = window();
    if (!w) return {0, 0, 0, 0};
    // SDL 1.2 shows full screen in an unmanaged window of its own over the whole screen.
    if (unmanagedWindowFillsScreen(screen.display()))
        return {0, 0, PrivateScreen::WIDTH, PrivateScreen::HEIGHT};
    return ::windowArea(w, screen.display());
}

bool ProgramPlay::hasSize(int width, int height) {
    const std::array<int, 4> area = windowArea();
    return area[2] == width && area[3] == height;
}

bool ProgramPlay::fullScreen() {
    return windowArea() == std::array<int, 4>{0, 0, PrivateScreen::WIDTH, PrivateScreen::HEIGHT};
}

Screenshot ProgramPlay::screenshot(const std::string& name) {
    Screenshot shot;
    std::array<int, 4> area = windowArea();
    if (area[2] > 0) {
        shot.rgb =
            screenImage(area[0], area[1], area[2], area[3], &shot.width, &shot.height, screen.display());
    }
    shot.save(name);
    return shot;
}

bool ProgramPlay::xdotool(const std::vector<std::string>& arguments) {
    // A stuck xdotool (a --sync that never sees its change) must not hang the test.
    std::vector<std::string> argv = {"/usr/bin/timeout", "10", "/usr/bin/env",
                                     std::string("DISPLAY=") + screen.display(), "xdotool"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const bool done = runProcess(argv).status == 0;
    settleServer(screen.display());
    return done;
}

void ProgramPlay::pointerTo(double x, double y) {
    std::array<int, 4> area = windowArea();
    int px = area[0] + static_cast<int>(std::lround(x * area[2]));
    int py = area[1] + static_cast<int>(std::lround(y * area[3]));
    // A synchronous move waits for the pointer to move, which it does not when it is there.
    if (pointer == std::array<int, 2>{px, py}) return;
    xdotool({"mousemove", "--sync", std::to_string(px), std::to_string(py)});
    pointer = {px, py};
}

void ProgramPlay::moveTo(double x, double y) { pointerTo(x, y); }

void ProgramPlay::press(double x, double y) {
    pointerTo(x, y);
    xdotool({"mousedown", "1"});
}

void ProgramPlay::release(double x, double y) {
    pointerTo(x, y);
    xdotool({"mouseup", "1"});
}

void ProgramPlay::click(double x, double y) {
    press(x, y);
    runFrames(1);
    release(x, y);
}

void ProgramPlay::key(const std::string& keys) {
    // Keys go to the focused window: the program's, once the window manager has focused it.
    // SDL 1.2's full screen is a window of its own that holds the keyboard.
    if (unsigned long w = window(); w && !unmanagedWindowFillsScreen(screen.display()))
        xdotool({"windowactivate", "--sync", std::to_string(w)});
    xdotool({"key", keys});
}

void ProgramPlay::closeWindow() {
    if (unsigned long w = window()) requestClose(w, screen.display());
    settleServer(screen.display());
}

size_t ProgramPlay::soundBytes() const {
    std::error_code missing;
    uintmax_t size = std::filesystem::file_size(soundFile(), missing);
    return missing ? 0 : static_cast<size_t>(size);
}
