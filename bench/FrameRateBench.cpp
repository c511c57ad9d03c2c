// Frames per second of every display the game builds, as a player gets them: the real
// Quandrels::start() (data pack, audio, window, every display), then each display of
// app->displays shown in turn for a while with the real frame loop's pacing (runFrame and
// the sleep that fills the frame to 20 ms), first in the 854 x 480 window and then in full
// screen. Prints one row per display and size: frames per second, the median interval
// between frame starts, GL draw calls per frame, and the processor time one frame costs in
// every thread of the program (llvmpipe draws in threads of its own): unlike the rate, that
// figure hardly moves when other programs load the machine, whose load average the table
// prints beside it. Last, the peak resident memory once every display has been shown.
//
// Each display's processor time is shown beside the platform's floor: before the displays
// of each size, the bare program (bare_program) draws 0, 1 and 2 screen-filling textured
// layers at that size for as long as a display is measured; "fills" is how many times a
// display's draws cover the window per frame (fragments written, counted by occlusion
// queries over a few frames of their own), its floor the bare program's time at that many
// layers (interpolated between the measured counts, extended beyond 2 by the step from 1
// to 2), and "x floor" the ratio of the two.
//
//   bench_frames [--seconds=S] [--only=TEXT] [--pictures=DIR]
//     --seconds: how long each display is measured (QUANDRELS_BENCH_SECONDS=S does the same;
//     default 10); --only: measure just the displays whose row name contains TEXT (e.g.
//     "level 2"), for a profiler's run; --pictures: measure nothing, but write each display's
//     picture after its warm-up frames, run on a fixed 20 ms frame clock, to DIR as PPM files,
//     so that the pictures of two builds can be compared byte for byte (cmp) after a change
//     meant to make drawing cheaper.
//
// Built once per program (bench_frames: shader build, bench_frames_fixed: fixed-function
// build). Full screen needs a window manager on the X server, as scripts/run-benchmarks.sh
// provides. The game's log goes to standard error, the table to standard output.
#include <cxxabi.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <typeinfo>
#include <utility>
#include <vector>

#include "BenchProgram.h"
#include "DrawCount.h"
#include "app/Display.h"
#include "game/Quandrels.h"
#include "platform/GL.h"
#include "window/Window.h"
#include "window/WindowEvents.h"
#if __has_include("game/lava/LavaStones.h")
#include "game/lava/LavaStones.h"
#define HAVE_LAVA_STONES 1
#endif
#if __has_include("game/runes/Runes.h")
#include "game/runes/Runes.h"
#define HAVE_RUNES 1
#endif

namespace {

using Clock = std::chrono::steady_clock;

FILE* table = stdout;

// Processor time of the whole process (all threads) so far.
double cpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The 1-minute load average, as uptime shows it; -1 where /proc cannot tell.
double loadAverage() {
    std::ifstream in("/proc/loadavg");
    double load = -1;
    in >> load;
    return load;
}

std::string className(const Display* d) {
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(*d).name(), nullptr, nullptr, &status);
    std::string text = status == 0 && name ? name : typeid(*d).name();
    free(name);
    return text;
}

// The class and, for the teasers, their level.
std::string describe(Display* d) {
    std::string text = className(d);
    int level = 0;
#ifdef HAVE_LAVA_STONES
    if (auto* lava = dynamic_cast<LavaStones*>(d)) level = lava->level;
#endif
#ifdef HAVE_RUNES
    if (auto* runes = dynamic_cast<Runes*>(d)) level = runes->level;
#endif
    if (level > 0) text += " level " + std::to_string(level);
    return text;
}

class FrameBench : public Quandrels {
public:
    FrameBench(double seconds, std::string only, std::string pictures)
        : seconds(seconds), only(std::move(only)), pictures(std::move(pictures)) {}

