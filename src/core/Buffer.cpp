#include "core/Buffer.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int CHUNK = 16384;
}

Buffer::~Buffer() { free(data); }

bool Buffer::reserve(long long needed) {
    if (needed <= capacity) return true;
    if (needed > INT32_MAX) return false;
    long long grown = capacity < 64 ? 64 : capacity;
    while (grown < needed) grown *= 2;
    if (grown > INT32_MAX) grown = INT32_MAX;
    unsigned char* block = static_cast<unsigned char*>(realloc(data, static_cast<size_t>(grown)));
    if (!block) return false;
    data = block;
    capacity = static_cast<int>(grown);
    return true;
}

void Buffer::write(const void* source, int count) {
    if (count < 1) return;
    // The source may lie inside our own block (appending a part of the buffer to itself):
    // remember it as an offset, since growing the block can move it.
    const unsigned char* bytes = static_cast<const unsigned char*>(source);
    bool inside = data && bytes >= data && bytes < data + capacity;
    size_t offset = inside ? static_cast<size_t>(bytes - data) : 0;
    if (!reserve(static_cast<long long>(size) + count)) return;
    if (inside) bytes = data + offset;
    memmove(data + size, bytes, static_cast<size_t>(count));
    size += count;
}

int Buffer::read(void* target, int count) {
    if (count < 1 || position >= size) return 0;
    int available = size - position;
    int n = count < available ? count : available;
    memcpy(target, data + position, static_cast<size_t>(n));
    position += n;
    return n;
}

void Buffer::clear() {
    free(data);
    data = nullptr;
    size = 0;
    capacity = 0;
    position = 0;
}

Buffer* Buffer::compress(int level) {
    z_stream stream;
    memset(&stream, 0, sizeof stream);
    if (deflateInit(&stream, level) != Z_OK) return nullptr;

    Buffer* output = new Buffer();
    unsigned char in[CHUNK];
    unsigned char out[CHUNK];
    int flush = Z_NO_FLUSH;
    int result = Z_OK;
    do {
        int got = read(in, CHUNK);
        flush = isOnEnd() ? Z_FINISH : Z_NO_FLUSH;
        stream.next_in = in;
        stream.avail_in = static_cast<uInt>(got);
        do {
            stream.next_out = out;
            stream.avail_out = CHUNK;
            result = deflate(&stream, flush);
            if (result == Z_STREAM_ERROR) {
                deflateEnd(&stream);
                delete output;
                return nullptr;
            }
            output->write(out, CHUNK - static_cast<int>(stream.avail_out));
        } while (stream.avail_out == 0);
        if (stream.avail_in != 0) {
            deflateEnd(&stream);
            delete output;
            return nullptr;
        }
    } while (flush != Z_FINISH);

    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        delete output;
        return nullptr;
    }
    return output;
}

Buffer* Buffer::decompress() { return decompress(MAX_DECOMPRESSED_SIZE); }

Buffer* Buffer::decompress(long long maxOutput) {
    z_stream stream;
    memset(&stream, 0, sizeof stream);
    if (inflateInit(&stream) != Z_OK) return nullptr;

    Buffer* output = new Buffer();
    unsigned char in[CHUNK];
    unsigned char out[CHUNK];
    int result = Z_OK;
    do {
        int got = read(in, CHUNK);
        if (got == 0) break;  // the source ended before the stream did
        stream.next_in = in;
        stream.avail_in = static_cast<uInt>(got);
        do {
            stream.next_out = out;
            stream.avail_out = CHUNK;
            result = inflate(&stream, Z_NO_FLUSH);
            if (result == Z_STREAM_ERROR || result == Z_NEED_DICT || result == Z_DATA_ERROR ||
                result == Z_MEM_ERROR) {
                inflateEnd(&stream);
                delete output;
                return nullptr;
            }
            int produced = CHUNK - static_cast<int>(stream.avail_out);
            if (static_cast<long long>(output->size) + produced > maxOutput) {
                inflateEnd(&stream);
                delete output;
                return nullptr;
            }
            output->write(out, produced);
        } while (stream.avail_out == 0 && result != Z_STREAM_END);
    } while (result != Z_STREAM_END);

    inflateEnd(&stream);
    if (result != Z_STREAM_END) {
        delete output;
        return nullptr;
    }
    return output;
}

void Buffer::writeToBuffer(Buffer* target) {
    int32_t n = data ? size : 0;
    target->write(&n, 4);
    if (data) target->write(data, size);
}

void Buffer::readFromBuffer(Buffer* source) {
    int32_t n = 0;
    source->read(&n, 4);
    int available = source->size - source->position;
    // A length past the end of the stream is cut to what is there.
    if (n > available) n = available;
    if (n < 1) {
        int keep = position;
        clear();
        position = keep;
        return;
    }
    size = 0;
    if (!reserve(n)) return;
    size = source->read(data, n);
}
