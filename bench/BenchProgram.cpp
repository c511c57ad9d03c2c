#include "BenchProgram.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "app/Application.h"
#include "app/Display.h"
#include "app/SharedLayer.h"
#include "window/Window.h"

namespace bench_program {

#ifdef QUANDRELS_FIXED_BUILD
const char* const NAME = "quandrels-fixed";
#else
const char* const NAME = "quandrels";
#endif

long residentKiB() {
    FILE* f = fopen("/proc/self/statm", "r");
    if (!f) return -1;
    long size = 0, resident = 0;
    const bool read = fscanf(f, "%ld %ld", &size, &resident) == 2;
    fclose(f);
    return read ? resident * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

long peakResidentKiB() {
    // VmHWM: the peak resident set, in kB.
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, 6, "VmHWM:") == 0) return atol(line.c_str() + 6);
    }
    return -1;
}

const char* option(int argc, char** argv, const char* name) {
    const std::string prefix = std::string("--") + name + "=";
    const char* value = nullptr;
    for (int i = 1; i < argc; i++) {
        if (strncmp(argv[i], prefix.c_str(), prefix.size()) == 0) value = argv[i] + prefix.size();
    }
    return value;
}

bool flag(int argc, char** argv, const char* name) {
    const std::string wanted = std::string("--") + name;
    for (int i = 1; i < argc; i++) {
        if (wanted == argv[i]) return true;
    }
    return false;
}

FILE* openTable() {
    FILE* table = fdopen(dup(1), "w");
    dup2(2, 1);
    if (chdir(QUANDRELS_BINARY_DIR) != 0) {
        fprintf(stderr, "cannot enter %s\n", QUANDRELS_BINARY_DIR);
        if (table) fclose(table);
        return nullptr;
    }
    return table;
}

void show(Application* app, Display* d) {
    if (app->window->display != d) app->sharedLayer->switchTo(d);
}

}  // namespace bench_program