    void runLoop() override {
        fprintf(table, "%-16s %-22s %-10s %8s %10s %8s %8s %6s %6s %8s %7s\n", "program", "display", "size",
                "fps", "median ms", "cpu ms", "draws", "load", "fills", "floor ms", "x floor");
        measureEveryDisplay();
        toggleFullscreen();
        // A window manager may give the full-screen window its size a few frames later: wait
        // (up to 3 s) until the size has stayed the same for ten frames.
        Rect size = window->viewport;
        for (int i = 0, steady = 0; i < 150 && steady < 10 && window->running; i++) {
            pacedFrame();
            steady = window->viewport == size ? steady + 1 : 0;
            size = window->viewport;
        }
        measureEveryDisplay();
        if (only.empty()) {
            fprintf(table, "%-16s peak resident memory after every display: %.1f MiB\n", bench_program::NAME,
                    bench_program::peakResidentKiB() / 1024.0);
        }
    }

private:
    // One frame as Window::run() makes it: the frame, then the sleep to 20 ms.
    void pacedFrame() {
        const auto start = Clock::now();
        window->runFrame();
        const auto work = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
        std::this_thread::sleep_for(Window::frameDelay(work));
    }

    // The bare program's processor time per frame at this window's size for 0, 1 and 2
    // layers, one row each; -1 where it could not be measured.
    void measureFloors() {
        const bool full = fullscreen;
        for (int layers = 0; layers < LAYER_COUNTS; layers++) {
            floors[layers] = -1;
            const std::string command =
                std::string(QUANDRELS_BINARY_DIR) + "/bench/bare_program --layers=" + std::to_string(layers) +
                " --seconds=" + std::to_string(seconds) + (full ? " --fullscreen" : "");
            FILE* bare = popen(command.c_str(), "r");
            if (!bare) continue;
            char line[256];
            int width = 0, height = 0, measured = 0;
            double cpu = -1, fps = 0;
            while (fgets(line, sizeof line, bare)) {
                if (sscanf(line, "floor %dx%d layers %d cpu-ms-per-frame %lf fps %lf", &width, &height,
                           &measured, &cpu, &fps) == 5) {
                    floors[layers] = cpu;
                }
            }
            pclose(bare);
            if (floors[layers] < 0) {
                fprintf(stderr, "bare_program gave no floor for %d layers\n", layers);
                continue;
            }
            const std::string name = "bare, " + std::to_string(layers) + " layers";
            const std::string size = std::to_string(width) + "x" + std::to_string(height);
            fprintf(table, "%-16s %-22s %-10s %8.2f %10s %8.2f %8d %6.2f %6d %8.2f %7.2f\n", "bare SDL2+GL",
                    name.c_str(), size.c_str(), fps, "-", cpu, layers, loadAverage(), layers, cpu, 1.0);
            fflush(table);
        }
    }

    // The bare program's time for `fills` screen-filling layers: between the measured counts
    // on the line through them, beyond 2 on the line from 1 to 2.
    double floorFor(double fills) const {
        for (double f : floors) {
            if (f < 0) return -1;
        }
        if (fills <= 1) return floors[0] + fills * (floors[1] - floors[0]);
        return floors[1] + (fills - 1) * (floors[2] - floors[1]);
    }

    // How many times the display's draws cover the window per frame, over a few frames.
    double measureFills() {
        const int frames = 10;
        const long long before = draw_count::fragments();
        draw_count::countFragments(true);
        for (int i = 0; i < frames; i++) pacedFrame();
        draw_count::countFragments(false);
        const double pixels = static_cast<double>(window->viewport.width) * window->viewport.height;
        return pixels > 0 ? (draw_count::fragments() - before) / (pixels * frames) : 0;
    }

    void measureEveryDisplay() {
        if (pictures.empty()) measureFloors();
        for (Display* d : displays) {
            if (!window->running) return;
            if (describe(d).find(only) == std::string::npos) continue;
            bench_program::show(this, d);
            if (!pictures.empty()) window->fixedFrameMs = 20;
            for (int i = 0; i < 25; i++) pacedFrame();  // resources loaded, caches warm
            if (pictures.empty()) {
                measure(d, measureFills());
            } else {
                writePicture(d);
            }
        }
    }

