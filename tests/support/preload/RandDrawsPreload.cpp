// A library preloaded into a program to record its rand() draws, for comparing two builds of
// the game: every draw writes one line to the file named by RAND_DRAWS_LOG and the process id
// (RAND_DRAWS_LOG.<pid>, so that the programs a test starts keep their own), the draw's number
// and, for the two frames above rand(), the object that called and the call's offset in it.
// Symbolise the offsets of the program's own object with addr2line to compare callers across
// builds whose code moved. The values themselves need no record: the generator is never
// seeded, so the n-th draw is the same in every run.
//
// Built with the tests (build/tests/libquandrels_rand_draws.so):
//   export LD_PRELOAD=$PWD/build/tests/libquandrels_rand_draws.so RAND_DRAWS_LOG=/tmp/draws.txt
//   build/bench/bench_frames --pictures=/tmp/pictures
#include <dlfcn.h>
#include <execinfo.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

FILE* log() {
    static FILE* out = []() -> FILE* {
        const char* path = getenv("RAND_DRAWS_LOG");
        if (!path) return nullptr;
        char name[4096];
        snprintf(name, sizeof name, "%s.%ld", path, static_cast<long>(getpid()));
        return fopen(name, "w");
    }();
    return out;
}

void writeFrame(FILE* out, void* address) {
    Dl_info info;
    if (dladdr(address, &info) && info.dli_fname) {
        // The return address points after the call: one byte back lies inside it.
        const uintptr_t offset =
            reinterpret_cast<uintptr_t>(address) - 1 - reinterpret_cast<uintptr_t>(info.dli_fbase);
        fprintf(out, " %s+0x%lx", info.dli_fname, static_cast<unsigned long>(offset));
    } else {
        fprintf(out, " ?");
    }
}

// The programs this one starts (an X server, a window manager) are not recorded: they would
// draw in threads and signal handlers where recording is not safe.
__attribute__((constructor)) void keepToThisProcess() { unsetenv("LD_PRELOAD"); }

}  // namespace

extern "C" int rand() {
    using Rand = int (*)();
    static Rand real = reinterpret_cast<Rand>(dlsym(RTLD_NEXT, "rand"));
    static long draws = 0;
    if (FILE* out = log()) {
        void* frames[3];
        const int count = backtrace(frames, 3);
        fprintf(out, "%ld", draws);
        for (int i = 1; i < count; i++) writeFrame(out, frames[i]);
        fputc('\n', out);
        fflush(out);
    }
    draws++;
    return real();
}
