// Pack file costs against plain zlib: reading a 16 MiB entry (openFile + readFile) against
// inflating the same stream, packing the file against compress2 at the default level, and
// opening a pack of 100 entries for one lookup. The *VsZlib benchmarks time both sides in
// the same iterations and report the ratio (goals: reading <= 1.15, packing <= 1.10).
#include <benchmark/benchmark.h>
#include <ftw.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/Buffer.h"
#include "storage/Archive.h"

namespace {

constexpr size_t ENTRY_SIZE = 16u << 20;

// Text runs, repeated patterns and random bytes, mixed: it deflates to about a fifth.
std::string mixedData(size_t length) {
    std::mt19937 generator(2024);
    static const char* words[] = {"lava ",   "stone ", "rune ", "gallery ",
                                  "teaser ", "glow ",  "icon ", "swirl "};
    std::string bytes;
    bytes.reserve(length);
    while (bytes.size() < length) {
        unsigned kind = generator() % 10;
        unsigned run = 16 + generator() % 240;
        for (unsigned i = 0; i < run && bytes.size() < length; ++i) {
            if (kind < 4) {
                bytes += words[generator() % 8];
            } else if (kind < 7) {
                bytes += static_cast<char>('a' + i % 7);
            } else {
                bytes += static_cast<char>(generator() & 0xFF);
            }
        }
    }
    bytes.resize(length);
    return bytes;
}

int removeEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

struct Fixture {
    std::string root;
    std::string source;    // holds entry.bin
    std::string pack;      // the packed source
    std::string manyPack;  // 100 entries
    std::string raw;
    std::string zlib;

    Fixture() {
        char pattern[] = "/tmp/quandrels-bench-pack-XXXXXX";
        if (!mkdtemp(pattern)) abort();
        root = pattern;
        source = root + "/src";
        pack = root + "/big.dat";
        manyPack = root + "/many.dat";
        raw = mixedData(ENTRY_SIZE);
        std::string many = root + "/many";
        std::string commands = "mkdir -p '" + source + "' '" + many + "'";
        if (std::system(commands.c_str()) != 0) abort();
        std::ofstream(source + "/entry.bin", std::ios::binary) << raw;
        for (int d = 0; d < 10; ++d) {
            std::string folder = many + "/dir" + std::to_string(d);
            if (std::system(("mkdir -p '" + folder + "'").c_str()) != 0) abort();
            for (int f = 0; f < 9; ++f) {
                std::ofstream(folder + "/file" + std::to_string(f) + ".png", std::ios::binary)
                    << mixedData(2000 + 100 * f);
            }
        }
        char cwd[4096];
        if (!getcwd(cwd, sizeof cwd)) abort();
        Archive archive;
        if (archive.packFile(source.c_str(), pack.c_str(), nullptr) != Archive::PACK_OK) abort();
        if (archive.packFile(many.c_str(), manyPack.c_str(), nullptr) != Archive::PACK_OK) abort();
        if (chdir(cwd) != 0) abort();

        uLongf length = compressBound(static_cast<uLong>(raw.size()));
        zlib.resize(length);
        compress2(reinterpret_cast<Bytef*>(&zlib[0]), &length, reinterpret_cast<const Bytef*>(raw.data()),
                  static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION);
        zlib.resize(length);
    }

    ~Fixture() { nftw(root.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS); }
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

// Wall time and this thread's CPU time: on a shared machine the CPU figures are the steadier.
struct Clock {
    double wall;
    double cpu;

    static Clock now() {
        timespec cpuTime;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuTime);
        return {std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(),
                static_cast<double>(cpuTime.tv_sec) + static_cast<double>(cpuTime.tv_nsec) * 1e-9};
    }
};

struct Tally {
    Clock total{0, 0};

