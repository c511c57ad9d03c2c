// Buffer: the one container for raw bytes. It grows on every write, has one read cursor,
// and can deflate or inflate its content as a zlib stream.
#pragma once

#include "core/Bufferable.h"

class Buffer : public Bufferable {
public:
    // Upper bound on what decompress() produces. Real game files are a few MiB at most;
    // anything that inflates past this is treated as hostile and refused.
    static constexpr long long MAX_DECOMPRESSED_SIZE = 1LL << 30;  // 1 GiB

    unsigned char* data = nullptr;
    int size = 0;
    int position = 0;

    Buffer() = default;
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    ~Buffer() override;

    // Appends `count` bytes. The block grows geometrically, so filling a buffer piece by
    // piece (file reads, inflate windows) costs linear time.
    void write(const void* source, int count);
    // Copies up to `count` bytes from the cursor and advances it; returns the number copied.
    int read(void* target, int count);
    bool isOnEnd() const { return position >= size; }
    // Frees the content and rewinds the cursor.
    void clear();

    // A zlib stream of the bytes from the cursor to the end, or null on failure.
    // The cursor ends at the end.
    Buffer* compress(int level);
    // The inflated bytes of the zlib stream at the cursor, or null when the stream is
    // broken, truncated, or inflates past MAX_DECOMPRESSED_SIZE.
    Buffer* decompress();
    // Same, with an explicit output limit (used by tests and by callers that know better).
    Buffer* decompress(long long maxOutput);

    void writeToBuffer(Buffer* target) override;
    void readFromBuffer(Buffer* source) override;

private:
    int capacity = 0;

    bool reserve(long long needed);
};
