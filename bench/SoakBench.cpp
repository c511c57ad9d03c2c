// Soak: one program through many display switches and full-screen toggles, as the real game
// makes them, watching its resident memory. The real Quandrels::start() (data pack, audio,
// window, every display); then the displays are switched in turn by the fade layer's own
// switch at full black (the new one builds its GPU objects, the window shows it, the old one
// drops its own), a few frames each on a 20 ms clock, a click in the middle of every teaser
// (stones light, novas fly, runes turn), and every few switches a full-screen toggle. The
// first visit to a lava level clicks until its row of click fragments is full, so that the
// game state that grows with play is at its cap before the first reading.
// Prints, after the first 100 switches and after the last, the resident memory, the bytes
// the allocator has handed out and not taken back (glibc's mallinfo2: what the program and
// its libraries still hold, whatever the allocator keeps of freed memory) and the GL objects
// our wrappers own (textures, buffers, programs), with their differences; exits 1 when the
// game ended early. The first reading moves on from switch 100 to the first switch that
// shows the same display in the same mode as the last. Resident memory that grows while the
// bytes in use stay flat is the allocator's (freed memory it keeps in fragments); bytes in
// use that grow are held by someone; a GL count that grows is a GPU object nobody releases.
//
//   bench_soak [--switches=N] [--toggles=M] [--trim] [--every=K] [--mappings]
//     defaults 1000 and 100; --trim: malloc_trim(0) before each reading, so that the resident
//     figure shows what trimming gives back; --every: a reading every K switches as well;
//     --mappings: each reading also splits the resident memory by kind of mapping.
//
// Built once per program (bench_soak: shader build, bench_soak_fixed: fixed-function build).
// Full screen needs a window manager on the X server, as scripts/soak.sh provides.
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>

#include "BenchProgram.h"
#include "app/Display.h"
#include "game/Quandrels.h"
#include "game/lava/LavaStones.h"
#include "game/lava/Progress.h"
#include "render/GLObjectCount.h"
#include "window/Window.h"

namespace {

FILE* table = stdout;

struct Reading {
    long residentKiB = -1;
    double inUseMB = 0;  // allocated and not freed: small blocks in the arenas and mmapped ones
    int textures = 0, buffers = 0, programs = 0;
    std::string mappings;  // with --mappings
};

bool trimBeforeReading = false;
bool printMappings = false;

// Resident memory by kind of mapping: the brk heap (the allocator's main arena), anonymous
// mappings (its other arenas and big blocks, and what drivers map for themselves), shared
// memory, and files (code and data of the libraries).
std::string residentByMapping() {
    FILE* f = fopen("/proc/self/smaps", "r");
    if (!f) return "";
    long heap = 0, anonymous = 0, shared = 0, files = 0;
    long* kind = &anonymous;
    char line[512];
    while (fgets(line, sizeof line, f)) {
        unsigned long start = 0, end = 0;
        if (sscanf(line, "%lx-%lx", &start, &end) == 2) {
            char path[400] = "";
            sscanf(line, "%*s %*s %*s %*s %*s %399[^\n]", path);
            if (strcmp(path, "[heap]") == 0) {
                kind = &heap;
            } else if (path[0] == '\0') {
                kind = &anonymous;
            } else if (strstr(path, "SYSV") || strstr(path, "memfd:") || strstr(path, "/dev/shm")) {
                kind = &shared;
            } else {
                kind = &files;
            }
            continue;
        }
        long kb = 0;
        if (sscanf(line, "Rss: %ld kB", &kb) == 1) *kind += kb;
    }
    fclose(f);
    char text[200];
    snprintf(text, sizeof text,
             "%22s resident heap %.1f MB, anonymous %.1f MB, shared %.1f MB, files %.1f MB\n", "",
             heap / 1024.0, anonymous / 1024.0, shared / 1024.0, files / 1024.0);
    return text;
}

Reading read() {
    if (trimBeforeReading) malloc_trim(0);
    Reading r;
    r.residentKiB = bench_program::residentKiB();
    const struct mallinfo2 m = mallinfo2();
    r.inUseMB = static_cast<double>(m.uordblks + m.hblkhd) / (1024.0 * 1024.0);
    r.textures = GLObjectCount::textures;
    r.buffers = GLObjectCount::buffers;
    r.programs = GLObjectCount::programs;
    if (printMappings) r.mappings = residentByMapping();
    return r;
}

void print(const char* when, const Reading& r) {
    fprintf(
        table,
        "%-22s resident %7.1f MB, in use %7.2f MB, GL objects %3d (%d textures, %d buffers, %d programs)\n",
        when, r.residentKiB / 1024.0, r.inUseMB, r.textures + r.buffers + r.programs, r.textures, r.buffers,
        r.programs);
    fputs(r.mappings.c_str(), table);
}

class SoakBench : public Quandrels {
public:
    SoakBench(int switches, int toggles, int every) : switches(switches), toggles(toggles), every(every) {}

