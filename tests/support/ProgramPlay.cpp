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

}  // namespace

ProgramPlay::ProgramPlay(const std::string& program, const std::string& pack) {
    std::filesystem::copy_file(pack.empty() ? std::string(QUANDRELS_BINARY_DIR) + "/Quandrels.dat" : pack,
                               folder / "Quandrels.dat");
    if (!screen.up()) return;
    const std::string path = std::string(QUANDRELS_BINARY_DIR) + "/" + program;
    const std::string log = output(folder);
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
    return waitFor(
        [&] {
            std::array<int, 4> area = windowArea();
            return area[2] == width && area[3] == height;
        },
        seconds);
}

bool ProgramPlay::waitForLog(const std::string& text, double seconds) {
    return waitFor([&] { return log().find(text) != std::string::npos; }, seconds);
}

bool ProgramPlay::waitForExit(double seconds) {
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
    return runProcess(argv).status == 0;
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
    pointerTo(x, y);
    xdotool({"click", "1"});
}

void ProgramPlay::key(const std::string& keys) {
    // Keys go to the focused window: the program's, which the window manager focuses.
    if (unsigned long w = window()) xdotool({"windowactivate", std::to_string(w)});
    xdotool({"key", keys});
}

void ProgramPlay::moveThrough(const std::vector<std::array<int, 2>>& pixels, Button change) {
    std::array<int, 4> area = windowArea();
    std::vector<std::string> chain;
    std::array<int, 2> at = pointer;
    for (size_t i = 0; i < pixels.size(); i++) {
        const std::array<int, 2> next = {area[0] + pixels[i][0], area[1] + pixels[i][1]};
        // Each move waits until the server has taken it: one still queued when the next
        // comes would be merged with it into a single motion. A move to where the pointer
        // is would wait for ever.
        if (next != at) {
            chain.insert(chain.end(),
                         {"mousemove", "--sync", std::to_string(next[0]), std::to_string(next[1])});
        }
        at = next;
        if (i == 0 && change == Button::DOWN_AT_FIRST) chain.insert(chain.end(), {"mousedown", "1"});
    }
    if (change == Button::UP_AT_LAST) chain.insert(chain.end(), {"mouseup", "1"});
    if (!chain.empty()) xdotool(chain);
    pointer = at;
}

void ProgramPlay::closeWindow() {
    if (unsigned long w = window()) requestClose(w, screen.display());
}

size_t ProgramPlay::soundBytes() const {
    std::error_code missing;
    uintmax_t size = std::filesystem::file_size(soundFile(), missing);
    return missing ? 0 : static_cast<size_t>(size);
}
