// Fuzz target: typed records read from arbitrary bytes. Whatever was read must write out a
// stream that reads back completely and writes out the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/Buffer.h"
#include "storage/BufferableList.h"
#include "storage/BufferableMap.h"

namespace {

template <typename Record>
void checkRoundTrip(Buffer* input) {
    Record first;
    first.readFromBuffer(input);
    if (input->position > input->size) __builtin_trap();

    Buffer written;
    first.writeToBuffer(&written);
    Record second;
    second.readFromBuffer(&written);
    if (!written.isOnEnd()) __builtin_trap();  // a written record reads back whole

    Buffer rewritten;
    second.writeToBuffer(&rewritten);
    if (rewritten.size != written.size) __builtin_trap();
    if (written.size > 0 && memcmp(rewritten.data, written.data, static_cast<size_t>(written.size)) != 0) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 24)) return 0;
    Buffer input;
    input.write(data, static_cast<int>(size));
    checkRoundTrip<BufferableMap>(&input);
    input.position = 0;
    checkRoundTrip<BufferableList>(&input);
    return 0;
}