    template <typename Work>
    void time(Work work) {
        Clock start = Clock::now();
        work();
        Clock end = Clock::now();
        total.wall += end.wall - start.wall;
        total.cpu += end.cpu - start.cpu;
    }
};

void reportRatio(benchmark::State& state, const Tally& pack, const Tally& zlib) {
    double n = static_cast<double>(state.iterations());
    state.counters["pack_ms"] = pack.total.wall * 1000 / n;
    state.counters["zlib_ms"] = zlib.total.wall * 1000 / n;
    state.counters["ratio"] = pack.total.wall / zlib.total.wall;
    state.counters["pack_cpu_ms"] = pack.total.cpu * 1000 / n;
    state.counters["zlib_cpu_ms"] = zlib.total.cpu * 1000 / n;
    state.counters["cpu_ratio"] = pack.total.cpu / zlib.total.cpu;
}

size_t packRead(Archive& archive) {
    PK_FILE entry;
    if (!archive.openFile(&entry, "entry.bin")) abort();
    std::unique_ptr<Buffer> content(archive.readFile(&entry));
    if (!content || static_cast<size_t>(content->size) != ENTRY_SIZE) abort();
    return static_cast<size_t>(content->size);
}

size_t zlibInflate(const std::string& stream) {
    std::vector<unsigned char> out(ENTRY_SIZE);
    uLongf length = static_cast<uLongf>(out.size());
    if (uncompress(out.data(), &length, reinterpret_cast<const Bytef*>(stream.data()),
                   static_cast<uLong>(stream.size())) != Z_OK) {
        abort();
    }
    benchmark::DoNotOptimize(out.data());
    return length;
}

void packWrite(const Fixture& f) {
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd)) abort();
    Archive archive;
    if (archive.packFile(f.source.c_str(), (f.root + "/write.dat").c_str(), nullptr) != Archive::PACK_OK)
        abort();
    if (chdir(cwd) != 0) abort();
}

size_t zlibDeflate(const std::string& raw) {
    uLongf length = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> out(length);
    compress2(out.data(), &length, reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
              Z_DEFAULT_COMPRESSION);
    benchmark::DoNotOptimize(out.data());
    return length;
}

void BM_PackReadEntry(benchmark::State& state) {
    Fixture& f = fixture();
    Archive archive;
    if (archive.openPackFile(f.pack.c_str(), nullptr) != 0) abort();
    for (auto _ : state) benchmark::DoNotOptimize(packRead(archive));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * ENTRY_SIZE));
    state.counters["stored_MiB"] = static_cast<double>(f.zlib.size()) / (1 << 20);
}

void BM_ZlibInflate(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) benchmark::DoNotOptimize(zlibInflate(f.zlib));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * ENTRY_SIZE));
}

void BM_ReadVsZlib(benchmark::State& state) {
    Fixture& f = fixture();
    Archive archive;
    if (archive.openPackFile(f.pack.c_str(), nullptr) != 0) abort();
    Tally pack;
    Tally zlib;
    for (auto _ : state) {
        pack.time([&] { packRead(archive); });
        zlib.time([&] { zlibInflate(f.zlib); });
    }
    reportRatio(state, pack, zlib);
}

void BM_PackFile(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) packWrite(f);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * ENTRY_SIZE));
}

void BM_ZlibCompress2(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) benchmark::DoNotOptimize(zlibDeflate(f.raw));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * ENTRY_SIZE));
}

void BM_PackVsZlib(benchmark::State& state) {
    Fixture& f = fixture();
    Tally pack;
    Tally zlib;
    for (auto _ : state) {
        pack.time([&] { packWrite(f); });
        zlib.time([&] { zlibDeflate(f.raw); });
    }
    reportRatio(state, pack, zlib);
}

void BM_OpenAndLookup100(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        Archive archive;
        if (archive.openPackFile(f.manyPack.c_str(), nullptr) != 0) abort();
        long offset = 0;
        if (!archive.getDirectoryData("dir7/file5.png", &offset)) abort();
        benchmark::DoNotOptimize(offset);
        archive.closePackFile();
    }
}

}  // namespace

BENCHMARK(BM_PackReadEntry)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibInflate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadVsZlib)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_PackFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibCompress2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackVsZlib)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OpenAndLookup100)->Unit(benchmark::kMicrosecond);
