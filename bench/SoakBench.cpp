// Soak: one program through many display switches and full-screen toggles, as the real game
// makes them, watching its resident memory. The real Quandrels::start() (data pack, audio,
// window, every display); then the displays are switched in turn as the fade layer switches
// them at full black (the new one builds its GPU objects, the window shows it, the old one
// drops its own), a few frames each on a 20 ms clock, a click in the middle of every teaser
// (stones light, novas fly, runes turn), and every few switches a full-screen toggle.
// Prints the resident memory after the first 100 switches and after the last, and their
// difference; exits 1 when the game ended early.
//
//   bench_soak [--switches=N] [--toggles=M]     (defaults 1000 and 100)
//
// Built once per program (bench_soak: shader build, bench_soak_fixed: fixed-function build).
// Full screen needs a window manager on the X server, as scripts/soak.sh provides.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/Display.h"
#include "game/Quandrels.h"
#include "resources/ResourceEvents.h"
#include "window/Window.h"

namespace {

FILE* table = stdout;

#ifdef QUANDRELS_FIXED_BUILD
const char* const PROGRAM = "quandrels-fixed";
#else
const char* const PROGRAM = "quandrels";
#endif

// Resident memory in KiB, from /proc/self/statm.
long residentKiB() {
    FILE* f = fopen("/proc/self/statm", "r");
    if (!f) return -1;
    long size = 0, resident = 0;
    const bool read = fscanf(f, "%ld %ld", &size, &resident) == 2;
    fclose(f);
    return read ? resident * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

class SoakBench : public Quandrels {
public:
    SoakBench(int switches, int toggles) : switches(switches), toggles(toggles) {}

    void runLoop() override {
        const int togglesEvery = toggles > 0 ? switches / toggles : 0;
        const int settled = switches < 100 ? switches / 2 : 100;
        for (int i = 1; i <= switches && window->running; i++) {
            show(displays.get(i % displays.size()));
            frames(3);
            if (window->display != gallery && window->display != exitDisplay) {
                window->onPointerDown(Vector2(0.5f, 0.5f), 1);
                window->onPointerUp(Vector2(0.5f, 0.5f), 1);
                frames(2);
            }
            if (togglesEvery > 0 && i % togglesEvery == 0 && toggled < toggles) {
                toggleFullscreen();
                toggled++;
                frames(2);
            }
            if (i == settled) afterSettling = residentKiB();
            made = i;
        }
        atTheEnd = residentKiB();
    }

    void frames(int count) {
        for (int k = 0; k < count && window->running; k++) {
            window->fixedFrameMs = 20;
            window->runFrame();
        }
    }

    void show(Display* d) {
        Component* old = window->display;
        if (old == d) return;
        d->sendBroadcast(Events::CREATE_RESOURCES);
        window->setDisplay(d);
        if (old) old->sendBroadcast(Events::RELEASE_RESOURCES);
    }

    int switches, toggles;
    int made = 0, toggled = 0;
    long afterSettling = -1;
    long atTheEnd = -1;
};

int option(int argc, char** argv, const char* name, int fallback) {
    const size_t length = strlen(name);
    for (int i = 1; i < argc; i++) {
        // Other options (run-benchmarks.sh gives every benchmark Google Benchmark's) are not ours.
        if (strncmp(argv[i], name, length) == 0) return atoi(argv[i] + length);
    }
    return fallback;
}

}  // namespace

int main(int argc, char** argv) {
    const int switches = option(argc, argv, "--switches=", 1000);
    const int toggles = option(argc, argv, "--toggles=", 100);
    // The figures keep standard output; the game's log goes to standard error.
    table = fdopen(dup(1), "w");
    dup2(2, 1);
    if (chdir(QUANDRELS_BINARY_DIR) != 0) {
        fprintf(stderr, "cannot enter %s\n", QUANDRELS_BINARY_DIR);
        return 1;
    }
    const long atStart = residentKiB();
    SoakBench soak(switches, toggles);
    soak.start();
    const int settled = soak.made < 100 ? soak.made / 2 : 100;
    fprintf(table, "%s: %d display switches, %d full-screen toggles\n", PROGRAM, soak.made, soak.toggled);
    fprintf(table,
            "resident memory: %ld KiB before start, %ld KiB after %d switches, %ld KiB after the last\n",
            atStart, soak.afterSettling, settled, soak.atTheEnd);
    fprintf(table, "growth from switch %d to the end: %+.2f MB\n", settled,
            (soak.atTheEnd - soak.afterSettling) / 1024.0);
    fclose(table);
    return soak.made == switches && soak.toggled == toggles ? 0 : 1;
}
