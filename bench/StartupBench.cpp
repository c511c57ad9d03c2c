// Start-up time of both programs as a player gets it: each is started ten times from the build
// folder (so the data comes from the pack, Quandrels.dat), and the time from launch to the line
// the game logs once its first frame is on the screen ("First frame shown") is taken; the
// program is then asked to end (SIGTERM) like any desktop program. Prints the median, the
// fastest and the slowest run, and the peak resident memory a run reached by then.
//
//   bench_startup [--runs=N]     (default 10)
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
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char* const FIRST_FRAME = "First frame shown";
constexpr int DEADLINE_SECONDS = 30;

struct Run {
    bool shown = false;
    double milliseconds = 0;
    long peakKilobytes = 0;
    std::string output;  // what the program said, kept for a run that never showed a frame
};

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
    while (!run.shown && Clock::now() < deadline) {
        if (poll(&reader, 1, 100) <= 0) continue;
        const ssize_t got = read(fds[0], chunk, sizeof chunk);
        if (got <= 0) break;  // the program ended without a frame
        run.output.append(chunk, static_cast<size_t>(got));
        if (run.output.find(FIRST_FRAME) != std::string::npos) {
            run.shown = true;
            run.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
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

}  // namespace

int main(int argc, char** argv) {
    const int runs = runsFrom(argc, argv);
    int failures = 0;
    printf("%-16s %6s %12s %12s %12s %16s\n", "program", "runs", "median ms", "fastest ms", "slowest ms",
           "peak RSS MiB");
    for (const char* name : {"quandrels", "quandrels-fixed"}) {
        const std::string program = std::string(QUANDRELS_BINARY_DIR) + "/" + name;
        std::vector<double> times;
        long peak = 0;
        for (int i = 0; i < runs; i++) {
            Run run = startOnce(program);
            if (!run.shown) {
                fprintf(stderr, "%s showed no frame within %d s; it said:\n%s\n", name, DEADLINE_SECONDS,
                        run.output.c_str());
                failures++;
                continue;
            }
            times.push_back(run.milliseconds);
            peak = std::max(peak, run.peakKilobytes);
        }
        if (times.empty()) continue;
        std::sort(times.begin(), times.end());
        const size_t n = times.size();
        const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
        printf("%-16s %6zu %12.1f %12.1f %12.1f %16.1f\n", name, n, median, times.front(), times.back(),
               peak / 1024.0);
        fflush(stdout);
    }
    return failures == 0 ? 0 : 1;
}
