// Start-up time of both programs as a player gets it, beside the platform's floor: each round
// starts the bare SDL2 + OpenGL program (bare_program: window, context, one clear, swap), then
// quandrels, then quandrels-fixed, from the build folder (so the data comes from the pack,
// Quandrels.dat); interleaved, so that a load on the machine falls on all three alike. Each
// run is timed from launch to the line logged once the first frame is on the screen ("First
// frame shown"); the program is then asked to end (SIGTERM) like any desktop program.
// Prints per program the median, the fastest and the slowest run, the median's ratio to the
// bare program's, the peak resident memory, and where the time went: the medians of the
// moments the log names the window's size (the window is about to open: what came before is
// audio, the registry and finding the data) and the GL implementation (window and context
// ready), before the displays are built and the first frame drawn. Last, the median processor
// time the program had used by its first frame (all its threads; to 10 ms): on a machine that
// others load, it moves much less than the time on the clock.
//
//   bench_startup [--runs=N] [PROGRAM...]
//     --runs: rounds (default 10); PROGRAM: further programs to start in each round, from the
//     same folder (say another build of quandrels, to compare two builds in one run).
//
// Needs an X server (scripts/run-benchmarks.sh gives it one).
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char* const FIRST_FRAME = "First frame shown";
// The lines that split a game's start-up; the bare program logs none of them.
const char* const WINDOW_OPENS = "Width = ";
const char* const CONTEXT_READY = "GL Version: ";
constexpr int DEADLINE_SECONDS = 30;

struct Run {
    bool shown = false;
    double milliseconds = 0;
    double windowMilliseconds = -1;   // when the log named the window's size; -1: never
    double contextMilliseconds = -1;  // when it named the GL version
    double cpuMilliseconds = -1;      // processor time used by the first frame
    long peakKilobytes = 0;
    std::string output;  // what the program said, kept for a run that never showed a frame
};

// Processor time a running process has used so far, in all its threads; -1 when /proc cannot
// tell.
double cpuMillisecondsOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The fields after the command's name, which is in parentheses and may hold spaces:
    // state is the 3rd field, utime and stime the 14th and 15th.
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return -1;
    const char* fields = text.c_str() + close + 2;
    unsigned long utime = 0, stime = 0;
    if (sscanf(fields, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2) return -1;
    return (utime + stime) * 1000.0 / sysconf(_SC_CLK_TCK);
}

// Ends the child: SIGTERM, then SIGKILL if it is still there after 5 s. Returns its peak
// resident memory in kB.
long endChild(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            break;
        }
        usleep(10000);
    }
    return usage.ru_maxrss;
}

Run startOnce(const std::string& program) {
    Run run;
    int fds[2];
    if (pipe(fds) != 0) return run;
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        dup2(fds[1], 2);
        close(fds[0]);
        close(fds[1]);
        if (chdir(QUANDRELS_BINARY_DIR) != 0) _exit(126);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return run;
    }
    const auto deadline = start + std::chrono::seconds(DEADLINE_SECONDS);
    pollfd reader{fds[0], POLLIN, 0};
    char chunk[4096];
    auto since = [&] { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); };
    while (!run.shown && Clock::now() < deadline) {
        if (poll(&reader, 1, 100) <= 0) continue;
        const ssize_t got = read(fds[0], chunk, sizeof chunk);
        if (got <= 0) break;  // the program ended without a frame
        run.output.append(chunk, static_cast<size_t>(got));
        const double now = since();
        if (run.windowMilliseconds < 0 && run.output.find(WINDOW_OPENS) != std::string::npos) {
            run.windowMilliseconds = now;
        }
        if (run.contextMilliseconds < 0 && run.output.find(CONTEXT_READY) != std::string::npos) {
            run.contextMilliseconds = now;
        }
        if (run.output.find(FIRST_FRAME) != std::string::npos) {
            run.shown = true;
            run.milliseconds = now;
            run.cpuMilliseconds = cpuMillisecondsOf(pid);
        }
    }
    run.peakKilobytes = endChild(pid);
    close(fds[0]);
    return run;
}

int runsFrom(int argc, char** argv) {
    int runs = 10;
    for (int i = 1; i < argc; i++) {
        // Other options (run-benchmarks.sh gives every benchmark Google Benchmark's) are not ours.
        if (strncmp(argv[i], "--runs=", 7) == 0) runs = atoi(argv[i] + 7);
    }
    return runs > 0 ? runs : 10;
}

double median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Program {
    const char* name;
    std::string path;
    std::vector<double> times, window, context, cpu;
    long peak = 0;
};

// "-" for a moment a program never logs.
std::string cell(double milliseconds) {
    if (milliseconds < 0) return "-";
    char text[32];
    snprintf(text, sizeof text, "%.1f", milliseconds);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = runsFrom(argc, argv);
    const std::string build = QUANDRELS_BINARY_DIR;
    std::vector<Program> programs = {{"bare SDL2+GL", build + "/bench/bare_program", {}, {}, {}, {}, 0},
                                     {"quandrels", build + "/quandrels", {}, {}, {}, {}, 0},
                                     {"quandrels-fixed", build + "/quandrels-fixed", {}, {}, {}, {}, 0}};
    for (int i = 1; i < argc; i++) {
        if (argv[i][0] != '-') programs.push_back({argv[i], argv[i], {}, {}, {}, {}, 0});
    }
    int failures = 0;
    for (int i = 0; i < runs; i++) {
        for (Program& program : programs) {
            Run run = startOnce(program.path);
            if (!run.shown) {
                fprintf(stderr, "%s showed no frame within %d s; it said:\n%s\n", program.name,
                        DEADLINE_SECONDS, run.output.c_str());
                failures++;
                continue;
            }
            program.times.push_back(run.milliseconds);
            if (run.windowMilliseconds >= 0) program.window.push_back(run.windowMilliseconds);
            if (run.contextMilliseconds >= 0) program.context.push_back(run.contextMilliseconds);
            if (run.cpuMilliseconds >= 0) program.cpu.push_back(run.cpuMilliseconds);
            program.peak = std::max(program.peak, run.peakKilobytes);
        }
    }
    printf("%-16s %5s %10s %10s %10s %8s %10s %10s %12s %8s %8s\n", "program", "runs", "median ms", "fastest",
           "slowest", "x bare", "window at", "GL at", "peak RSS MiB", "cpu ms", "x bare");
    const double bare = median(programs[0].times);
    const double bareCpu = median(programs[0].cpu);
    for (const Program& program : programs) {
        if (program.times.empty()) continue;
        const double m = median(program.times);
        const auto range = std::minmax_element(program.times.begin(), program.times.end());
        const double cpu = median(program.cpu);
        printf("%-16s %5zu %10.1f %10.1f %10.1f %8.2f %10s %10s %12.1f %8s %8.2f\n", program.name,
               program.times.size(), m, *range.first, *range.second, bare > 0 ? m / bare : 0.0,
               cell(median(program.window)).c_str(), cell(median(program.context)).c_str(),
               program.peak / 1024.0, cell(cpu).c_str(), bareCpu > 0 ? cpu / bareCpu : 0.0);
    }
    fflush(stdout);
    return failures == 0 ? 0 : 1;
}
