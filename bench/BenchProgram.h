// What the benchmarks that run the whole game share: which program they stand for, its
// memory, their options, a table on standard output that the game's log does not mix into,
// and the display switch the fade layer makes. Built into each of them, once per build.
#pragma once

#include <cstdio>

class Application;
class Display;

namespace bench_program {

// "quandrels" or "quandrels-fixed": the program of the build the benchmark is built with.
extern const char* const NAME;

// Resident memory now, and its peak so far, in KiB; -1 where /proc cannot tell.
long residentKiB();
long peakResidentKiB();

// The value of the last --NAME=VALUE given, or null. Options that are not asked for pass:
// scripts/run-benchmarks.sh gives every benchmark Google Benchmark's.
const char* option(int argc, char** argv, const char* name);
// Whether --NAME is given.
bool flag(int argc, char** argv, const char* name);

// Keeps standard output for the returned table and sends everything else written there (the
// fixed build's log) to standard error; then enters the build folder, where the game finds
// its data pack. Null, said on standard error, when the folder cannot be entered.
FILE* openTable();

// Shows `d` the way a fade does at full black (SharedLayer::switchTo), unless it is shown.
void show(Application* app, Display* d);

}  // namespace bench_program