    // One more frame drawn (not swapped: a swapped buffer cannot be read back everywhere)
    // and written as a binary PPM, rows top first.
    void writePicture(Display* d) {
        window->sendBroadcast(Events::UPDATE);
        const int width = window->viewport.width;
        const int height = window->viewport.height;
        std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        std::string name = describe(d);
        std::replace(name.begin(), name.end(), ' ', '-');
        const std::string path = pictures + "/" + bench_program::NAME + "-" + name + "-" +
                                 std::to_string(width) + "x" + std::to_string(height) + ".ppm";
        FILE* out = fopen(path.c_str(), "wb");
        if (!out) {
            fprintf(stderr, "cannot write %s\n", path.c_str());
            return;
        }
        fprintf(out, "P6\n%d %d\n255\n", width, height);
        for (int row = height - 1; row >= 0; row--) {
            fwrite(pixels.data() + static_cast<size_t>(row) * width * 3, 1, static_cast<size_t>(width) * 3,
                   out);
        }
        fclose(out);
        fprintf(table, "%-16s %-22s wrote %s\n", bench_program::NAME, describe(d).c_str(), path.c_str());
    }

    void measure(Display* d, double fills) {
        std::vector<Clock::time_point> starts;
        const long drawsBefore = draw_count::total();
        const double cpuBefore = cpuMilliseconds();
        const auto end = Clock::now() + std::chrono::duration<double>(seconds);
        while (Clock::now() < end && window->running) {
            starts.push_back(Clock::now());
            pacedFrame();
        }
        const long draws = draw_count::total() - drawsBefore;
        const double cpu = cpuMilliseconds() - cpuBefore;
        if (starts.size() < 2) return;
        std::vector<double> intervals;
        for (size_t i = 1; i < starts.size(); i++) {
            intervals.push_back(std::chrono::duration<double, std::milli>(starts[i] - starts[i - 1]).count());
        }
        std::nth_element(intervals.begin(), intervals.begin() + intervals.size() / 2, intervals.end());
        const double median = intervals[intervals.size() / 2];
        const double span = std::chrono::duration<double>(starts.back() - starts.front()).count();
        const std::string size =
            std::to_string(window->viewport.width) + "x" + std::to_string(window->viewport.height);
        const double cpuPerFrame = cpu / starts.size();
        const double floor = floorFor(fills);
        fprintf(table, "%-16s %-22s %-10s %8.2f %10.2f %8.2f %8.1f %6.2f %6.2f %8.2f %7.2f\n",
                bench_program::NAME, describe(d).c_str(), size.c_str(), (starts.size() - 1) / span, median,
                cpuPerFrame, static_cast<double>(draws) / starts.size(), loadAverage(), fills, floor,
                floor > 0 ? cpuPerFrame / floor : 0.0);
        fflush(table);
    }

    static constexpr int LAYER_COUNTS = 3;  // the bare program draws 0, 1 and 2 layers
    double seconds;
    std::string only;
    std::string pictures;
    double floors[LAYER_COUNTS] = {-1, -1, -1};
};

double secondsFrom(int argc, char** argv) {
    double seconds = 10;
    if (const char* env = getenv("QUANDRELS_BENCH_SECONDS")) seconds = atof(env);
    if (const char* given = bench_program::option(argc, argv, "seconds")) seconds = atof(given);
    return seconds > 0 ? seconds : 10;
}

// The value of --NAME=VALUE, or "" when not given.
std::string text(int argc, char** argv, const char* name) {
    const char* value = bench_program::option(argc, argv, name);
    return value ? value : "";
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = secondsFrom(argc, argv);
    // The table keeps standard output; the game's log (standard output in the fixed build)
    // goes to standard error with everything else it says.
    table = bench_program::openTable();
    if (!table) return 1;
    FrameBench bench(seconds, text(argc, argv, "only"), text(argc, argv, "pictures"));
    bench.start();
    fclose(table);
    return 0;
}