    void runLoop() override {
        const int togglesEvery = toggles > 0 ? switches / toggles : 0;
        settled = settlingSwitch(switches, displays.size(), togglesEvery);
        for (int i = 1; i <= switches && window->running; i++) {
            bench_program::show(this, displays.get(i % displays.size()));
            frames(3);
            if (window->display != gallery && window->display != exitDisplay) {
                // The first visit fills a lava level's row of click fragments, the one part of
                // the game's state that grows with play (up to its cap): from then on the
                // readings compare the same state.
                const bool firstRound = i <= displays.size();
                const int clicks =
                    firstRound && dynamic_cast<LavaStones*>(window->display) ? Progress::MAX_MOVES : 1;
                for (int c = 0; c < clicks; c++) {
                    window->onPointerDown(Vector2(0.5f, 0.5f), 1);
                    window->onPointerUp(Vector2(0.5f, 0.5f), 1);
                    frames(2);
                }
            }
            if (togglesEvery > 0 && i % togglesEvery == 0 && toggled < toggles) {
                toggleFullscreen();
                toggled++;
                frames(2);
            }
            if (i == settled) afterSettling = read();
            if (every > 0 && i % every == 0) {
                const std::string when = "after switch " + std::to_string(i);
                print(when.c_str(), read());
            }
            made = i;
        }
        atTheEnd = read();
    }

    void frames(int count) {
        for (int k = 0; k < count && window->running; k++) {
            window->fixedFrameMs = 20;
            window->runFrame();
        }
    }

    // The first reading: at or after switch 100 (half the run when it is shorter), showing the
    // same display in the same mode as the last switch, so that the two readings compare
    // like with like.
    static int settlingSwitch(int switches, int displayCount, int togglesEvery) {
        const int earliest = switches < 100 ? switches / 2 : 100;
        int period = displayCount;
        if (togglesEvery > 0) period = std::lcm(period, 2 * togglesEvery);
        return earliest + (switches - earliest) % period;
    }

    int switches, toggles, every;
    int settled = 0;
    int made = 0, toggled = 0;
    Reading afterSettling;
    Reading atTheEnd;
};

int number(int argc, char** argv, const char* name, int fallback) {
    const char* value = bench_program::option(argc, argv, name);
    return value ? atoi(value) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
    const int switches = number(argc, argv, "switches", 1000);
    const int toggles = number(argc, argv, "toggles", 100);
    const int every = number(argc, argv, "every", 0);
    trimBeforeReading = bench_program::flag(argc, argv, "trim");
    printMappings = bench_program::flag(argc, argv, "mappings");
    // The figures keep standard output; the game's log goes to standard error.
    table = bench_program::openTable();
    if (!table) return 1;
    const Reading atStart = read();
    SoakBench soak(switches, toggles, every);
    soak.start();
    const int settled = soak.settled;
    fprintf(table, "%s: %d display switches, %d full-screen toggles%s\n", bench_program::NAME, soak.made,
            soak.toggled, trimBeforeReading ? ", malloc_trim(0) before each reading" : "");
    print("before start", atStart);
    const std::string settledWhen = "after switch " + std::to_string(settled);
    print(settledWhen.c_str(), soak.afterSettling);
    print("after the last", soak.atTheEnd);
    const Reading& a = soak.afterSettling;
    const Reading& b = soak.atTheEnd;
    fprintf(table, "growth from switch %d to the end: resident %+.2f MB, in use %+.2f MB, GL objects %+d\n",
            settled, (b.residentKiB - a.residentKiB) / 1024.0, b.inUseMB - a.inUseMB,
            (b.textures + b.buffers + b.programs) - (a.textures + a.buffers + a.programs));
    fclose(table);
    return soak.made == switches && soak.toggled == toggles ? 0 : 1;
}
