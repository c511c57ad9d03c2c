// Storage throughput: whole-file reads in 4096-byte pieces, and typed records written to
// and read from a Buffer.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/Buffer.h"
#include "math/Vector3.h"
#include "storage/BufferableList.h"
#include "storage/BufferableMap.h"
#include "storage/File.h"

namespace {

// A temporary file of `bytes` bytes, removed when the benchmark ends.
class ScratchFile {
public:
    explicit ScratchFile(long bytes) {
        char pattern[] = "/tmp/quandrels-bench-XXXXXX";
        int fd = mkstemp(pattern);
        path = pattern;
        std::string block(1 << 16, 'q');
        for (long written = 0; written < bytes; written += static_cast<long>(block.size())) {
            long n = bytes - written < static_cast<long>(block.size()) ? bytes - written
                                                                       : static_cast<long>(block.size());
            if (::write(fd, block.data(), static_cast<size_t>(n)) != n) break;
        }
        close(fd);
    }
    ~ScratchFile() { unlink(path.c_str()); }
    std::string path;
};

void BM_FileRead(benchmark::State& state) {
    ScratchFile file(state.range(0));
    File source(file.path.c_str());
    for (auto _ : state) {
        std::unique_ptr<Buffer> buffer(source.read());
        benchmark::DoNotOptimize(buffer->data);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FileRead)->Arg(64 << 10)->Arg(8 << 20)->Unit(benchmark::kMicrosecond);

// A record like a level description: a list of `count` maps of five values each.
BufferableMap* makeRecord(int count) {
    BufferableMap* root = new BufferableMap();
    BufferableList* items = new BufferableList();
    for (int i = 0; i < count; i++) {
        BufferableMap* item = new BufferableMap();
        item->put("index", new Integer(i));
        item->put("lit", new Boolean(i % 2 == 0));
        item->put("at", new Vector3(float(i), 1, 2));
        item->put("name", new String("stone"));
        item->put("weight", new Double(i * 0.5));
        items->add(item);
    }
    root->put("items", items);
    return root;
}

void BM_RecordWrite(benchmark::State& state) {
    std::unique_ptr<BufferableMap> record(makeRecord(static_cast<int>(state.range(0))));
    long bytes = 0;
    for (auto _ : state) {
        Buffer out;
        record->writeToBuffer(&out);
        bytes = out.size;
        benchmark::DoNotOptimize(out.data);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_RecordWrite)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_RecordRead(benchmark::State& state) {
    std::unique_ptr<BufferableMap> record(makeRecord(static_cast<int>(state.range(0))));
    Buffer stream;
    record->writeToBuffer(&stream);
    for (auto _ : state) {
        stream.position = 0;
        BufferableMap back;
        back.readFromBuffer(&stream);
        benchmark::DoNotOptimize(back.size());
    }
    state.SetBytesProcessed(state.iterations() * stream.size);
}
BENCHMARK(BM_RecordRead)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
