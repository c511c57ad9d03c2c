// Fuzz target: Buffer::decompress on arbitrary bytes; whatever inflates must survive a
// compress/decompress round trip unchanged.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/Buffer.h"

namespace {
// Far below the 1 GiB production cap so that each run stays fast; the cap check itself is
// the same code path whatever the limit.
constexpr long long OUTPUT_LIMIT = 4LL << 20;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 24)) return 0;
    Buffer input;
    input.write(data, static_cast<int>(size));
    std::unique_ptr<Buffer> inflated(input.decompress(OUTPUT_LIMIT));
    if (!inflated) return 0;
    if (inflated->size > OUTPUT_LIMIT) __builtin_trap();

    int level = static_cast<int>(size % 11) - 1;  // every zlib level from -1 to 9
    std::unique_ptr<Buffer> packed(inflated->compress(level));
    if (!packed) __builtin_trap();
    std::unique_ptr<Buffer> again(packed->decompress(OUTPUT_LIMIT));
    if (!again || again->size != inflated->size) __builtin_trap();
    if (inflated->size > 0 && memcmp(again->data, inflated->data, static_cast<size_t>(inflated->size)) != 0) {
        __builtin_trap();
    }
    return 0;
}
